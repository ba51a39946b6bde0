#!/usr/bin/env bash
# Runs one end-to-end scenario with the UI driver under Wine.
#
#   run-scenario.sh [--build DIR] SCENARIO.steps
#
# Comment lines at the top of the scenario say how to set it up:
#   # program: SETUP.EXE        the program, copied from the build folder into the
#                               media folder and started there (default SETUP.EXE)
#   # media: examples/sample    a folder (relative to the repository) copied into
#                               the media folder first (default: nothing)
#   # winver: nt40              the platform Wine reports (default: win95)
#   # driver-fails-with: TEXT   the driver must fail and print TEXT (repeatable);
#                               for scenarios that test the driver's own failures
#   # driver-status: 2          the status the failing driver must end with (default 1)
# A file NAME.inf beside NAME.steps becomes the media folder's SETUP.INF.
# The media folder BUILD/e2e/NAME/media is made afresh; the driver runs in it
# (relative paths in expect-file are relative to it); screenshots end up as
# PNG files in BUILD/e2e/NAME/screens.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build="$top/build/win64"
if [[ "${1:-}" == "--build" ]]; then build="$2"; shift 2; fi
[[ $# -eq 1 ]] || { echo "usage: run-scenario.sh [--build DIR] SCENARIO.steps" >&2; exit 2; }
scenario=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
name=$(basename "$scenario" .steps)

header() {  # the values of "# KEY: value" lines, one a line
  sed -n "s/^#[[:space:]]*$1:[[:space:]]*//p" "$scenario" | sed 's/[[:space:]]*$//'
}
program=$(header program | tail -n1); program=${program:-SETUP.EXE}
media_source=$(header media | tail -n1)
winver=$(header winver | tail -n1); winver=${winver:-win95}

work="$build/e2e/$name"
media="$work/media"
rm -rf "$work"; mkdir -p "$media" "$work/screens"
if [[ -n "$media_source" && "$media_source" != none ]]; then cp -r "$top/$media_source/." "$media/"; fi
[[ -f "${scenario%.steps}.inf" ]] && cp "${scenario%.steps}.inf" "$media/SETUP.INF"
cp "$build/$program" "$media/$program"

status=0
(cd "$media" && "$top/scripts/wine-run.sh" --prefix "$build/wineprefix" --winver "$winver" \
   "$build/uidriver.exe" --screens "$work/screens" --script "$scenario" "$media/$program") \
   >"$work/driver.log" 2>&1 || status=$?
cat "$work/driver.log"
"$top/tools/uidriver/bmp-to-png.sh" "$work/screens"

mapfile -t failures < <(header driver-fails-with)
if [[ ${#failures[@]} -eq 0 ]]; then
  exit "$status"
fi
wanted_status=$(header driver-status | tail -n1); wanted_status=${wanted_status:-1}
if [[ $status -ne $wanted_status ]]; then
  echo "run-scenario.sh: the driver should have failed (status $wanted_status) but ended with $status" >&2
  exit 1
fi
for text in "${failures[@]}"; do
  if ! grep -qF -- "$text" "$work/driver.log"; then
    echo "run-scenario.sh: the driver's output lacks: $text" >&2
    exit 1
  fi
done
echo "run-scenario.sh: the driver failed as expected"
