#!/usr/bin/env bash
# orvmedia build: a product with Japanese folder and file names on a CD and on floppies
# (with images that mtools and xorriso read back), compressed files that msexpand
# expands byte for byte (the edge cases of the compressor among them), the script
# written back with only disk numbers and sizes changed, the floppy capacity against
# what mtools can really put on a 1.44 MB disk, and the media checks of built media.
set -euo pipefail
orvmedia=$(realpath "${1:?usage: build-test.sh ORVMEDIA}")
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
export LC_ALL=C.UTF-8 MTOOLS_SKIP_CHECK=1
failures=0 passed=0
check() { if "$@"; then passed=$((passed + 1)); else echo "FAILED: $*"; failures=$((failures + 1)); fi; }
src="$work/src"; programs="$work/programs"
mkdir -p "$src/文書" "$programs"
printf 'MZ setup' >"$programs/SETUP.EXE"; printf 'MZ helper' >"$programs/__SETUP.EXE"
head -c 3000 /dev/urandom >"$programs/ORVUN100.EXE"
# The compressor's edge cases: empty, under 16 bytes, a run longer than the ring, one
# repeated byte, random bytes; the Japanese file's name ends in a double-byte character.
: >"$src/EMPTY.TXT"; printf 'short' >"$src/SHORT.TXT"
head -c 20000 /dev/zero | tr '\0' 'x' >"$src/RUN.TXT"
head -c 70000 /dev/zero >"$src/ZERO.BIN"
head -c 200000 /dev/urandom >"$src/RANDOM.BIN"
seq 1 3000 >"$src/文書/説明書.TXT"
seq 1 500 >"$src/文書/取扱説明"
{
  printf '; 製品\r\n[Config]\r\nProduct=テスト\r\nUninstall=TRUE,Test,削除\r\n[InstallFiles]\r\n'
  printf 'EMPTY=,,EMPTY.TX_,0,,EMPTY.TXT,\r\nSHORT=,,SHORT.TX_,0,,SHORT.TXT,99\r\nRUN=,,RUN.TX_,0,,RUN.TXT\r\n'
  printf 'ZERO=2,,ZERO.BI_,0,,ZERO.BIN,70000\r\nRANDOM=,,RANDOM.BI_,0,,RANDOM.BIN,1\r\n'
  printf '説明書=,\\文書,説明書.TX_,0,文書,説明書.TXT,,1,説明書\r\n取扱=,\\文書,取扱説明,0,文書,取扱説明,1\r\n'
} | iconv -f UTF-8 -t CP932 >"$src/SETUP.INF"

"$orvmedia" build "$src/SETUP.INF" --source "$src" --out "$work/cd" --programs "$programs" --images >"$work/cd.log"
listing=$(cd "$work/cd" && find . -type f | sort | tr '\n' ' ')
check test "$listing" == "./DISK1 ./DISK2 ./EMPTY.TX_ ./ORVUN100.EX_ ./RANDOM.BI_ ./RUN.TX_ ./SETUP.EXE ./SETUP.INF ./SHORT.TX_ ./ZERO.BI_ ./__SETUP.EXE ./cd.iso ./文書/取扱説明 ./文書/説明書.TX_ "
for pair in EMPTY.TX_:EMPTY.TXT SHORT.TX_:SHORT.TXT RUN.TX_:RUN.TXT ZERO.BI_:ZERO.BIN RANDOM.BI_:RANDOM.BIN 文書/説明書.TX_:文書/説明書.TXT; do
  check cmp -s <(msexpand <"$work/cd/${pair%%:*}") "$src/${pair#*:}"
done
check cmp -s <(msexpand <"$work/cd/ORVUN100.EX_") "$programs/ORVUN100.EXE"
check test "$(stat -c %s "$work/cd/RANDOM.BI_")" -le $((14 + 200000 + 25000))
check test "$(stat -c %s "$work/cd/ZERO.BI_")" -le 9000
# The script: disk numbers and sizes filled in where empty or wrong, every other byte kept.
want=$({
  printf '; 製品\r\n[Config]\r\nProduct=テスト\r\nUninstall=TRUE,Test,削除\r\n[InstallFiles]\r\n'
  printf 'EMPTY=1,,EMPTY.TX_,0,,EMPTY.TXT,0\r\nSHORT=1,,SHORT.TX_,0,,SHORT.TXT,5\r\nRUN=1,,RUN.TX_,0,,RUN.TXT,20000\r\n'
  printf 'ZERO=2,,ZERO.BI_,0,,ZERO.BIN,70000\r\nRANDOM=1,,RANDOM.BI_,0,,RANDOM.BIN,200000\r\n'
  printf '説明書=1,\\文書,説明書.TX_,0,文書,説明書.TXT,13893,1,説明書\r\n取扱=1,\\文書,取扱説明,0,文書,取扱説明,1892\r\n'
} | iconv -f UTF-8 -t CP932 | od -c)
check test "$(od -c <"$work/cd/SETUP.INF")" == "$want"
check "$orvmedia" check --werror "$work/cd/SETUP.INF" --source "$work/cd"
# The CD image read back by xorriso holds the same files under their Japanese names.
xorriso -osirrox on -indev "$work/cd/cd.iso" -extract / "$work/iso" >/dev/null 2>&1
check cmp -s "$work/iso/文書/説明書.TX_" "$work/cd/文書/説明書.TX_"

# Floppies of 300 KB (named relative to the current folder): files go on in order; ZERO
# is written for disk 2, and the files after it follow it there, though disk 1 has room.
(cd "$work" && "$orvmedia" build src/SETUP.INF --source src --out fd --programs programs --layout floppy \
  --disk-size 300000 --images >"$work/fd.log")
check test "$(grep -c '^disk ' "$work/fd.log")" -eq 2
check test -f "$work/fd/disk1/RUN.TX_" -a -f "$work/fd/disk2/ZERO.BI_" -a -f "$work/fd/disk1/ORVUN100.EX_"
mkdir -p "$work/back"; mcopy -s -n -i "$work/fd/disk2.img" '::/*' "$work/back/"
check test -f "$work/back/DISK2" -a -f "$work/back/RANDOM.BI_" -a -f "$work/back/文書/説明書.TX_"
# A file larger than a disk is refused with its name.
status=0; out=$("$orvmedia" build "$src/SETUP.INF" --source "$src" --out "$work/small" --programs "$programs" \
  --layout floppy --disk-size 100000 2>&1) || status=$?
check test $status -eq 1
check grep -q 'RANDOM.BI_ .*larger than a whole disk' <<<"$out"

# Sections in another order than the installer reads them ([Common::InstallFiles] first),
# no disk numbers written, and more than disk 1 holds: the uninstaller still goes on disk
# 1, and each line gets its own numbers.
mkdir -p "$work/order"; head -c 263000 /dev/urandom >"$work/order/A.BIN"; head -c 200000 /dev/urandom >"$work/order/B.BIN"
printf '[Config]\r\nUninstall=TRUE,Test,x\r\n[Common::InstallFiles]\r\nB=,,B.BI_,0,,B.BIN\r\n[InstallFiles]\r\nA=,,A.BI_,0,,A.BIN\r\n' \
  >"$work/order/SETUP.INF"
"$orvmedia" build "$work/order/SETUP.INF" --source "$work/order" --out "$work/orderfd" --programs "$programs" \
  --layout floppy --disk-size 300000 >/dev/null || echo "FAILED: the floppy set in another order"
check test -f "$work/orderfd/disk1/ORVUN100.EX_" -a -f "$work/orderfd/disk2/A.BI_" -a -f "$work/orderfd/disk3/B.BI_"
check test "$(tr -d '\r' <"$work/orderfd/disk1/SETUP.INF" | grep '^[AB]=' | tr '\n' ' ')" == \
  "B=3,,B.BI_,0,,B.BIN,200000 A=2,,A.BI_,0,,A.BIN,263000 "

# 1.44 MB disks filled to the last cluster: 300 files of 4,609 bytes (ten clusters,
# one byte in the last); mtools must take every disk the plan fills.
mkdir -p "$work/many"
{ printf '[Config]\r\nUninstall=FALSE\r\n[InstallFiles]\r\n'
  for i in $(seq -w 1 300); do head -c 4609 /dev/urandom >"$work/many/F$i.DAT"; printf 'F%s=,,F%s.DAT,0,,F%s.DAT,4609\r\n' $i $i $i; done
} >"$work/many/SETUP.INF"
"$orvmedia" build "$work/many/SETUP.INF" --source "$work/many" --out "$work/manyfd" --programs "$programs" \
  --layout floppy --images >"$work/many.log"
check grep -q '^disk 2: ' "$work/many.log"
for img in "$work/manyfd"/disk*.img; do
  n=$(mdir -b -i "$img" ::/ | wc -l); d=$(basename "$img" .img)
  check test "$n" -eq "$(find "$work/manyfd/$d" -type f | wc -l)"
done

# Media checks: a file taken away, a disk tag taken away, a size changed, a plain file
# under a compressed name, no uninstaller, no group helper.
rm "$work/cd/SHORT.TX_" "$work/cd/DISK2" "$work/cd/ORVUN100.EX_" "$work/cd/__SETUP.EXE"
cp "$src/RUN.TXT" "$work/cd/RUN.TX_"; seq 1 10 >"$work/cd/文書/取扱説明"
status=0; out=$("$orvmedia" check "$work/cd/SETUP.INF" --source "$work/cd") || status=$?
kinds=$(sed -n 's/.*\[\([a-z-]*\)\]$/\1/p' <<<"$out" | sort | tr '\n' ' ')
check test "$kinds" == "missing-disk missing-group-helper missing-source missing-uninstaller not-compressed size-mismatch "
check test $status -eq 1
echo "$passed passed, $failures failed"
[[ $failures -eq 0 ]]
