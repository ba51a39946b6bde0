#include "common/FileUtils.h"
#include "script/Profile.h"
#include "script/ProfileLookup.h"
#include "TestSupport.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

std::string UniqueName(const char* prefix) {
    return std::string(prefix) + std::to_string(GetCurrentProcessId()) + "_" +
           testing::UnitTest::GetInstance()->current_test_info()->name();
}

}  // namespace

TEST(IniProfile, WinIniResolvesToTheWindowsDirectoryAndDeletesSections) {
    const std::string section = UniqueName("ScriptTest");
    const std::string longValue(1000, 'v');  // longer than the first result buffer
    {
        CIniProfile profile("WIN.INI");
        profile.SetSection(section.c_str());
        EXPECT_TRUE(profile.WriteString("First", "1"));
        EXPECT_TRUE(profile.WriteInt("Second", -42));
        EXPECT_TRUE(profile.WriteString("Long", longValue.c_str()));
        EXPECT_EQ(profile.GetString("first", "d"), "1");  // names in any case
        EXPECT_EQ(profile.GetInt("Second", 0), -42);
        EXPECT_EQ(profile.GetString("Long", ""), longValue);
        EXPECT_EQ(profile.GetString("Missing", "d"), "d");
        EXPECT_EQ(profile.GetKeyCount(), 3);
        std::string key;
        EXPECT_TRUE(profile.GetKeyAt(1, key));
        EXPECT_EQ(key, "Second");
        EXPECT_FALSE(profile.GetKeyAt(3, key));
        EXPECT_EQ(key, "");
        EXPECT_EQ(profile.GetIntAt(1, 7), -42);
        EXPECT_EQ(profile.GetStringAt(5, "none"), "none");
        EXPECT_TRUE(profile.DeleteKey("First"));
        EXPECT_EQ(profile.GetKeyCount(), 2);
    }
    // The flush at destruction has put the section into the Windows directory's WIN.INI.
    std::string text = testsupport::ReadTextFile(testsupport::WindowsDirectory() + "\\win.ini");
    EXPECT_NE(text.find("[" + section + "]"), std::string::npos);

    CIniProfile profile("WIN.INI");
    int sections = profile.GetSectionCount();
    bool found = false;
    std::string name;
    for (int index = 0; index < sections; ++index)
        if (profile.GetSectionAt(index, name) && name == section) found = true;
    EXPECT_TRUE(found);

    profile.SetSection(section.c_str());
    EXPECT_TRUE(profile.WriteString("", ""));  // empty key and value: the whole section goes
    EXPECT_EQ(profile.GetKeyCount(), 0);
    EXPECT_EQ(profile.GetString("Second", "gone"), "gone");
}

class RegProfile : public testing::Test {
protected:
    void SetUp() override { m_path = "Software\\" + UniqueName("SetupScriptTest"); }
    void TearDown() override {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, m_path.c_str(), 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
            char name[512];
            for (;;) {
                DWORD length = sizeof name;
                if (RegEnumKeyExA(key, 0, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
                if (RegDeleteKeyA(key, name) != ERROR_SUCCESS) break;
            }
            RegCloseKey(key);
        }
        RegDeleteKeyA(HKEY_CURRENT_USER, m_path.c_str());
    }
    std::string m_path;
};

TEST_F(RegProfile, CountsValuesAndSubkeysByProbing) {
    CRegProfile profile(m_path, HKEY_CURRENT_USER);
    int written = 0;
    for (int wanted : {0, 1, 2, 3, 100}) {
        profile.SetSection("Values");
        for (; written < wanted; ++written)
            ASSERT_TRUE(profile.WriteInt(("Value" + std::to_string(written)).c_str(), written));
        EXPECT_EQ(profile.GetKeyCount(), wanted) << wanted << " values";
    }
    profile.SetSection("Other");
    EXPECT_TRUE(profile.WriteString("x", "y"));
    EXPECT_EQ(profile.GetSectionCount(), 2);
    std::string name;
    EXPECT_TRUE(profile.GetSectionAt(1, name));
    EXPECT_EQ(name, "Values");  // subkeys come back sorted
    EXPECT_TRUE(profile.DeleteSection());
    EXPECT_EQ(profile.GetSectionCount(), 1);
}

TEST_F(RegProfile, ReadsStringAndDwordValuesEitherWay) {
    CRegProfile profile(m_path, HKEY_CURRENT_USER);
    profile.SetSection("Sub");
    ASSERT_TRUE(profile.WriteString("Text", " 42abc"));
    ASSERT_TRUE(profile.WriteInt("Number", -5));
    ASSERT_TRUE(profile.WriteString("Huge", "123456789012345678901234567890"));
    EXPECT_EQ(profile.GetString("Text", "d"), " 42abc");
    EXPECT_EQ(profile.GetInt("Text", 0), 42);
    EXPECT_EQ(profile.GetString("Number", "d"), "-5");
    EXPECT_EQ(profile.GetInt("Number", 0), -5);
    EXPECT_EQ(profile.GetInt("Huge", 0), 2147483647);
    EXPECT_EQ(profile.GetString("Missing", "d"), "d");
    EXPECT_EQ(profile.GetInt("Missing", 9), 9);

    // Written as REG_SZ with its terminating zero.
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, (m_path + "\\Sub").c_str(), 0, KEY_READ, &key), ERROR_SUCCESS);
    DWORD type = 0, size = 0;
    EXPECT_EQ(RegQueryValueExA(key, "Text", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(size, 7u);
    BYTE bytes[2] = {1, 2};
    HKEY writable = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, (m_path + "\\Sub").c_str(), 0, KEY_ALL_ACCESS, &writable), ERROR_SUCCESS);
    RegSetValueExA(writable, "Binary", 0, REG_BINARY, bytes, sizeof bytes);
    RegCloseKey(writable);
    RegCloseKey(key);
    EXPECT_EQ(profile.GetString("Binary", "d"), "d");  // other types give the default
    EXPECT_EQ(profile.GetInt("Binary", 3), 3);

    EXPECT_TRUE(profile.DeleteKey("Text"));
    EXPECT_EQ(profile.GetString("Text", "gone"), "gone");
    profile.SetSection("NoSuchSubkey");
    EXPECT_TRUE(profile.DeleteKey("Text"));  // nothing to open counts as done
}

TEST_F(RegProfile, LongValueNamesGrowTheNameBuffer) {
    CRegProfile profile(m_path, HKEY_CURRENT_USER);
    const std::string longName(700, 'n');
    ASSERT_TRUE(profile.WriteInt(longName.c_str(), 1));
    std::string key;
    EXPECT_TRUE(profile.GetKeyAt(0, key));
    EXPECT_EQ(key, longName);
    EXPECT_EQ(profile.GetKeyCount(), 1);
    EXPECT_FALSE(profile.GetKeyAt(1, key));
    EXPECT_EQ(key, "");
}

class FileProfile : public testing::Test {
protected:
    std::string Write(const std::string& text) {
        std::string path = m_dir.Path() + "\\TEST.INF";
        EXPECT_TRUE(testsupport::WriteTextFile(path, text));
        return path;
    }
    testsupport::TempDirectory m_dir;
};

TEST_F(FileProfile, ReadsSectionsAndEntriesAsParsed) {
    std::string path = Write(
        "[Config]\r\nKEY=upper\r\nkey=lower\r\nNum = 12x\r\n"
        "[Items]\r\nA=1\r\nB\r\n"
        "[Config]\r\nOther=1\r\n");
    CReadonlyFileProfile profile(path);
    profile.SetSection("Config");  // before anything is loaded
    EXPECT_EQ(profile.GetKeyCount(), 3);
    EXPECT_EQ(profile.GetString("key", "d"), "lower");
    EXPECT_EQ(profile.GetString("Key", "d"), "d");
    EXPECT_EQ(profile.GetString("Key", "d", 1), "upper");  // first match regardless of case
    EXPECT_EQ(profile.GetInt("Num", 0), 12);
    EXPECT_EQ(profile.GetString("Other", "d"), "d");  // in the second Config only
    EXPECT_EQ(profile.GetSectionCount(), 3);
    std::string name;
    EXPECT_TRUE(profile.GetSectionAt(1, name));
    EXPECT_EQ(name, "Items");

    profile.SetSection("Items");
    std::string key;
    EXPECT_TRUE(profile.GetKeyAt(1, key));
    EXPECT_EQ(key, "B");
    EXPECT_EQ(profile.GetStringAt(1, "d"), "");
    EXPECT_EQ(profile.GetIntAt(0, 5), 1);
    profile.SetSection("items");
    EXPECT_EQ(profile.GetKeyCount(), 0);
    EXPECT_FALSE(profile.GetKeyAt(0, key));

    EXPECT_FALSE(profile.WriteString("A", "2"));
    EXPECT_FALSE(profile.WriteInt("A", 2));
    EXPECT_FALSE(profile.DeleteKey("A"));
    EXPECT_FALSE(profile.DeleteSection());
}

TEST_F(FileProfile, SetProfileNameReloadsAndDropsTheSelection) {
    std::string first = Write("[S]\r\nk=first\r\n");
    std::string second = m_dir.Path() + "\\SECOND.INF";
    ASSERT_TRUE(testsupport::WriteTextFile(second, "[S]\r\nk=second\r\n"));
    CReadonlyFileProfile profile(first);
    profile.SetSection("S");
    EXPECT_EQ(profile.GetString("k", ""), "first");
    EXPECT_TRUE(profile.SetProfileName(first));
    EXPECT_EQ(profile.GetString("k", ""), "first");
    EXPECT_TRUE(profile.SetProfileName(second));
    EXPECT_EQ(profile.GetSection(), "");
    EXPECT_EQ(profile.GetString("k", "none"), "none");
    profile.SetSection("S");
    EXPECT_EQ(profile.GetString("k", ""), "second");
}

namespace {

FILETIME LastWriteTime(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
}

void SetLastWriteTime(const std::string& path, const FILETIME& time) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    SetFileTime(file, nullptr, nullptr, &time);
    CloseHandle(file);
}

std::string ValueOfK(const std::string& path, core::ParsedFileCache* cache) {
    CReadonlyFileProfile profile(path, cache);
    profile.SetSection("S");
    return profile.GetString("k", "");
}

}  // namespace

TEST_F(FileProfile, CacheHandsOneParseToManyProfilesWhileTheFileIsUnchanged) {
    std::string path = Write("[S]\r\nk=before\r\n");
    const FILETIME written = LastWriteTime(path);
    core::ParsedFileCache cache;
    EXPECT_EQ(ValueOfK(path, &cache), "before");

    // Same size and time of last write: the cached parse is taken.
    ASSERT_TRUE(testsupport::WriteTextFile(path, "[S]\r\nk=second\r\n"));
    SetLastWriteTime(path, written);
    EXPECT_EQ(ValueOfK(path, &cache), "before");
    EXPECT_EQ(ValueOfK(path, nullptr), "second");

    // Any change of size or time: parsed anew.
    ASSERT_TRUE(testsupport::WriteTextFile(path, "[S]\r\nk=third!\r\n"));
    EXPECT_EQ(ValueOfK(path, &cache), "third!");
}

TEST_F(FileProfile, ProfileHasSectionAndKey) {
    std::string path = Write("[Files]\r\nSample=1\r\n[Empty]\r\n");
    EXPECT_TRUE(ProfileHasSection(path, "Files"));
    EXPECT_TRUE(ProfileHasSection(path, "Empty"));
    EXPECT_FALSE(ProfileHasSection(path, "files"));
    EXPECT_TRUE(ProfileHasKey(path, "Files", "Sample"));
    EXPECT_FALSE(ProfileHasKey(path, "Files", "sample"));
    EXPECT_FALSE(ProfileHasKey(path, "Empty", "Sample"));
    EXPECT_FALSE(ProfileHasSection(m_dir.Path() + "\\MISSING.INF", "Files"));  // no question asked
    EXPECT_FALSE(ProfileHasKey(m_dir.Path() + "\\MISSING.INF", "Files", "Sample"));
}
