#!/usr/bin/env bash
# Checks scripts/build-media.sh: both layouts of a small product, compression by
# source name, lookup of the plain file, the installer's section rules, and failures.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
src="$work/src"; mkdir -p "$src/DATA" "$src/EXTRA"
# Shift-JIS title whose second byte is "\" (ソ = 83 5C), a quoted field with a comma.
{
  printf '[Config]\nProduct=Test\n[InstallOption]\nOpt=FL,x\n'
  printf '[Common::InstallFiles]\nA.EXE=1,,A.EX_,0,,A.EXE,40,1,\x83\x5c\n'
  printf 'B.TXT = 1,,"B.TXT",0,,B.TXT,3\nC=1,\\DATA,C.DA_,0,DATA,RENAMED.DAT,30\n'
  printf '; E.BIN is shipped already compressed\nE.BIN=3,\\EXTRA,E.BI_,0,,E.BIN,10\nNOVALUE=\n'
  printf '[Opt::InstallFIles]\nF.DAT=3,,F.DA_,0,,F.DAT,10\n'
  printf '[Common::InstallFiles]\nIGNORED=1,,MISSING.EX_,0,,X,1\n[Other::InstallFIles]\nIGNORED=1,,MISSING.EX_,0,,X,1\n'
} >"$src/SETUP.INF"
printf 'program A program A program A\n' >"$src/A.EXE"
printf 'bbb' >"$src/B.TXT"
printf 'data C data C data C data C data C\n' >"$src/DATA/C.DAT"   # named by the last-character rule
printf 'SZDD-already' >"$src/EXTRA/E.BI_"
printf 'f f f f f f f\n' >"$src/F.DAX"                               # the only F.DA? file
printf 'MZ setup' >"$work/SETUP.EXE"; printf 'MZ uninstaller' >"$work/ORVUN100.EXE"; printf 'MZ helper' >"$work/HELPER.EXE"
build() { "$top/scripts/build-media.sh" --setup "$work/SETUP.EXE" --uninstaller "$work/ORVUN100.EXE" --from "$src" "$@"; }
listing() { (cd "$1" && find . -type f | sort | tr '\n' ' '); }
fail() { echo "FAILED: $*" >&2; exit 1; }

build --layout cd --out "$work/cd"
want="./A.EX_ ./B.TXT ./DATA/C.DA_ ./DISK1 ./DISK2 ./DISK3 ./EXTRA/E.BI_ ./F.DA_ ./ORVUN100.EX_ ./SETUP.EXE ./SETUP.INF "
[[ "$(listing "$work/cd")" == "$want" ]] || fail "cd layout: $(listing "$work/cd")"
msexpand <"$work/cd/A.EX_" | cmp -s - "$src/A.EXE" || fail "A.EX_ does not expand to A.EXE"
msexpand <"$work/cd/DATA/C.DA_" | cmp -s - "$src/DATA/C.DAT" || fail "C.DA_ does not expand to C.DAT"
msexpand <"$work/cd/ORVUN100.EX_" | cmp -s - "$work/ORVUN100.EXE" || fail "ORVUN100.EX_ is not the uninstaller"
cmp -s "$work/cd/EXTRA/E.BI_" "$src/EXTRA/E.BI_" && cmp -s "$work/cd/B.TXT" "$src/B.TXT" || fail "files named as they are were changed"
[[ "$(head -c 10 "$work/cd/A.EX_" | tail -c 1)" == E ]] || fail "the SZDD header lacks the name's last character"

build --layout floppy --out "$work/fd" --group-helper "$work/HELPER.EXE"
want1="./A.EX_ ./B.TXT ./DATA/C.DA_ ./DISK1 ./ORVUN100.EX_ ./SETUP.EXE ./SETUP.INF ./__SETUP.EXE "
[[ "$(listing "$work/fd/disk1")" == "$want1" ]] || fail "disk 1: $(listing "$work/fd/disk1")"
[[ "$(listing "$work/fd/disk2")" == "./DISK2 " ]] || fail "disk 2: $(listing "$work/fd/disk2")"
cmp -s "$work/fd/disk1/__SETUP.EXE" "$work/HELPER.EXE" || fail "the group helper is not beside SETUP.EXE"
[[ "$(listing "$work/fd/disk3")" == "./DISK3 ./EXTRA/E.BI_ ./F.DA_ " ]] || fail "disk 3: $(listing "$work/fd/disk3")"

# Failures: a missing file is named; the uninstaller is needed unless switched off.
rm "$src/B.TXT"
if out=$(build --layout cd --out "$work/bad" 2>&1); then fail "a missing file passed"; fi
[[ "$out" == *"B.TXT (disk 1"* ]] || fail "the missing file is not named: $out"
printf 'bbb' >"$src/B.TXT"
if "$top/scripts/build-media.sh" --setup "$work/SETUP.EXE" --from "$src" --layout cd --out "$work/bad" 2>/dev/null; then
  fail "the uninstaller was left out silently"
fi
sed -i 's/^Product=Test$/Product=Test\nUninstall=FALSE,x/' "$src/SETUP.INF"
"$top/scripts/build-media.sh" --setup "$work/SETUP.EXE" --from "$src" --layout cd --out "$work/off"
[[ ! -e "$work/off/ORVUN100.EX_" ]] || fail "Uninstall=FALSE still put the uninstaller on the media"
echo "build-media: both layouts as expected"
