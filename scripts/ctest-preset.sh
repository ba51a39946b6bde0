#!/usr/bin/env bash
# Runs one CTest preset and says plainly what did not run.
#
#   ctest-preset.sh PRESET [CTEST-ARGS...]
#
# CTest counts a skipped test as passed ("100% tests passed") and names it only in a
# list at the end. This prints a banner naming every skipped or disabled test and
# writes the verdict, "passed" or "N of M SKIPPED", to build/PRESET/ctest.verdict for
# the closing line of "make test". The status is CTest's.
set -uo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
preset=$1; shift
log="$top/build/$preset/ctest.log"
verdict="$top/build/$preset/ctest.verdict"
rm -f "$verdict"
ctest --preset "$preset" "$@" 2>&1 | tee "$log"
status=${PIPESTATUS[0]}

total=$(sed -n 's/.* tests failed out of \([0-9]*\)$/\1/p' "$log" | tail -n1)
mapfile -t skipped < <(sed -n 's/^[[:space:]]*[0-9]* - \(.*\) (\(Skipped\|Disabled\))$/\1/p' "$log")
if [[ ${#skipped[@]} -eq 0 ]]; then
  echo passed >"$verdict"
else
  echo "${#skipped[@]} of ${total:-?} SKIPPED" >"$verdict"
  {
    echo
    echo "########################################################################################"
    echo "##  $preset: ${#skipped[@]} of ${total:-?} tests were SKIPPED, not passed:"
    printf '##    %s\n' "${skipped[@]}"
    echo "########################################################################################"
    echo
  } >&2
fi
exit "$status"
