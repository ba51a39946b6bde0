#!/usr/bin/env bash
# Benchmark of the installer's memory (make bench): the private bytes of the installer at
# its success message, for a SETUP.INF of one item and for one of 10,000 items (8,000
# files and 2,000 INI updates), and the difference. bench_memory.exe is the installer with
# a thread that walks it and measures (tests/bench/win/bench_memory.cpp).
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$top/build/win64"
work="$build/bench-memory"
inst_unix="$build/wineprefix/drive_c/Bench Memory"

config() {  # the settings every variant shares: the welcome page only, no record
  printf '[Config]\r\nProduct=Memory Bench\r\nInstallDir=C:\\Bench Memory\r\n'
  printf 'ShowChooseDirPage=FALSE\r\nShowGroupNamePage=FALSE\r\nShowUserNamePage=FALSE\r\nUninstall=FALSE\r\n'
}

make_media() {  # DIR FILES INIS: made once; the installer is copied in afresh each time
  local dir=$1 files=$2 inis=$3 i name
  if [[ -f "$dir/.complete" ]]; then cp "$build/bench_memory.exe" "$dir/SETUP.EXE"; return; fi
  rm -rf "$dir"; mkdir -p "$dir"
  {
    config
    printf '[InstallFiles]\r\n'
    for ((i = 1; i <= files; i++)); do
      printf 'F%05d.TXT=1,,F%05d.TXT,0,DIR%03d,F%05d.TXT,10\r\n' "$i" "$i" $((i % 80)) "$i"
    done
    printf '[IniUpdates]\r\n'
    for ((i = 1; i <= inis; i++)); do
      printf '$InstDir$\\BENCH%02d.INI=Section%02d,Key%05d,Value of $InstDir$ %d\r\n' $((i % 20)) $((i % 7)) "$i" "$i"
    done
  } >"$dir/SETUP.INF"
  for ((i = 1; i <= files; i++)); do printf -v name 'F%05d.TXT' "$i"; printf 'file %05d\n' "$i" >"$dir/$name"; done
  cp "$build/bench_memory.exe" "$dir/SETUP.EXE"
  touch "$dir/.complete"
}

measure() {  # DIR: prints the private bytes
  rm -rf "$inst_unix"
  local bytes
  bytes=$("$top/scripts/wine-run.sh" --prefix "$build/wineprefix" "$1/SETUP.EXE" |
          sed -n 's/^private bytes at the success message: //p' | tr -d '\r')
  rm -rf "$inst_unix"
  [[ -n "$bytes" ]] || { echo "bench-memory.sh: no figure from $1" >&2; exit 1; }
  echo "$bytes"
}

make_media "$work/one" 1 0
make_media "$work/many" 8000 2000
one=$(measure "$work/one")
many=$(measure "$work/many")
echo "memory at the success message: one item $((one / 1024)) KB, 10,000 items (2,000 INI) $((many / 1024)) KB," \
     "difference $(( (many - one) / 1024 )) KB (goal: at most 4096 KB)"
