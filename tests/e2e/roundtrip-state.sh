#!/usr/bin/env bash
# Puts into the prefix what an earlier version of the sample product and another product
# of its maker left, so that the sample's installation meets every case its uninstall
# record notes: in WIN.INI the section [SampleTool] with the old Version (written over)
# and the old section [SampleTool 0.9] (taken away); in the registry the old Version under
# HKLM (written over, a string before and a number after); the maker's libraries, each
# counted once under SharedDLLs: SAMPCORE.DLL of the same version in the system directory
# (written over) and a newer SAMPSHR.DLL in Common Files (kept). Run as a prepare command
# after sample-cleanup.sh, which takes all of it away again.
# roundtrip-state.sh --record: checks that the installation's record holds every kind of
# note (the program group's on Windows NT before 4.0 only; never an icon of a group that
# was there before), and prints the record when it does not.
set -euo pipefail
if [[ "${1:-}" == --record ]]; then
  record="$DRIVE_C/Program Files/Sample Tool/UNINSTAL.INF"
  wanted=(DeleteFile DeleteShortCut UnregisterOcx UnregisterAutomation DeleteIniFile DeleteIniSection
          DeleteIniKeyword DeleteIniValue DeleteDirectory Config RestoreIniValue DeleteRegValue DeleteRegKey
          RestoreRegValue ReleaseSharedFile)
  [[ $winver == nt351 ]] && wanted+=(DeleteProgramGroup)
  found=$(windows-text read "$record" | sed -n 's/^\[\(.*\)\]$/\1/p' | LC_ALL=C sort)
  if [[ "$found" != "$(printf '%s\n' "${wanted[@]}" | LC_ALL=C sort)" ]]; then
    echo "roundtrip-state.sh: the record lacks a kind of note, or holds one it should not:" >&2
    diff <(printf '%s\n' "${wanted[@]}" | LC_ALL=C sort) - <<<"$found" >&2 || true
    windows-text read "$record" >&2
    exit 1
  fi
  exit 0
fi
shared='HKLM\Software\Microsoft\Windows\CurrentVersion\SharedDLLs'
printf '%s\r\n' '[SampleTool]' 'Version=0.9' '[SampleTool 0.9]' 'InstallDir=C:\SAMPLE' 'Title=サンプル, 0.9' |
  iconv -f UTF-8 -t CP932 >>"$DRIVE_C/windows/win.ini"
wine_run reg add 'HKLM\Software\Sample\Sample Tool\1.0' /v Version /d 0.9 /f
mkdir -p "$DRIVE_C/Program Files/Common Files/Sample"
cp "$build/payload/vertest/2/VERTEST.DLL" "$DRIVE_C/Program Files/Common Files/Sample/SAMPSHR.DLL"
cp "$build/payload/sample/SAMPCORE.DLL" "$DRIVE_C/windows/system32/SAMPCORE.DLL"
for file in 'C:\Program Files\Common Files\Sample\SAMPSHR.DLL' 'C:\windows\system32\SAMPCORE.DLL'; do
  wine_run reg add "$shared" /v "$file" /t REG_DWORD /d 1 /f
done
