#!/usr/bin/env bash
# Installs the bundled sample product under Wine, from CD media that orvmedia lays out
# afresh in build/media/sample (compressed files, DISKn tags, SETUP.EXE; the installer
# may write into its SETUP.INF), showing its summary. With a DISPLAY the installer opens
# there for a person to use; without one it runs on Xvfb in a prefix cleared of what an
# earlier run left, is walked through automatically and leaves screenshots in
# build/screens/. Either way it then lists what the system update made
# (scripts/show-sample-update.sh). Headless, it finally saves a note of the user's into
# the installation directory and removes the product again as the platform's list of
# programs does ("uninstaller --remove SampleTool", which starts ORVUN100.EXE), walked
# through tests/e2e/uninstall-sample.steps with a screenshot of each of the uninstaller's
# dialogs, and shows what the record still holds: the directory the note keeps.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$top/build/win64"
orvmedia="$build/orvmedia-native/orvmedia"
media="$top/build/media/sample"
screens="$top/build/screens"
wine_run=("$top/scripts/wine-run.sh" --prefix "$build/wineprefix")

[[ -x "$orvmedia" && -f "$build/SETUP.EXE" ]] || { echo "run-sample.sh: no $orvmedia or SETUP.EXE: build first (make build-win64)" >&2; exit 1; }
rm -rf "$media"; mkdir -p "$screens"
echo "run-sample.sh: the sample's CD media, laid out by orvmedia in $media:"
"$orvmedia" build "$top/examples/sample/SETUP.INF" --source "$top/examples/sample" --source "$build/payload/sample" \
  --programs "$build" --layout cd --out "$media"

status=0
if [[ -n "${DISPLAY:-}" ]]; then
  "${wine_run[@]}" "$media/SETUP.EXE" || status=$?
else
  [[ -f "$build/uidriver.exe" ]] || { echo "run-sample.sh: no $build/uidriver.exe: build first (make build-win64)" >&2; exit 1; }
  rm -f "$screens"/*.png "$screens"/*.bmp
  # The walks expect a system without the sample: what an earlier run left (the note and
  # the record it holds back, or an installation that stopped half-way or was made with a
  # display) is taken away first.
  (
    wine_run() { "$top/scripts/wine-run.sh" --prefix "$build/wineprefix" "$@" </dev/null >/dev/null 2>&1; }
    export -f wine_run
    export top build DRIVE_C="$build/wineprefix/drive_c" PATH="$top/tests/e2e/bin:$PATH"
    export START_MENU="$DRIVE_C/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start Menu"
    "$top/tests/e2e/sample-cleanup.sh"
  )
  (cd "$media" && "${wine_run[@]}" "$build/uidriver.exe" --screens "$screens" \
     --script "$top/tests/e2e/sample-walk.steps" "$media/SETUP.EXE") || status=$?
  "$top/tools/uidriver/bmp-to-png.sh" "$screens"
  echo "screenshots: $screens"
fi
"$top/scripts/show-sample-update.sh" --prefix "$build/wineprefix"
if [[ -z "${DISPLAY:-}" && $status -eq 0 ]]; then
  # What the uninstaller leaves alone: a file of the user's own (as in the scenario).
  printf 'my notes\r\n' >"$build/wineprefix/drive_c/Program Files/Sample Tool/MEMO.TXT"
  (cd "$media" && "${wine_run[@]}" "$build/uidriver.exe" --screens "$screens" \
     --script "$top/tests/e2e/uninstall-sample.steps" 'C:\windows\system32\uninstaller.exe' --remove SampleTool) ||
    status=$?
  "$top/tools/uidriver/bmp-to-png.sh" "$screens"
  record="$build/wineprefix/drive_c/Program Files/Sample Tool/UNINSTAL.INF"
  echo "After the uninstallation, the record holds only what stays:"
  if [[ -f "$record" ]]; then iconv -f CP932 -t UTF-8 "$record" | tr -d '\r' | sed 's/^/  /'; else echo "  (no record)"; fi
elif [[ -n "${DISPLAY:-}" ]]; then
  echo "To remove the sample again: scripts/wine-run.sh --prefix build/win64/wineprefix uninstaller --remove SampleTool"
fi
exit "$status"
