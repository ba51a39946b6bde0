#!/usr/bin/env bash
# Benchmark of the copy phase (make bench): lays out media of 400 text files of 50 KB and
# one file of 30 MB, all compressed with mscompress, then runs bench_copy.exe under Wine,
# which times the copy phase next to a bare loop of VerInstallFileA over the same files.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$top/build/win64"
work="$build/bench-copy"
media="$work/media"
if [[ ! -f "$media/.complete" ]]; then
  rm -rf "$media"; mkdir -p "$media"
  for i in $(seq -w 1 400); do
    # Text with some variety, so compression has work to do.
    { for line in $(seq 1 820); do echo "file $i line $line: $(( (line * 7919 + 10#$i) % 104729 )) the quick brown fox"; done; } |
      head -c 51200 >"$media/TEXT$i.TXT"
  done
  head -c 23300000 /dev/urandom | base64 -w 76 >"$media/BIG.DAT"
  truncate -s 31457280 "$media/BIG.DAT"
  # mscompress writes NAME.EXT_; the media name drops the extension's last letter (NAME.EX_).
  # Its exit status says nothing: check for the output instead.
  (cd "$media" && for f in *.TXT *.DAT; do
     mscompress "$f" >/dev/null || true
     [[ -f "${f}_" ]] || { echo "bench-copy.sh: mscompress did not compress $f" >&2; exit 1; }
     mv "${f}_" "${f%?}_" && rm "$f"
   done)
  touch "$media/.complete"
fi
rm -rf "$work/out"; mkdir -p "$work/out"
"$top/scripts/wine-run.sh" --prefix "$build/wineprefix" "$build/bench_copy.exe" "$media" "$work/out" "${ROUNDS:-3}"
rm -rf "$work/out"
