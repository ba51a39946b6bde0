#!/usr/bin/env bash
# Prints what the sample product's system update made in a Wine prefix: the program folder's
# icons and the free shortcuts (target and description), its INI settings, its registry
# values and the uninstall notes of the update.
#
#   show-sample-update.sh [--prefix DIR]     (default: build/win64/wineprefix)
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
prefix="$top/build/win64/wineprefix"
[[ "${1:-}" == "--prefix" ]] && prefix="$2"
drive_c="$prefix/drive_c"
inst="$drive_c/Program Files/Sample Tool"
start_menu="$drive_c/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start Menu"

text() { iconv -f CP932 -t UTF-8 "$1" | tr -d '\r'; }
links() { "$top/scripts/list-links.sh" "$1" | sed 's/^/  /'; }
section() { awk -v s="[$2]" '$0 == s {on = 1; print; next} /^\[/ {on = 0} on' < <(text "$1"); }
registry() {
  "$top/scripts/wine-run.sh" --prefix "$prefix" reg query "$1" /s 2>/dev/null | iconv -f CP932 -t UTF-8 | tr -d '\r' |
    sed '/^$/d; s/^/  /' || echo "  (none)"
}

echo "Program folder (Start Menu\\Programs\\サンプル ツール):"
links "$start_menu/Programs/サンプル ツール"
echo "Free shortcuts (Start Menu):"
links "$start_menu"
echo "SAMPLE.INI:"
[[ -f "$inst/SAMPLE.INI" ]] && text "$inst/SAMPLE.INI" | sed 's/^/  /'
echo "WIN.INI:"
section "$drive_c/windows/win.ini" SampleTool | sed 's/^/  /'
echo "Registry:"
registry 'HKLM\Software\Sample'
registry 'HKCU\Software\Sample'
echo "Uninstall notes of the update (UNINSTAL.INF):"
for name in DeleteShortCut DeleteIniFile DeleteIniSection DeleteIniKeyword DeleteIniValue UnregisterOcx UnregisterAutomation \
            RestoreIniValue DeleteRegValue DeleteRegKey RestoreRegValue ReleaseSharedFile DeleteProgramItem; do
  [[ -f "$inst/UNINSTAL.INF" ]] && section "$inst/UNINSTAL.INF" "$name" | sed 's/^/  /'
done
exit 0
