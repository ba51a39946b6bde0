#!/usr/bin/env bash
# Fails unless every program named exists and imports nothing but what the allowlist
# names (scripts/shipping-imports.txt: what Windows 95 and Windows NT 3.51 both have)
# or what a library among the programs named exports (it ships beside them).
#
#   check-imports.sh [--allowlist FILE] PROGRAM...
set -euo pipefail
export LC_ALL=C  # one sort order for comm
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
allowlist="$here/shipping-imports.txt"
if [[ ${1:-} == --allowlist ]]; then allowlist=$2; shift 2; fi
[[ $# -ge 1 ]] || { echo "usage: check-imports.sh [--allowlist FILE] PROGRAM..." >&2; exit 2; }

allowed=$(awk '!/^[[:space:]]*(#|$)/ {print toupper($1), $2}' "$allowlist" | sort -u)

# "DLL FUNCTION" per import, DLL in upper case; an import by ordinal is "DLL #N".
imports_of() {
  i686-w64-mingw32-objdump -p "$1" | awk '
    /^\tDLL Name: / { dll = toupper($3); next }
    /^$/ || /^ / { next }
    dll != "" && $1 ~ /^[0-9a-f]+$/ && $2 ~ /^[0-9]+$/ {
      print dll, ($3 == "" || $3 == "<none>") ? "#" $2 : $3
    }' | sort -u
}

# "DLL FUNCTION" per function a library among the programs exports by name.
exports_of() {
  i686-w64-mingw32-objdump -p "$1" | awk -v dll="$(basename "$1" | tr '[:lower:]' '[:upper:]')" '
    /^\[Ordinal\/Name Pointer\] Table/ { on = 1; next }
    on && /^$/ { on = 0 }
    on && /^\t\[ *[0-9]+\] / { print dll, $NF }'
}
for program in "$@"; do
  if [[ -f $program ]]; then allowed+=$'\n'$(exports_of "$program"); fi
done
allowed=$(sort -u <<<"$allowed")

status=0
for program in "$@"; do
  if [[ ! -f $program ]]; then
    echo "$program: missing"
    status=1
    continue
  fi
  imports=$(imports_of "$program") || true
  if [[ -z $imports ]]; then  # every program imports something: the dump was not read
    echo "$program: no imports found (not a program, or objdump's output changed)"
    status=1
    continue
  fi
  unlisted=$(comm -23 <(echo "$imports") <(echo "$allowed"))
  if [[ -n $unlisted ]]; then
    echo "$program imports what $(basename "$allowlist") does not list:"
    sed 's/^/  /' <<<"$unlisted"
    status=1
  else
    echo "$program: $(wc -l <<<"$imports") imports, all listed"
  fi
done
exit $status
