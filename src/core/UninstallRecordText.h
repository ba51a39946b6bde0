#pragma once
// Texts of the uninstall record that need no platform: the registry key of the
// product's entry, the uninstaller's command line before expansion, the joined
// fields of INI entries and the numbered keys of the record's sections.
#include <string>
#include <string_view>

namespace core {

// The uninstaller's command line with its path macros still in it: the
// uninstaller in the system directory, one blank, the record file.
inline constexpr char kUninstallCommandLine[] = "$SYSDIR$\\ORVUN100.EXE $INSTDIR$\\UNINSTAL.INF";
// The record file in the installation directory, macro unexpanded.
inline constexpr char kUninstallRecordFile[] = "$INSTDIR$\\UNINSTAL.INF";

// "SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\" followed by the key.
std::string UninstallKeyPath(std::string_view uninstallKey);

// Fields joined with commas, with no quoting ("%s,%s" and "%s,%s,%s").
std::string JoinRecordFields(std::string_view first, std::string_view second);
std::string JoinRecordFields(std::string_view first, std::string_view second, std::string_view third);

// The key of a numbered entry: the number in decimal ("%d").
std::string RecordEntryKey(int number);
// True when the key is one that RecordEntryKey gives for a number in [0, count).
bool IsRecordEntryKeyBelow(std::string_view key, int count);

}  // namespace core
