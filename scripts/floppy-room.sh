#!/usr/bin/env bash
# Room left on a 1.44 MB floppy disk (FAT12) that holds the files named, each in the root
# directory: the disk's 2847 data clusters of 512 bytes less each file rounded up to
# whole clusters (an empty file, such as a DISKn tag, takes a directory entry but no
# cluster). Fails when the files do not fit, in clusters or in the root directory's 224
# entries. Prints one line per file, then "free BYTES".
#
#   floppy-room.sh FILE...
set -euo pipefail
readonly clusters=2847 cluster_bytes=512 root_entries=224
[[ $# -ge 1 ]] || { echo "usage: floppy-room.sh FILE..." >&2; exit 2; }
(($# <= root_entries)) || { echo "floppy-room.sh: $# files, the root directory holds $root_entries" >&2; exit 1; }

used=0
for file in "$@"; do
  [[ -f $file ]] || { echo "floppy-room.sh: $file: no such file" >&2; exit 1; }
  bytes=$(stat -c %s "$file")
  taken=$(((bytes + cluster_bytes - 1) / cluster_bytes))
  used=$((used + taken))
  printf '  %-14s %8d bytes %5d clusters\n' "$(basename "$file")" "$bytes" "$taken"
done
((used <= clusters)) || { echo "floppy-room.sh: $used clusters, the disk has $clusters" >&2; exit 1; }
echo "free $(((clusters - used) * cluster_bytes))"
