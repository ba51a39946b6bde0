#include "script/Profile.h"

#include "framework/Handles.h"

#include "script/MemMapFile.h"
#include "core/AtoiNumber.h"
#include "core/ProbeCount.h"
#include "core/ShiftJisPath.h"
#include "script/PathMacros.h"

#include <cstring>
#include <vector>

namespace {

// The executable's path up to its last "." (the whole path when there is none,
// or when the "." is the first character), followed by ".INI".
std::string DefaultIniName() {
    std::string path = GetModulePath();
    std::string::size_type dot = path.rfind('.');
    if (dot != std::string::npos && dot != 0) path.erase(dot);
    return path + ".INI";
}

// "Software\Main\" followed by the executable's file name.
std::string DefaultRegistryKey() {
    std::string path = GetModulePath();
    std::string::size_type slash = core::FindLastBackslash(path);
    return "Software\\Main\\" + (slash == std::string::npos ? path : path.substr(slash + 1));
}


// Growing private-profile buffers stop here, whatever the platform answers.
constexpr size_t kLargestProfileBuffer = 16 * 1024 * 1024;

// The zero-separated name list that GetPrivateProfileStringA gives for a null
// key (or a null section), read into a buffer that grows until the list fits.
std::vector<std::string> PrivateProfileNames(const char* section, const std::string& file) {
    std::vector<char> buffer(256);
    for (;;) {
        DWORD length = GetPrivateProfileStringA(section, nullptr, "", buffer.data(),
                                                static_cast<DWORD>(buffer.size()), file.c_str());
        if (length + 2 < buffer.size() || buffer.size() >= kLargestProfileBuffer) {
            std::vector<std::string> names;
            const char* name = buffer.data();
            const char* end = buffer.data() + length;
            while (name < end && *name) {
                names.emplace_back(name, strnlen(name, static_cast<size_t>(end - name)));
                name += names.back().size() + 1;
            }
            return names;
        }
        buffer.resize(buffer.size() * 2);
    }
}

// Value data of a registry value: type and bytes; false when it cannot be read.
bool QueryValue(HKEY key, const char* name, DWORD& type, std::vector<BYTE>& data) {
    DWORD size = 0;
    if (RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return false;
    // The value may grow between the two calls; ask again with the larger size.
    for (int attempt = 0; attempt < 4; ++attempt) {
        data.assign(size + 1, 0);  // one spare byte keeps a string without terminator terminated
        DWORD got = size;
        LONG result = RegQueryValueExA(key, name, nullptr, &type, data.data(), &got);
        if (result == ERROR_SUCCESS) {
            data.resize(got);
            return true;
        }
        if (result != ERROR_MORE_DATA) return false;
        size = got;
    }
    return false;
}

std::string StringOfSz(const std::vector<BYTE>& data) {
    std::string text(data.begin(), data.end());
    std::string::size_type zero = text.find('\0');
    if (zero != std::string::npos) text.erase(zero);
    return text;
}

DWORD DwordOf(const std::vector<BYTE>& data) {
    DWORD value = 0;
    for (size_t i = 0; i < sizeof(DWORD) && i < data.size(); ++i) value |= static_cast<DWORD>(data[i]) << (8 * i);
    return value;
}

// Name at the index through an enumeration call whose name buffer starts at
// 256 bytes and grows while the platform says more data is available.
template <class EnumCall>
BOOL EnumeratedName(EnumCall enumerate, std::string& name) {
    name.clear();
    DWORD count = 255;
    std::vector<char> buffer(256);
    for (;;) {
        DWORD length = count;
        LONG result = enumerate(buffer.data(), &length);
        if (result == ERROR_MORE_DATA && count < 0x10000) {
            count *= 2;
            buffer.assign(count * 2 + 1, 0);
            continue;
        }
        if (result != ERROR_SUCCESS) return FALSE;
        name.assign(buffer.data(), length < buffer.size() ? length : buffer.size());
        std::string::size_type zero = name.find('\0');
        if (zero != std::string::npos) name.erase(zero);
        return name.empty() ? FALSE : TRUE;
    }
}

// Size and time of last write of a file; false when it cannot be read.
// FindFirstFileA rather than GetFileAttributesExA, which Windows 95 lacks (a
// program that imports it does not even start there).
bool StampOf(const std::string& path, core::FileStamp& stamp) {
    if (path.find_first_of("*?") != std::string::npos) return false;  // a pattern, not one file
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(path.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return false;
    FindClose(find);
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return false;
    stamp.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    stamp.lastWrite = (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                      data.ftLastWriteTime.dwLowDateTime;
    return true;
}

}  // namespace

// ---- CProfile ----

CProfile::CProfile(const std::string& profileName) : m_strProfileName(profileName) {}

CProfile::~CProfile() = default;

const std::string& CProfile::GetProfileName() const { return m_strProfileName; }

const std::string& CProfile::GetSection() const { return m_strSection; }

void CProfile::SetSection(const char* section) { m_strSection = section ? section : ""; }

std::string CProfile::GetStringAt(int index, const std::string& defaultValue) {
    std::string key;
    if (!GetKeyAt(index, key)) return defaultValue;
    return GetString(key.c_str(), defaultValue, 0);
}

int CProfile::GetIntAt(int index, int defaultValue) {
    std::string key;
    if (!GetKeyAt(index, key)) return defaultValue;
    return GetInt(key.c_str(), defaultValue);
}

BOOL CProfile::SetProfileName(const std::string& name) {
    m_strProfileName = name;
    return TRUE;
}

// ---- CIniProfile ----

CIniProfile::CIniProfile(const std::string& fileName) : CProfile(fileName.empty() ? DefaultIniName() : fileName) {}

CIniProfile::~CIniProfile() { WritePrivateProfileStringA(nullptr, nullptr, nullptr, m_strProfileName.c_str()); }

BOOL CIniProfile::DeleteSection() {
    return WritePrivateProfileStringA(m_strSection.c_str(), nullptr, nullptr, m_strProfileName.c_str());
}

std::string CIniProfile::GetString(const char* key, const std::string& defaultValue, int) {
    std::vector<char> buffer(256);
    for (;;) {
        DWORD length = GetPrivateProfileStringA(m_strSection.c_str(), key, defaultValue.c_str(), buffer.data(),
                                                static_cast<DWORD>(buffer.size()), m_strProfileName.c_str());
        if (length + 1 < buffer.size() || buffer.size() >= kLargestProfileBuffer)
            return std::string(buffer.data(), length < buffer.size() ? length : buffer.size() - 1);
        buffer.resize(buffer.size() * 2);
    }
}

int CIniProfile::GetInt(const char* key, int defaultValue) {
    return static_cast<int>(
        GetPrivateProfileIntA(m_strSection.c_str(), key, defaultValue, m_strProfileName.c_str()));
}

BOOL CIniProfile::WriteString(const char* key, const char* value) {
    const bool noKey = key == nullptr || *key == '\0';
    const bool noValue = value == nullptr || *value == '\0';
    if (noKey && noValue) return DeleteSection();
    return WritePrivateProfileStringA(m_strSection.c_str(), key, value ? value : "", m_strProfileName.c_str());
}

BOOL CIniProfile::WriteInt(const char* key, int value) {
    return WriteString(key, std::to_string(value).c_str());
}

int CIniProfile::GetKeyCount() {
    return static_cast<int>(PrivateProfileNames(m_strSection.c_str(), m_strProfileName).size());
}

BOOL CIniProfile::GetKeyAt(int index, std::string& key) {
    std::vector<std::string> names = PrivateProfileNames(m_strSection.c_str(), m_strProfileName);
    key = index >= 0 && static_cast<size_t>(index) < names.size() ? names[index] : "";
    return key.empty() ? FALSE : TRUE;
}

int CIniProfile::GetSectionCount() {
    return static_cast<int>(PrivateProfileNames(nullptr, m_strProfileName).size());
}

BOOL CIniProfile::GetSectionAt(int index, std::string& name) {
    std::vector<std::string> names = PrivateProfileNames(nullptr, m_strProfileName);
    name = index >= 0 && static_cast<size_t>(index) < names.size() ? names[index] : "";
    return name.empty() ? FALSE : TRUE;
}

std::vector<std::string> CIniProfile::GetSectionNames() { return PrivateProfileNames(nullptr, m_strProfileName); }

std::vector<std::string> CIniProfile::GetKeyNames() { return PrivateProfileNames(m_strSection.c_str(), m_strProfileName); }

BOOL CIniProfile::DeleteKey(const char* key) {
    return WritePrivateProfileStringA(m_strSection.c_str(), key, nullptr, m_strProfileName.c_str());
}

// ---- CRegProfile ----

CRegProfile::CRegProfile(const std::string& keyPath, HKEY root)
    : CProfile(keyPath.empty() ? DefaultRegistryKey() : keyPath), m_hRoot(root) {}

CRegProfile::~CRegProfile() { CloseProfileKey(); }

HKEY CRegProfile::OpenProfileKey() {
    if (m_hKey) return m_hKey;
    HKEY key = nullptr;
    if (RegCreateKeyExA(m_hRoot, m_strProfileName.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_READ | KEY_CREATE_SUB_KEY | KEY_SET_VALUE, nullptr, &key, nullptr) == ERROR_SUCCESS)
        m_hKey = key;
    return m_hKey;
}

void CRegProfile::CloseProfileKey() {
    if (m_hKey) RegCloseKey(m_hKey);
    m_hKey = nullptr;
}

BOOL CRegProfile::SetProfileName(const std::string& name) {
    CloseProfileKey();
    return CProfile::SetProfileName(name);
}

BOOL CRegProfile::DeleteSection() {
    HKEY key = OpenProfileKey();
    if (!key) return TRUE;
    return RegDeleteKeyA(key, m_strSection.c_str()) == ERROR_SUCCESS ? TRUE : FALSE;
}

std::string CRegProfile::GetString(const char* key, const std::string& defaultValue, int) {
    HKEY profileKey = OpenProfileKey();
    fw::RegKey section;
    if (!profileKey || RegOpenKeyExA(profileKey, m_strSection.c_str(), 0, KEY_READ, section.Receive()) != ERROR_SUCCESS)
        return defaultValue;
    DWORD type = 0;
    std::vector<BYTE> data;
    if (!QueryValue(section.Get(), key, type, data)) return defaultValue;
    if (type == REG_SZ) return StringOfSz(data);
    if (type == REG_DWORD) return std::to_string(static_cast<LONG>(DwordOf(data)));
    return defaultValue;  // other types are not read
}

int CRegProfile::GetInt(const char* key, int defaultValue) {
    HKEY profileKey = OpenProfileKey();
    fw::RegKey section;
    if (!profileKey || RegOpenKeyExA(profileKey, m_strSection.c_str(), 0, KEY_READ, section.Receive()) != ERROR_SUCCESS)
        return defaultValue;
    DWORD type = 0;
    std::vector<BYTE> data;
    if (!QueryValue(section.Get(), key, type, data)) return defaultValue;
    if (type == REG_DWORD) return static_cast<int>(DwordOf(data));
    if (type == REG_SZ) return core::AtoiNumber(StringOfSz(data));
    return defaultValue;
}

BOOL CRegProfile::WriteString(const char* key, const char* value) {
    HKEY profileKey = OpenProfileKey();
    fw::RegKey section;
    if (!profileKey || RegCreateKeyExA(profileKey, m_strSection.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                       KEY_ALL_ACCESS, nullptr, section.Receive(), nullptr) != ERROR_SUCCESS)
        return FALSE;
    const std::string text = value ? value : "";
    return RegSetValueExA(section.Get(), key, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS
               ? TRUE
               : FALSE;
}

BOOL CRegProfile::WriteInt(const char* key, int value) {
    HKEY profileKey = OpenProfileKey();
    fw::RegKey section;
    if (!profileKey || RegCreateKeyExA(profileKey, m_strSection.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                       KEY_ALL_ACCESS, nullptr, section.Receive(), nullptr) != ERROR_SUCCESS)
        return FALSE;
    DWORD number = static_cast<DWORD>(value);
    return RegSetValueExA(section.Get(), key, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number) ==
                   ERROR_SUCCESS
               ? TRUE
               : FALSE;
}

int CRegProfile::GetKeyCount() {
    return core::CountByProbing([this](int index) {
        std::string name;
        return GetKeyAt(index, name) != FALSE;
    });
}

BOOL CRegProfile::GetKeyAt(int index, std::string& key) {
    key.clear();
    HKEY profileKey = OpenProfileKey();
    fw::RegKey section;
    if (index < 0 || !profileKey ||
        RegOpenKeyExA(profileKey, m_strSection.c_str(), 0, KEY_READ, section.Receive()) != ERROR_SUCCESS)
        return FALSE;
    return EnumeratedName(
        [&](char* buffer, DWORD* length) {
            return RegEnumValueA(section.Get(), static_cast<DWORD>(index), buffer, length, nullptr, nullptr, nullptr,
                                 nullptr);
        },
        key);
}

int CRegProfile::GetSectionCount() {
    return core::CountByProbing([this](int index) {
        std::string name;
        return GetSectionAt(index, name) != FALSE;
    });
}

BOOL CRegProfile::GetSectionAt(int index, std::string& name) {
    name.clear();
    HKEY profileKey = OpenProfileKey();
    if (index < 0 || !profileKey) return FALSE;
    return EnumeratedName(
        [&](char* buffer, DWORD* length) {
            return RegEnumKeyExA(profileKey, static_cast<DWORD>(index), buffer, length, nullptr, nullptr, nullptr,
                                 nullptr);
        },
        name);
}

BOOL CRegProfile::DeleteKey(const char* key) {
    HKEY profileKey = OpenProfileKey();
    fw::RegKey section;
    if (!profileKey ||
        RegOpenKeyExA(profileKey, m_strSection.c_str(), 0, KEY_ALL_ACCESS, section.Receive()) != ERROR_SUCCESS)
        return TRUE;
    return RegDeleteValueA(section.Get(), key) == ERROR_SUCCESS ? TRUE : FALSE;
}

// ---- CFileProfile ----

CFileProfile::CFileProfile(const std::string& fileName) : CProfile(fileName.empty() ? DefaultIniName() : fileName) {}

CFileProfile::~CFileProfile() {
    // Clear is virtual; during destruction this class's version runs, which is the one meant.
    CFileProfile::Clear();
}

void CFileProfile::SelectStoredSection() {
    m_pCurrentSection = m_pSections ? core::FindProfileSection(*m_pSections, m_strSection) : nullptr;
}

void CFileProfile::SetSection(const char* section) {
    const std::string name = section ? section : "";
    if (m_pCurrentSection && name == m_strSection) return;
    m_strSection = name;
    SelectStoredSection();
}

BOOL CFileProfile::DeleteSection() { return FALSE; }
BOOL CFileProfile::WriteString(const char*, const char*) { return FALSE; }
BOOL CFileProfile::WriteInt(const char*, int) { return FALSE; }
BOOL CFileProfile::DeleteKey(const char*) { return FALSE; }

std::string CFileProfile::GetString(const char* key, const std::string& defaultValue, int ignoreCase) {
    Load();
    if (!m_pCurrentSection || !key) return defaultValue;
    for (const CFileProfileEntry& entry : m_pCurrentSection->m_arrEntries) {
        if (entry.m_strKey == key || (ignoreCase == 1 && lstrcmpiA(entry.m_strKey.c_str(), key) == 0))
            return entry.m_strValue;
    }
    return defaultValue;
}

int CFileProfile::GetInt(const char* key, int defaultValue) {
    Load();
    if (!m_pCurrentSection || !key) return defaultValue;
    for (const CFileProfileEntry& entry : m_pCurrentSection->m_arrEntries)
        if (entry.m_strKey == key) return core::AtoiNumber(entry.m_strValue);
    return defaultValue;
}

int CFileProfile::GetKeyCount() {
    Load();
    return m_pCurrentSection ? static_cast<int>(m_pCurrentSection->m_arrEntries.size()) : 0;
}

const CFileProfileEntry* CFileProfile::EntryAt(int index) {
    Load();
    if (!m_pCurrentSection || index < 0 || static_cast<size_t>(index) >= m_pCurrentSection->m_arrEntries.size())
        return nullptr;
    return &m_pCurrentSection->m_arrEntries[index];
}

BOOL CFileProfile::GetKeyAt(int index, std::string& key) {
    const CFileProfileEntry* entry = EntryAt(index);
    if (!entry) return FALSE;
    key = entry->m_strKey;
    return TRUE;
}

std::string CFileProfile::GetStringAt(int index, const std::string& defaultValue) {
    const CFileProfileEntry* entry = EntryAt(index);
    return entry ? entry->m_strValue : defaultValue;
}

int CFileProfile::GetIntAt(int index, int defaultValue) {
    const CFileProfileEntry* entry = EntryAt(index);
    return entry ? core::AtoiNumber(entry->m_strValue) : defaultValue;
}

int CFileProfile::GetSectionCount() {
    Load();
    return m_pSections ? static_cast<int>(m_pSections->size()) : 0;
}

BOOL CFileProfile::GetSectionAt(int index, std::string& name) {
    name.clear();
    Load();
    if (!m_pSections || index < 0 || static_cast<size_t>(index) >= m_pSections->size()) return FALSE;
    name = (*m_pSections)[index].m_strName;
    return TRUE;
}

BOOL CFileProfile::SetProfileName(const std::string& name) {
    if (name == m_strProfileName) return TRUE;
    Clear();
    m_strProfileName = name;
    return Load();
}

void CFileProfile::Clear() {
    m_pSections.reset();
    m_pCurrentSection = nullptr;
    m_strProfileName.clear();
    m_strSection.clear();
}

int CFileProfile::Load() { return 0; }

// ---- CReadonlyFileProfile ----

CReadonlyFileProfile::CReadonlyFileProfile(const std::string& fileName, core::ParsedFileCache* cache)
    : CFileProfile(fileName), m_pCache(cache) {}

BOOL CReadonlyFileProfile::DeleteSection() { return FALSE; }
BOOL CReadonlyFileProfile::WriteString(const char*, const char*) { return FALSE; }
BOOL CReadonlyFileProfile::WriteInt(const char*, int) { return FALSE; }
BOOL CReadonlyFileProfile::DeleteKey(const char*) { return FALSE; }

int CReadonlyFileProfile::Load() {
    if (m_pSections && !m_pSections->empty()) return 1;
    core::FileStamp stamp;
    const bool stamped = m_pCache && StampOf(m_strProfileName, stamp);
    if (stamped) {
        if (core::ParsedFileCache::Content cached = m_pCache->Find(m_strProfileName, stamp)) {
            m_pSections = std::move(cached);
            SelectStoredSection();
            return 1;
        }
    }

    core::ProfileParser parser;
    {
        CMemMapFile file(m_strProfileName, 0);
        std::string line;
        // Stops when fewer than two unread bytes remain, and whenever the reader
        // cannot move on (an invalid position), so no file can hold it here.
        while (file.GetPosition() >= 0 && file.GetPosition() < file.GetLength() - 1) {
            const int before = file.GetPosition();
            file.ReadLine(line);
            if (file.GetPosition() <= before) break;
            parser.AddLine(line);
        }
    }
    m_pSections = std::make_shared<const core::FileProfileSections>(parser.TakeSections());
    if (stamped && !m_pSections->empty()) m_pCache->Store(m_strProfileName, stamp, m_pSections);
    SelectStoredSection();
    return 1;
}
