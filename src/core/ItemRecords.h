#pragma once
// The records that the item sections of the setup script yield, built from one
// line (key and value) each. Only the portable part lives here; the script layer
// gives them their class names and adds what needs the platform.
#include <string>
#include <string_view>

namespace core {

// Flag bits of an install-file item.
constexpr int FILEITEM_UNINSTALL = 1;  // note the file in the uninstall record
constexpr int FILEITEM_SHAREDDLL = 2;  // count the file as a shared DLL

// Timeout of a program to run that has no limit (INFINITE as an int).
constexpr int kExeTimeoutInfinite = -1;

// Show states of a program to run (the platform's SW_ values).
constexpr int kShowNormal = 1, kShowHide = 0, kShowMinimize = 6, kShowMaximize = 3;

// Registry value types (the platform's REG_ values).
constexpr unsigned long kRegSz = 1, kRegBinary = 3, kRegDword = 4;

// Install file: name = disk, source dir, source file, reserved, dest dir, dest
// file, size, flags, icon title. The icon title comes before the flags here.
struct FileItemFields {
    FileItemFields() = default;
    FileItemFields(std::string_view key, std::string_view value);

    std::string m_strName;
    int m_nDisk = 0;
    std::string m_strSrcDir;
    std::string m_strSrcFile;
    int m_nReserved = 0;
    std::string m_strDestDir;
    std::string m_strDestFile;
    int m_nSize = 0;
    std::string m_strIconTitle;
    int m_nFlags = FILEITEM_UNINSTALL;

    // Paths of the item, still holding their macros (expanded by the caller when used).
    // "$SRCDIR$" + source dir + "\" + source file.
    std::string GetSourcePath() const;
    // "$SRCDIR$" + source dir.
    std::string GetSourceDir() const;
    // The destination directory: the installation directory, a directory that begins
    // with a macro ("$SysDir$..."), or a sub-directory of the installation directory.
    std::string GetAppDir() const;
    // GetAppDir() + "\" + destination file.
    std::string GetDestPath() const;
    // A file whose destination directory is exactly "$WinDir$" or "$SysDir$" (in any
    // case) is shared with other programs: the platform decides where it goes, and it
    // is not counted among the shared DLLs.
    bool IsSharedFile() const;
};

// The file item the installer adds for its companion uninstaller when the uninstall
// record is on: ORVUN100.EX_ from disk 1, expanded into the system directory,
// neither recorded for uninstall nor counted as shared; iconTitle names its program icon.
FileItemFields UninstallerFileItem(std::string_view iconTitle);

// INI update: file = section, key, value, mode.
struct IniItemFields {
    IniItemFields(std::string_view key, std::string_view value);

    std::string m_strFile;
    std::string m_strSection;
    std::string m_strKey;
    std::string m_strValue;
    int m_nMode = 9;
};

// Registry roots that a registry update line may name; anything else is the current user.
enum class RegRoot { ClassesRoot, CurrentUser, LocalMachine, Users };
RegRoot RegRootFromName(std::string_view name);
// "BINARY" and "DWORD" name their types; anything else is a string value.
unsigned long RegTypeFromKeyword(std::string_view keyword);

// Program to run: program = working dir, wait, show state, time limit, arguments.
struct ExeItemFields {
    ExeItemFields(std::string_view key, std::string_view value);

    std::string m_strCommand;
    std::string m_strDirectory;
    int m_bSync = 1;
    int m_nShow = kShowNormal;
    int m_nTimeout = kExeTimeoutInfinite;
    std::string m_strArguments;
};

// OCX control: name = file, record flag.
struct OcxItemFields {
    OcxItemFields(std::string_view key, std::string_view value);

    std::string m_strName;
    std::string m_strPath;
    int m_bRecordUninstall = 1;
};

// Bit of an automation item's flags: note the server in the uninstall record.
constexpr int AUTOMATIONITEM_UNINSTALL = 8;

// OLE automation server: name = program, flags.
struct AutomationItemFields {
    AutomationItemFields(std::string_view key, std::string_view value);

    std::string m_strName;
    std::string m_strPath;
    int m_nFlags = AUTOMATIONITEM_UNINSTALL;
};

// Shortcut: description = link file, target.
struct ShortcutItemFields {
    ShortcutItemFields(std::string_view key, std::string_view value);

    std::string m_strDescription;
    std::string m_strLinkPath;
    std::string m_strTarget;
};

// Background text: corner = kind, point size, face name, text.
struct LogoItemFields {
    LogoItemFields() = default;
    LogoItemFields(std::string_view key, std::string_view value);

    int m_bText = 0;
    std::string m_strText;
    int m_nPosition = 0;
    int m_nPointSize = 0;
    std::string m_strFaceName;
};

// Install option: name = kind, description.
struct OptionItemFields {
    OptionItemFields(std::string_view key, std::string_view value);

    std::string m_strName;
    std::string m_strDescription;
    int m_nKind = 0;
};

// Byte-wise comparison that ignores the case of ASCII letters.
bool EqualsIgnoreAsciiCase(std::string_view a, std::string_view b);

}  // namespace core
