#pragma once
// Texts of the uninstall record that need no platform: the registry key of the
// product's entry, the uninstaller's command line before expansion, the numbered keys
// of the record's sections, and the fields of its comma-joined notes, written and read
// by the same functions here (the installer writes them, the uninstaller reads them).
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace core {

// The uninstaller's command line with its path macros still in it: the
// uninstaller in the system directory, one blank, the record file.
inline constexpr char kUninstallCommandLine[] = "$SYSDIR$\\ORVUN100.EXE $INSTDIR$\\UNINSTAL.INF";
// The record file in the installation directory, macro unexpanded.
inline constexpr char kUninstallRecordFile[] = "$INSTDIR$\\UNINSTAL.INF";
// The uninstaller's file name: every product's record names it, none removes it.
inline constexpr char kUninstallerFileName[] = "ORVUN100.EXE";

// "SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\" followed by the key.
std::string UninstallKeyPath(std::string_view uninstallKey);

// The key of a numbered entry: the number in decimal ("%d").
std::string RecordEntryKey(int number);
// True when the key is one that RecordEntryKey gives for a number in [0, count).
bool IsRecordEntryKeyBelow(std::string_view key, int count);

// --- Fields of a note ---------------------------------------------------------------------
// A field that holds a comma or a double quote is written in double quotes, a quote in it
// doubled; so is one that begins or ends with a blank or tab, which the profile reader
// would otherwise trim away. Every other field is written exactly as it is. Neither byte
// is ever the second byte of a Shift-JIS character, so the bytes are scanned one by one.
std::string QuoteRecordField(std::string_view field);
// The fields, each as QuoteRecordField writes it, joined with commas.
std::string RecordFields(std::initializer_list<std::string_view> fields);
// Cuts a note into its fields. A field that begins with a double quote runs to the lone
// closing quote ("" inside stands for one quote) and must be followed by a comma or the
// end; any other field runs to the next comma as it is. False for a quoted field without
// its closing quote or with text after it.
bool SplitRecordFields(std::string_view note, std::vector<std::string>& fields);

// --- Registry notes -----------------------------------------------------------------------
// The roots a registry note may name, written with the platform's full names.
enum class RegistryRoot { ClassesRoot, CurrentUser, LocalMachine, Users };
std::string_view RegistryRootName(RegistryRoot root);
// "HKEY_LOCAL_MACHINE\Software\..."
std::string RegistryKeyPath(RegistryRoot root, std::string_view subKey);
// Splits "root\subkey"; false for an unknown root or an empty subkey (a root itself).
// The root's name is matched in any case.
bool SplitRegistryKeyPath(std::string_view path, RegistryRoot& root, std::string& subKey);

// The levels of a registry subkey, outermost first: "A\\B\\C" gives "A", "A\\B", "A\\B\\C".
// Double-byte characters are never split at a trail byte 0x5C; empty levels are skipped.
std::vector<std::string> RegistryKeyLevels(std::string_view subKey);

// A number of a note (a registry type, a REG_DWORD's data): decimal digits only, at most
// 4294967295; false for anything else.
bool ParseRecordNumber(std::string_view text, std::uint32_t& number);

// Registry value types as the notes number them.
inline constexpr std::uint32_t kRegistrySz = 1;
inline constexpr std::uint32_t kRegistryExpandSz = 2;
inline constexpr std::uint32_t kRegistryBinary = 3;
inline constexpr std::uint32_t kRegistryDword = 4;

// The data of a value as a note holds it: for REG_SZ and REG_EXPAND_SZ the text up to its
// first zero byte; for REG_DWORD the number in decimal; for every other type the bytes in
// lower-case hexadecimal, two digits each. False when the data cannot stand in one line
// of a profile (a text with a line break).
bool RegistryDataText(std::uint32_t type, std::string_view bytes, std::string& text);
// The bytes to write back: the text (without a terminating zero), the number as four
// bytes (low byte first), or the hexadecimal bytes (either case). False when the text
// does not fit the type.
bool ParseRegistryData(std::uint32_t type, std::string_view text, std::string& bytes);

// --- The notes of the sections that follow the original ones -------------------------------
// RestoreIniValue: "file,section,key,old value".
std::string RestoreIniValueNote(std::string_view file, std::string_view section, std::string_view key,
                                std::string_view oldValue);
// DeleteProgramItem: "group,icon title".
std::string DeleteProgramItemNote(std::string_view group, std::string_view title);
// DeleteRegValue: "root\key,value name" (an empty name is the key's default value).
std::string DeleteRegValueNote(std::string_view keyPath, std::string_view valueName);
// RestoreRegValue: "root\key,value name,type,data"; false when the data cannot be noted.
bool RestoreRegValueNote(std::string_view keyPath, std::string_view valueName, std::uint32_t type,
                         std::string_view bytes, std::string& note);

}  // namespace core
