#!/usr/bin/env bash
# scripts/floppy-room.sh counts whole clusters (an empty file takes none) and fails on
# files that need more clusters or more root entries than a 1.44 MB disk has.
set -uo pipefail
room="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/scripts/floppy-room.sh"
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

for bytes in 0 1 512 513; do head -c "$bytes" /dev/zero >"$work/F$bytes"; done
free=$("$room" "$work"/F{0,1,512,513} | sed -n 's/^free //p')
[[ $free == $(((2847 - 4) * 512)) ]] || fail "0, 1, 512 and 513 bytes leave $free bytes"

head -c $((2847 * 512)) /dev/zero >"$work/FULL"
free=$("$room" "$work/FULL" | sed -n 's/^free //p')
[[ $free == 0 ]] || fail "a full disk leaves $free bytes"
"$room" "$work/FULL" "$work/F1" >/dev/null 2>&1 && fail "one byte more than the disk fits"

mkdir "$work/tags" && touch "$work/tags/T"{1..225}
"$room" "$work/tags/"* >/dev/null 2>&1 && fail "225 files fit the root directory"
exit $((failures > 0))
