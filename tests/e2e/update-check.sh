#!/usr/bin/env bash
# Checks what the update scenarios' product (tests/e2e/update-win95.inf) left after its
# installation: the program icons in the shell's Programs folder (on every platform with
# shell links), the free shortcut, INI files, registry values, registrations, the
# programs' records and the uninstall notes.
# Run as a scenario's check (it sees DRIVE_C, START_MENU and the scenario helpers).
set -euo pipefail
user=$(id -un)
inst='C:\Program Files\Update Test'
inst_unix="$DRIVE_C/Program Files/Update Test"
folder="$START_MENU/Programs/更新テスト"
folder_win="C:\\users\\$user\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\更新テスト"

failed=0
expect() {  # WHAT FOUND WANTED
  if [[ "$2" != "$3" ]]; then
    printf 'update-check: %s\n  found:  %s\n  wanted: %s\n' "$1" "${2//$'\n'/ | }" "${3//$'\n'/ | }" >&2
    failed=1
  fi
}
text() { iconv -f CP932 -t UTF-8 "$1" | tr -d '\r'; }                 # a Shift-JIS file
section() { text "$1" | awk -v s="[$2]" '$0 == s {on = 1; next} /^\[/ {on = 0} on'; }
link() { lnkinfo "$1" | sed -n 's/^[[:space:]]*\(Local path\|Description\)[[:space:]]*: //p' | paste -sd'|'; }
reg_value() { wine-output reg query "$1" /v "$2" | sed -n "s/^ *$2 *REG_[A-Z_]* *//p" || true; }  # KEY NAME

# Program icons (the uninstaller's entry brings its own), noted for the uninstaller.
expect "icons" "$(cd "$folder" 2>/dev/null && LC_ALL=C ls)" "$(printf '%s\n' お読みください.lnk サンプル\ 100%.lnk 更新テストの削除.lnk)"
expect "program icon" "$(link "$folder/サンプル 100%.lnk")" "$inst\\SAMPLE.EXE|サンプル 100%"
expect "readme icon" "$(link "$folder/お読みください.lnk")" "$inst\\README.TXT|お読みください"
expect "uninstaller icon" "$(link "$folder/更新テストの削除.lnk")" 'C:\windows\system32\ORVUN100.EXE|更新テストの削除'
record="$inst_unix/UNINSTAL.INF"
start_menu_win="C:\\users\\$user\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu"
expect "DeleteShortCut" "$(section "$record" DeleteShortCut)" \
  "0=$start_menu_win\\更新テスト.lnk
1=$folder_win\\サンプル 100%.lnk
2=$folder_win\\お読みください.lnk
3=$folder_win\\更新テストの削除.lnk"
# The program folder was made by this installation: it goes when it is empty.
expect "program folder noted" "$(section "$record" DeleteDirectory | sed 's/^[0-9]*=//' | grep -cxF "$folder_win")" 1
# The free shortcut; the one into a missing folder is not made.
expect "free shortcut" "$(link "$START_MENU/更新テスト.lnk")" "$inst\\SAMPLE.EXE|更新テスト"
expect "shortcut into a missing folder" "$(ls "$inst_unix" | grep -c NoSuchDir || true)" 0

# INI files: every mode, and what each write noted.
expect "UPDATE.INI" "$(text "$inst_unix/UPDATE.INI")" "[Settings]
Path=$inst
[Options]
Mode=two
Level=3"
expect "UPDTEST.INI" "$(text "$DRIVE_C/windows/UPDTEST.INI")" "[Keep]
Old=new
[Gone]
Stay=2"
expect "files not made or deleted" "$(ls "$inst_unix/NOFILE.INI" "$DRIVE_C/windows/UPDDEL.INI" 2>/dev/null || true)" ""
expect "INI notes" "$(for s in DeleteIniFile DeleteIniSection DeleteIniKeyword DeleteIniValue; do echo "[$s]"; section "$record" $s; done)" \
  "[DeleteIniFile]
0=$inst\\UPDATE.INI
[DeleteIniSection]
0=$inst\\UPDATE.INI,Options
[DeleteIniKeyword]
0=$inst\\UPDATE.INI,Options,Level
[DeleteIniValue]
0=$inst\\UPDATE.INI,Options,Level
1=UPDTEST.INI,Keep,Old"

# What the update took away or wrote over comes back; those notes follow the others.
expect "restored INI values" "$(section "$record" RestoreIniValue)" "0=UPDTEST.INI,Keep,Old,old
1=UPDTEST.INI,Gone,Key,1
2=UPDTEST.INI,Whole,A,1
3=UPDDEL.INI,S,K,1"
expect "sections after Config" "$(text "$record" | grep '^\[' | sed -n '/^\[Config\]$/,$p')" "[Config]
[RestoreIniValue]
[DeleteRegValue]
[DeleteRegKey]"

# Registry values; the kept one keeps its old data; an unknown root is the current user.
key='HKCU\Software\OrvanSetupTest\Update Test'
expect "registry" "$(for v in Path Count Kept Made Root; do reg_value "$key" $v; done)" "$inst
0x2a
old
made
current user"
expect "machine registry" "$(reg_value 'HKLM\Software\OrvanSetupTest\Update Test' Version)|$(reg_value 'HKLM\Software\OrvanSetupTest\Update Test' Root)" "0xc8|"
# The values made are noted (not the kept one); so are the keys made (the user's key was there).
expect "registry notes" "$(for s in DeleteRegValue DeleteRegKey RestoreRegValue; do echo "[$s]"; section "$record" $s; done)" \
  "[DeleteRegValue]
0=HKEY_CURRENT_USER\Software\OrvanSetupTest\Update Test,Path
1=HKEY_CURRENT_USER\Software\OrvanSetupTest\Update Test,Count
2=HKEY_CURRENT_USER\Software\OrvanSetupTest\Update Test,Made
3=HKEY_LOCAL_MACHINE\Software\OrvanSetupTest\Update Test,Version
4=HKEY_CURRENT_USER\Software\OrvanSetupTest\Update Test,Root
[DeleteRegKey]
0=HKEY_LOCAL_MACHINE\Software\OrvanSetupTest
1=HKEY_LOCAL_MACHINE\Software\OrvanSetupTest\Update Test
[RestoreRegValue]"

# The control and the server registered themselves and are noted; the broken ones are not.
expect "OCX registered" "$(reg_value 'HKCU\Software\Sample\SampleGrid' Path)" "$inst\\SAMPGRID.OCX"
expect "server registered" "$(reg_value 'HKCU\Software\Sample\SampleServer' LocalServer32)" "$inst\\SAMPLE.EXE"
expect "registration notes" "$(section "$record" UnregisterOcx; section "$record" UnregisterAutomation)" \
  "0=$inst\\SAMPGRID.OCX
0=$inst\\SAMPLE.EXE"

# The programs run: their command lines (program quoted, arguments as written) and directories.
expect "program waited for" "$(text "$inst_unix/sync.log")" "\"$inst\\ARGLOG.EXE\" sync.log \"two words\" 100%
$inst"
expect "program not waited for" "$(text "$inst_unix/async.log")" "\"$inst\\ARGLOG.EXE\" async.log /hold
$inst"
exit $failed
