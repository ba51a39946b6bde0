#!/usr/bin/env bash
# The sizes of the shipping programs and the room their first floppy disk leaves for a
# product (make bench; the shipping_sizes test with --check):
# - SETUP.EXE, __SETUP.EXE and ORVUN100.EXE of the i686 build as they ship, against
#   their budgets;
# - on disk 1 of the sample's floppy media: the room left after SETUP.EXE, SETUP.INF,
#   __SETUP.EXE, ORVUN100.EX_ and the DISK1 tag (scripts/floppy-room.sh), against the
#   goal of 1 MB (1024 x 1024 bytes) for the product's files.
# With --check it fails when a program is over budget or the room falls short.
#
#   shipping-sizes.sh [--check] [BUILD-DIR]     (default build/win32)
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
check=false
if [[ ${1:-} == --check ]]; then check=true; shift; fi
build=${1:-$top/build/win32}
readonly room_needed=$((1024 * 1024))

status=0
over() { echo "  over budget: $1"; status=1; }
kb() { echo "$(($1 / 1024)).$(($1 % 1024 * 10 / 1024))"; }  # one decimal, rounded down

echo "shipping programs ($build):"
for entry in SETUP.EXE:300 __SETUP.EXE:48 ORVUN100.EXE:200; do
  name=${entry%%:*} budget_kb=${entry##*:}
  bytes=$(stat -c %s "$build/$name")
  printf '  %-14s %8d bytes  %6s KB of %d KB\n' "$name" "$bytes" "$(kb "$bytes")" "$budget_kb"
  ((bytes <= budget_kb * 1024)) || over "$name"
done

disk1="$build/media/sample-floppy/disk1"
echo "disk 1 of the sample's floppy media ($disk1):"
room=$("$top/scripts/floppy-room.sh" "$disk1"/{SETUP.EXE,SETUP.INF,__SETUP.EXE,ORVUN100.EX_,DISK1})
grep -v '^free ' <<<"$room"
free=$(sed -n 's/^free //p' <<<"$room")
printf '  left for the product: %d bytes (%s KB); goal: %d KB\n' "$free" "$(kb "$free")" $((room_needed / 1024))
((free >= room_needed)) || over "room on disk 1, short of the goal by $(kb $((room_needed - free))) KB"

if $check; then exit $status; fi
