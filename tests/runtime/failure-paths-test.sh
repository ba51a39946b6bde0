#!/usr/bin/env bash
# Runs failure-paths.exe (FailurePaths.cpp) of the shipping build under 32-bit Wine in the
# build tree's prefix: its caught failures end as the installer expects (exit 0), and
# std::terminate, called or reached by an uncaught failure, ends the process through
# abort() (exit 3). Skipped (77) where 32-bit Wine does not run.
#
#   failure-paths-test.sh PROGRAM PREFIX
set -uo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
program=$1 prefix=$2
"$top/scripts/wine32-loader.sh" >/dev/null || exit 77

status=0
expect() {
  local want=$1; shift
  "$top/scripts/wine-run.sh" --prefix "$prefix" --arch win32 "$program" "$@" >/dev/null 2>&1
  local got=$?
  if ((got != want)); then
    echo "failure-paths.exe ${*:-(no argument)}: exit $got, expected $want"
    status=1
  fi
}
expect 0
expect 3 terminate
expect 3 uncaught
exit $status
