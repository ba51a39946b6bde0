#!/usr/bin/env bash
# Benchmark of the compressor and the copy phase (make bench). One set of 400 text files
# of 50 KB and one file of 30 MB is compressed twice, timed: by mscompress, one file after
# another, and by orvmedia build (files and slices of the large one in parallel), with
# the total sizes. Then bench_copy.exe under Wine times the copy phase from orvmedia's
# media next to a bare loop of VerInstallFileA over the same files.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$top/build/win64"
work="$build/bench-copy"
plain="$work/plain"
media="$work/media"
orvmedia="$build/orvmedia-native/orvmedia"
if [[ ! -f "$plain/.complete" ]]; then
  rm -rf "$plain"; mkdir -p "$plain"
  for i in $(seq -w 1 400); do
    # Text with some variety, so compression has work to do.
    { for line in $(seq 1 820); do echo "file $i line $line: $(( (line * 7919 + 10#$i) % 104729 )) the quick brown fox"; done; } |
      head -c 51200 >"$plain/TEXT$i.TXT"
  done
  head -c 23300000 /dev/urandom | base64 -w 76 >"$plain/BIG.DAT"
  truncate -s 31457280 "$plain/BIG.DAT"
  {
    printf '[Config]\r\nUninstall=FALSE\r\n[InstallFiles]\r\n'
    for f in "$plain"/TEXT*.TXT "$plain/BIG.DAT"; do
      name=$(basename "$f"); printf '%s=1,,%s_,0,,%s,%s\r\n' "$name" "${name%?}" "$name" "$(stat -c %s "$f")"
    done
  } >"$plain/SETUP.INF"
  touch "$plain/.complete"
fi

# The wall time of a command, which prints nothing; a failure ends the benchmark.
seconds() {
  local start=$EPOCHREALTIME
  "$@" >/dev/null 2>&1 || { echo "bench-copy.sh: failed: $*" >&2; return 1; }
  awk -v a="$start" -v b="$EPOCHREALTIME" 'BEGIN { print b - a }'
}
total_size() { find "$1" -name '*_' -printf '%s\n' | awk '{ s += $1 } END { print s }'; }

# mscompress writes NAME.EXT_ beside each file; its exit status says nothing. Each tool
# starts with no output of its own and nothing left to write back to the disk.
rm -rf "$work/mscompress" "$media"; mkdir -p "$work/mscompress"
cp "$plain"/TEXT*.TXT "$plain/BIG.DAT" "$work/mscompress/"
sync
ms_time=$(cd "$work/mscompress" && seconds bash -c 'for f in *.TXT *.DAT; do mscompress "$f" || true; done')
ms_size=$(total_size "$work/mscompress")
sync
orv_time=$(seconds "$orvmedia" build "$plain/SETUP.INF" --source "$plain" --out "$media" --programs "$build")
orv_size=$(total_size "$media")
rm -rf "$work/mscompress"
awk -v mt="$ms_time" -v ms="$ms_size" -v ot="$orv_time" -v os="$orv_size" -v cores="$(nproc)" 'BEGIN {
  printf "compressor (%d cores): mscompress %.2f s, %d bytes; orvmedia %.3f s, %d bytes (%.1f times as fast, %.4f of the size)\n",
         cores, mt, ms, ot, os, mt / ot, os / ms }'

rm -rf "$work/out"; mkdir -p "$work/out"
"$top/scripts/wine-run.sh" --prefix "$build/wineprefix" "$build/bench_copy.exe" "$media" "$work/out" "${ROUNDS:-3}"
rm -rf "$work/out"
