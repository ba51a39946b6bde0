#!/usr/bin/env bash
# Runs verprobe.exe (what VerFindFileA / VerInstallFileA answer) under Wine in a
# throwaway prefix with the files and drives it expects: C:\probe, F:\ on a nearly
# full 1 MB tmpfs, R:\ on a read-only bind mount. Needs root (for the mounts) and
# the win64 build (cmake --build --preset win64 --target verprobe sample_media vertest1 vertest2
# orvmedia_native).
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build="$top/build/win64"
work=$(mktemp -d /tmp/verprobe.XXXXXX)
prefix="$work/prefix"
wine_run() { "$top/scripts/wine-run.sh" --prefix "$prefix" "$@"; }
cleanup() {
  umount "$work/full" 2>/dev/null || true
  umount "$work/ro" 2>/dev/null || true
  WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

wine_run cmd /c exit </dev/null >/dev/null 2>&1 || true
probe="$prefix/drive_c/probe"
stock="$probe/stock"
mkdir -p "$stock" "$work/lay"
cp "$build/payload/sample/SAMPCORE.DLL" "$stock/"
cp "$build/payload/vertest/1/VERTEST.DLL" "$stock/VERTEST1.DLL"
cp "$build/payload/vertest/2/VERTEST.DLL" "$stock/VERTEST2.DLL"
printf 'tiny file' >"$stock/TINY.TXT"
head -c 300000 /dev/urandom >"$stock/BIG.DAT"

# The sources, compressed as product media are (orvmedia build).
lay_out() {  # OUT VERTEST-VERSION
  mkdir -p "$work/lay/$2"; cp "$stock"/{SAMPCORE.DLL,TINY.TXT,BIG.DAT} "$work/lay/$2/"
  cp "$stock/VERTEST$2.DLL" "$work/lay/$2/VERTEST.DLL"
  printf '[Config]\nUninstall=FALSE\n[InstallFiles]\na=1,,SAMPCORE.DL_,0,,SAMPCORE.DLL,13312\nb=1,,TINY.TX_,0,,TINY.TXT,9\nc=1,,BIG.DA_,0,,BIG.DAT,300000\nd=1,,VERTEST.DL_,0,,VERTEST.DLL,13312\ne=1,,VERTEST.DLL,0,,VERTEST.DLL,13312\n' >"$work/lay/$2/SETUP.INF"
  mkdir -p "$work/programs"; cp "$stock/TINY.TXT" "$work/programs/SETUP.EXE"
  "$build/orvmedia-native/orvmedia" build "$work/lay/$2/SETUP.INF" --layout cd --out "$1" \
    --programs "$work/programs" --source "$work/lay/$2" >/dev/null
  rm -f "$1"/DISK1 "$1"/SETUP.EXE "$1"/SETUP.INF
}
lay_out "$probe/src" 1
lay_out "$probe/src2" 2

# F: a 1 MB file system with about 100 KB left.
mkdir -p "$work/full"
mount -t tmpfs -o size=1m tmpfs "$work/full"
dd if=/dev/zero of="$work/full/filler" bs=1k count=900 status=none
ln -sfn "$work/full" "$prefix/dosdevices/f:"
# R: the sources on a read-only file system.
mkdir -p "$work/ro"
mount --bind "$probe/src" "$work/ro"
mount -o remount,bind,ro "$work/ro"
ln -sfn "$work/ro" "$prefix/dosdevices/r:"

cmake --build --preset win64 --target verprobe >/dev/null
wine_run "$build/verprobe.exe" 2>/dev/null  # (Wine's start-up notes go to stderr)
