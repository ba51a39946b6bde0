#!/usr/bin/env bash
# Takes away what an installation of the sample product puts into the test prefix: its
# folder, its files in the system folder, its uninstall entry, what its system update made
# (program folder, shortcuts, registry keys, WIN.INI sections, registrations) and the
# directory notes and temporary directory an installation stopped half-way leaves; also
# what roundtrip-state.sh put there before it. Run from a scenario's cleanup.
set -uo pipefail
rm -rf "$DRIVE_C/Program Files/Sample Tool"
for file in SAMPCORE.DLL SAMPGRID.OCX ORVUN100.EXE; do rm -f "$DRIVE_C/windows/system32/$file"; done
rm -rf "$START_MENU/Programs/サンプル ツール" "$START_MENU/サンプル ツール.lnk" "$START_MENU/サンプル ツール ヘルプ.lnk"
rm -rf "$DRIVE_C/windows/SetupTmp" "$DRIVE_C/Program Files/Common Files/Sample"
for file in 'C:\Program Files\Common Files\Sample\SAMPSHR.DLL' 'C:\windows\system32\SAMPCORE.DLL'; do
  wine_run reg delete 'HKLM\Software\Microsoft\Windows\CurrentVersion\SharedDLLs' /v "$file" /f || true
done
for key in 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\SampleTool' 'HKLM\Software\Sample' 'HKCU\Software\Sample'; do
  wine_run reg delete "$key" /f || true
done
remove-win-ini-section OrvanSetupDeleteDirectory
for section in SampleTool 'SampleTool 0.9'; do remove-win-ini-section "$section"; done
exit 0
