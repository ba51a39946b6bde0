#!/usr/bin/env bash
# Lists the shell links (.lnk) in a folder, one a line in the order of their names:
#   NAME -> TARGET (DESCRIPTION)
# Nothing for a missing or empty folder.
#
#   list-links.sh FOLDER
set -euo pipefail
shopt -s nullglob
LC_ALL=C.UTF-8  # the names' order: by their bytes
for link in "$1"/*.lnk; do
  lnkinfo "$link" | awk -v name="$(basename "$link")" -F'\t+: ' '
    /Local path/ {target = $2} /Description/ {text = $2}
    END {printf "%s -> %s (%s)\n", name, target, text}'
done
