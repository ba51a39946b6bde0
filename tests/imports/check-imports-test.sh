#!/usr/bin/env bash
# The import check fails on a program that is not there, on a program that imports a
# function its allowlist lacks (here: the real list without one of SETUP.EXE's imports),
# and on a library's import from a library that is not checked with it (so not shipped).
#   check-imports-test.sh SETUP.EXE DEPOCX.OCX
set -uo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
check="$top/scripts/check-imports.sh"
setup=$1 control=$2
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
failures=0
expect_failure() {  # TEXT COMMAND...: the command fails and prints TEXT
  local text=$1 output; shift
  if output=$("$@" 2>&1); then
    echo "FAIL: passed: $*"; failures=$((failures + 1))
  elif ! grep -qF -- "$text" <<<"$output"; then
    echo "FAIL: \"$text\" not in the output of $*:"; echo "$output"; failures=$((failures + 1))
  fi
}

expect_failure "$work/NOTHERE.EXE: missing" "$check" "$setup" "$work/NOTHERE.EXE"
grep -viE '^kernel32\.dll[[:space:]]+CloseHandle[[:space:]]' "$top/scripts/shipping-imports.txt" >"$work/list.txt"
expect_failure "KERNEL32.DLL CloseHandle" "$check" --allowlist "$work/list.txt" "$setup"
expect_failure "DEPLIB.DLL DepLibAnswer" "$check" "$setup" "$control"
exit $((failures > 0))
