#!/usr/bin/env bash
# Lays out an installed product whose program the uninstaller finds running: C:\E2E InUse
# with SAMPLE.EXE and README.TXT, its hand-written record and its entry in the uninstall
# list, and the uninstaller in the system directory. With --remove it takes all of that
# away again, with what a removal scheduled for the next start. For the in-use scenarios.
set -euo pipefail
dir="$DRIVE_C/E2E InUse"
entry='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\E2EInUse'
rm -rf "$dir" "$DRIVE_C/windows/WININIT.INI"
wine_run reg delete 'HKLM\System\CurrentControlSet\Control\Session Manager' /v PendingFileRenameOperations /f || true
if [[ "${1:-}" == --remove ]]; then
  rm -f "$DRIVE_C/windows/system32/ORVUN100.EXE"
  wine_run reg delete "$entry" /f || true
  exit 0
fi
cp "$build/ORVUN100.EXE" "$DRIVE_C/windows/system32/ORVUN100.EXE"
mkdir -p "$dir"
cp "$build/payload/sample/SAMPLE.EXE" "$dir/SAMPLE.EXE"
echo readme >"$dir/README.TXT"
wine_run reg add "$entry" /v UninstallString /d 'C:\windows\system32\ORVUN100.EXE C:\E2E InUse\UNINSTAL.INF' /f
printf '%s\n' '[DeleteFile]' '0=C:\E2E InUse\SAMPLE.EXE' '1=C:\E2E InUse\README.TXT' '2=C:\E2E InUse\UNINSTAL.INF' \
  '[DeleteDirectory]' '0=C:\E2E InUse' '[Config]' 'Product=E2E 使用中' \
  'Reg=SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\E2EInUse' | windows-text write "$dir/UNINSTAL.INF"
