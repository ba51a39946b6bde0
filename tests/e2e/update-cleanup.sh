#!/usr/bin/env bash
# Takes away what the update scenarios (tests/e2e/update-*.steps) put into the test
# prefix: the product's folder and uninstall entry, its program folder (and a profile
# tree under the Windows directory, should a run have made one), its free shortcut, the
# INI files and registry keys it wrote, the registrations of the sample's control and
# server, and the temporary directory of a run that did not finish.
set -uo pipefail
rm -rf "$DRIVE_C/Program Files/Update Test"
rm -f "$DRIVE_C/windows/system32/ORVUN100.EXE" "$DRIVE_C/windows/UPDTEST.INI" "$DRIVE_C/windows/UPDDEL.INI"
rm -rf "$START_MENU/Programs/更新テスト" "$START_MENU/更新テスト.lnk"
rm -rf "$DRIVE_C/windows/Profiles"
rm -rf "$DRIVE_C/windows/SetupTmp"
for key in 'HKCU\Software\OrvanSetupTest' 'HKLM\Software\OrvanSetupTest' 'HKCU\Software\Sample' \
           'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\UpdateTest'; do
  wine_run reg delete "$key" /f || true
done
remove-win-ini-section OrvanSetupDeleteDirectory
exit 0
