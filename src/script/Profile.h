#pragma once
// One section/key/value interface over INI files, registry keys and the setup
// script's own text files. Profiles are short-lived local objects, one per task.
#include "core/ParsedFileCache.h"
#include "core/ProfileParser.h"

#include <windows.h>

#include <memory>
#include <string>

class CProfile {
public:
    explicit CProfile(const std::string& profileName);
    CProfile(const CProfile&) = delete;
    CProfile& operator=(const CProfile&) = delete;
    virtual ~CProfile();

    virtual const std::string& GetProfileName() const;
    virtual const std::string& GetSection() const;
    // Selects a section; a null name selects "".
    virtual void SetSection(const char* section);
    virtual BOOL DeleteSection() = 0;
    // Value of the key in the selected section, or the default. Returned as a
    // copy, so that no later call on any profile can change a caller's result.
    virtual std::string GetString(const char* key, const std::string& defaultValue, int ignoreCase = 0) = 0;
    virtual int GetInt(const char* key, int defaultValue) = 0;
    virtual BOOL WriteString(const char* key, const char* value) = 0;
    virtual BOOL WriteInt(const char* key, int value) = 0;
    virtual int GetKeyCount() = 0;
    virtual BOOL GetKeyAt(int index, std::string& key) = 0;
    // The entry at the index through GetKeyAt and GetString / GetInt.
    virtual std::string GetStringAt(int index, const std::string& defaultValue);
    virtual int GetIntAt(int index, int defaultValue);
    virtual int GetSectionCount() = 0;
    virtual BOOL GetSectionAt(int index, std::string& name) = 0;
    virtual BOOL DeleteKey(const char* key) = 0;
    virtual BOOL SetProfileName(const std::string& name);

protected:
    std::string m_strProfileName;
    std::string m_strSection;
};

// A private profile (INI) file through the platform's private-profile functions;
// a bare name such as "WIN.INI" lives in the Windows directory.
class CIniProfile : public CProfile {
public:
    // An empty name is the executable's path with the extension ".INI".
    explicit CIniProfile(const std::string& fileName = "");
    // Flushes the platform's private-profile cache for the file.
    ~CIniProfile() override;

    BOOL DeleteSection() override;
    std::string GetString(const char* key, const std::string& defaultValue, int ignoreCase = 0) override;
    int GetInt(const char* key, int defaultValue) override;
    // An empty key with an empty value deletes the whole selected section.
    BOOL WriteString(const char* key, const char* value) override;
    BOOL WriteInt(const char* key, int value) override;
    int GetKeyCount() override;
    BOOL GetKeyAt(int index, std::string& key) override;
    int GetSectionCount() override;
    BOOL GetSectionAt(int index, std::string& name) override;
    BOOL DeleteKey(const char* key) override;
    // Every section name of the file, and every key name of the selected section, in the
    // file's order, each from one reading.
    std::vector<std::string> GetSectionNames();
    std::vector<std::string> GetKeyNames();
};

// A registry key under a root; each section is a subkey ("" is the key itself).
// The key is opened (and created when missing) on first use.
class CRegProfile : public CProfile {
public:
    // An empty path is "Software\Main\" followed by the executable's file name.
    explicit CRegProfile(const std::string& keyPath = "", HKEY root = HKEY_LOCAL_MACHINE);
    ~CRegProfile() override;

    BOOL DeleteSection() override;
    std::string GetString(const char* key, const std::string& defaultValue, int ignoreCase = 0) override;
    int GetInt(const char* key, int defaultValue) override;
    BOOL WriteString(const char* key, const char* value) override;
    BOOL WriteInt(const char* key, int value) override;
    // Counted by probing value names, never by asking the registry.
    int GetKeyCount() override;
    BOOL GetKeyAt(int index, std::string& key) override;
    int GetSectionCount() override;
    BOOL GetSectionAt(int index, std::string& name) override;
    BOOL DeleteKey(const char* key) override;
    // Also lets go of the key held for the old name.
    BOOL SetProfileName(const std::string& name) override;

protected:
    // m_hKey, opened when needed; null when it cannot be opened.
    HKEY OpenProfileKey();
    void CloseProfileKey();

    HKEY m_hRoot;
    HKEY m_hKey = nullptr;
};

using CFileProfileEntry = core::FileProfileEntry;
using CFileProfileSection = core::FileProfileSection;

// A text file parsed into memory by the script's own parser; read only. The
// content is read at the first call that needs it.
class CFileProfile : public CProfile {
public:
    explicit CFileProfile(const std::string& fileName = "");
    ~CFileProfile() override;

    // Stores the name; once loaded, selects the first section of that exact name.
    void SetSection(const char* section) override;
    BOOL DeleteSection() override;
    // The first entry whose key matches exactly, or also regardless of case when ignoreCase is 1.
    std::string GetString(const char* key, const std::string& defaultValue, int ignoreCase = 0) override;
    int GetInt(const char* key, int defaultValue) override;
    BOOL WriteString(const char* key, const char* value) override;
    BOOL WriteInt(const char* key, int value) override;
    int GetKeyCount() override;
    BOOL GetKeyAt(int index, std::string& key) override;
    std::string GetStringAt(int index, const std::string& defaultValue) override;
    int GetIntAt(int index, int defaultValue) override;
    int GetSectionCount() override;
    BOOL GetSectionAt(int index, std::string& name) override;
    BOOL DeleteKey(const char* key) override;
    // The same name again changes nothing; another name drops the content and loads anew.
    BOOL SetProfileName(const std::string& name) override;
    // Drops the content, the selection and the name.
    virtual void Clear();
    // Loads the content when the profile holds no section yet; this base loads nothing.
    virtual int Load();

protected:
    const CFileProfileEntry* EntryAt(int index);
    void SelectStoredSection();

    // Sections in file order. Shared and immutable, so a run cache can hand the
    // same parsed file to many profiles.
    std::shared_ptr<const core::FileProfileSections> m_pSections;
    const CFileProfileSection* m_pCurrentSection = nullptr;
};

class CReadonlyFileProfile : public CFileProfile {
public:
    // With a cache, the parsed content of the path is taken from it while the
    // file is unchanged (same size and time of last write), and put into it.
    explicit CReadonlyFileProfile(const std::string& fileName = "", core::ParsedFileCache* cache = nullptr);

    BOOL DeleteSection() override;
    BOOL WriteString(const char* key, const char* value) override;
    BOOL WriteInt(const char* key, int value) override;
    BOOL DeleteKey(const char* key) override;
    // Parses the file through the mapped-file line reader.
    int Load() override;

private:
    core::ParsedFileCache* m_pCache;
};
