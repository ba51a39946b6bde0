#!/usr/bin/env bash
# Takes away what an installation of the sample product puts into the test prefix: its
# folder, its files in the system folder, its uninstall entry and the directory notes an
# installation stopped half-way leaves in WIN.INI. Run from a scenario's cleanup.
set -uo pipefail
rm -rf "$DRIVE_C/Program Files/Sample Tool"
for file in SAMPCORE.DLL SAMPGRID.OCX ORVUN100.EXE; do rm -f "$DRIVE_C/windows/system32/$file"; done
wine_run reg delete 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\SampleTool' /f || true
win_ini="$DRIVE_C/windows/win.ini"
if [[ -f "$win_ini" ]]; then
  awk 'BEGIN{skip=0} /^\[/{skip=($0 ~ /^\[OrvanSetupDeleteDirectory\]/)} !skip' "$win_ini" >"$win_ini.tmp" && mv "$win_ini.tmp" "$win_ini"
fi
exit 0
