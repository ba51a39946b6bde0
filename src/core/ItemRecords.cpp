#include "core/ItemRecords.h"

#include "core/AtoiNumber.h"
#include "core/GetField.h"

namespace core {

namespace {

std::string Field(std::string_view value, int index, std::string_view defaultValue = {}) {
    return GetField(value, index, defaultValue, ",");
}

int NumberField(std::string_view value, int index, std::string_view defaultValue = {}) {
    return AtoiNumber(Field(value, index, defaultValue));
}

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool EqualsIgnoreAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    return true;
}

FileItemFields::FileItemFields(std::string_view key, std::string_view value)
    : m_strName(key),
      m_nDisk(NumberField(value, 0)),
      m_strSrcDir(Field(value, 1)),
      m_strSrcFile(Field(value, 2)),
      m_nReserved(NumberField(value, 3)),
      m_strDestDir(Field(value, 4)),
      m_strDestFile(Field(value, 5)),
      m_nSize(NumberField(value, 6)),
      m_strIconTitle(Field(value, 8)),
      m_nFlags(NumberField(value, 7, "1")) {}

FileItemFields UninstallerFileItem(std::string_view iconTitle) {
    FileItemFields item;
    item.m_strName = "ORVUN100.EXE";
    item.m_nDisk = 1;
    item.m_strSrcFile = "ORVUN100.EX_";
    item.m_nReserved = 0;
    item.m_strDestDir = "$SYSDIR$";
    item.m_strDestFile = "ORVUN100.EXE";
    item.m_nSize = 0;
    item.m_strIconTitle = iconTitle;
    item.m_nFlags = 0;
    return item;
}

std::string FileItemFields::GetSourcePath() const { return GetSourceDir() + "\\" + m_strSrcFile; }

std::string FileItemFields::GetSourceDir() const { return "$SRCDIR$" + m_strSrcDir; }

std::string FileItemFields::GetAppDir() const {
    if (m_strDestDir.empty()) return "$INSTDIR$";
    if (m_strDestDir.front() == '$') return m_strDestDir;
    return "$INSTDIR$\\" + m_strDestDir;
}

std::string FileItemFields::GetDestPath() const { return GetAppDir() + "\\" + m_strDestFile; }

bool FileItemFields::IsSharedFile() const {
    return EqualsIgnoreAsciiCase(m_strDestDir, "$WinDir$") || EqualsIgnoreAsciiCase(m_strDestDir, "$SysDir$");
}

IniItemFields::IniItemFields(std::string_view key, std::string_view value)
    : m_strFile(key),
      m_strSection(Field(value, 0)),
      m_strKey(Field(value, 1)),
      m_strValue(Field(value, 2)),
      m_nMode(NumberField(value, 3, "9")) {}

RegRoot RegRootFromName(std::string_view name) {
    if (name == "CLASSES_ROOT") return RegRoot::ClassesRoot;
    if (name == "LOCAL_MACHINE") return RegRoot::LocalMachine;
    if (name == "USERS") return RegRoot::Users;
    return RegRoot::CurrentUser;
}

unsigned long RegTypeFromKeyword(std::string_view keyword) {
    if (keyword == "BINARY") return kRegBinary;
    if (keyword == "DWORD") return kRegDword;
    return kRegSz;
}

ExeItemFields::ExeItemFields(std::string_view key, std::string_view value)
    : m_strCommand(key), m_strDirectory(Field(value, 0, "$TmpDir$")) {
    // "同期" (synchronous) in Shift-JIS, whatever the compiler's execution charset.
    static constexpr std::string_view kSyncJapanese = "\x93\xaf\x8a\xfa";
    std::string wait = Field(value, 1, "SYNC");
    m_bSync = (wait == "SYNC" || wait == kSyncJapanese) ? 1 : 0;

    std::string show = Field(value, 2, "SHOW");
    if (show == "SHOW") m_nShow = kShowNormal;
    else if (show == "HIDE") m_nShow = kShowHide;
    else if (show == "MIN") m_nShow = kShowMinimize;
    else if (show == "MAX") m_nShow = kShowMaximize;
    else m_nShow = kShowNormal;  // an unknown word shows the program normally, as the default does

    int timeout = NumberField(value, 3);
    m_nTimeout = timeout == 0 ? kExeTimeoutInfinite : timeout;
    m_strArguments = Field(value, 4);
}

OcxItemFields::OcxItemFields(std::string_view key, std::string_view value)
    : m_strName(key), m_strPath(Field(value, 0)), m_bRecordUninstall(Field(value, 1) == "0" ? 0 : 1) {}

AutomationItemFields::AutomationItemFields(std::string_view key, std::string_view value)
    : m_strName(key), m_strPath(Field(value, 0)), m_nFlags(NumberField(value, 1, "8")) {}

ShortcutItemFields::ShortcutItemFields(std::string_view key, std::string_view value)
    : m_strDescription(key), m_strLinkPath(Field(value, 0)), m_strTarget(Field(value, 1)) {}

LogoItemFields::LogoItemFields(std::string_view key, std::string_view value) {
    static constexpr std::string_view kCorners[] = {"LT", "LB", "RT", "RB"};
    for (int corner = 0; corner < 4; ++corner)
        if (EqualsIgnoreAsciiCase(key, kCorners[corner])) m_nPosition = corner;
    m_bText = EqualsIgnoreAsciiCase(Field(value, 0), "T") ? 1 : 0;
    if (m_bText) {
        m_nPointSize = NumberField(value, 1);
        m_strFaceName = Field(value, 2);
        m_strText = Field(value, 3);
    } else {
        m_strText = Field(value, 1);
    }
}

OptionItemFields::OptionItemFields(std::string_view key, std::string_view value)
    : m_strName(key), m_strDescription(Field(value, 1)) {
    std::string kind = Field(value, 0);
    m_nKind = kind == "FL" ? 1 : kind == "GRP" ? 2 : 0;
}

}  // namespace core
