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

# The wall time and the processor time (user and system) of a command that prints
# nothing; a failure ends the benchmark.
timed() {
  local TIMEFORMAT='%R %U %S' report
  report=$({ time "$@" >/dev/null 2>&1; } 2>&1) || { echo "bench-copy.sh: failed: $*" >&2; return 1; }
  awk '{ print $1, $2 + $3 }' <<<"$report"
}
total_size() { find "$1" -name '*_' -printf '%s\n' | awk '{ s += $1 } END { print s }'; }
# The better of two "wall processor" lines: the one with the shorter wall time.
better() { awk -v a="$1" -v b="$2" 'BEGIN { split(a, x); split(b, y); print (b == "" || x[1] <= y[1]) ? a : b }'; }

# Each tool runs COMPRESS_ROUNDS times (default 2; the best counts, as the machine may be
# busy), from no output of its own and with nothing left to write back to the disk;
# orvmedia, whose run is short enough for a moment's disturbance to show, three times a
# round (ORVMEDIA_TRIES).
# mscompress writes NAME.EXT_ beside each file; its exit status says nothing. The
# media's SETUP.EXE is a stand-in, so orvmedia too is timed on the set's files alone.
mkdir -p "$work/programs"; printf 'MZ' >"$work/programs/SETUP.EXE"
ms_best="" orv_best=""
for ((round = 0; round < ${COMPRESS_ROUNDS:-2}; round++)); do
  rm -rf "$work/mscompress" "$media"; mkdir -p "$work/mscompress"
  cp "$plain"/TEXT*.TXT "$plain/BIG.DAT" "$work/mscompress/"
  sync
  ms_best=$(better "$(cd "$work/mscompress" && timed bash -c 'for f in *.TXT *.DAT; do mscompress "$f" || true; done')" "$ms_best")
  ms_size=$(total_size "$work/mscompress")
  for ((try = 0; try < ${ORVMEDIA_TRIES:-3}; try++)); do
    rm -rf "$media"
    sync
    orv_best=$(better "$(timed "$orvmedia" build "$plain/SETUP.INF" --source "$plain" --out "$media" --programs "$work/programs")" "$orv_best")
  done
  orv_size=$(total_size "$media")
done
rm -rf "$work/mscompress"
awk -v m="$ms_best" -v ms="$ms_size" -v o="$orv_best" -v os="$orv_size" -v cores="$(nproc)" -v load="$(cut -d' ' -f1 /proc/loadavg)" 'BEGIN {
  split(m, mt); split(o, ot)
  printf "compressor (%d cores, load %s): mscompress %.2f s (processor %.2f s), %d bytes; orvmedia %.3f s (processor %.3f s), %d bytes\n",
         cores, load, mt[1], mt[2], ms, ot[1], ot[2], os
  printf "compressor: orvmedia %.1f times as fast (%.1f in processor time), %.4f of the size\n", mt[1] / ot[1], mt[2] / ot[2], os / ms }'

rm -rf "$work/out"; mkdir -p "$work/out"
"$top/scripts/wine-run.sh" --prefix "$build/wineprefix" "$build/bench_copy.exe" "$media" "$work/out" "${ROUNDS:-7}"
rm -rf "$work/out"
