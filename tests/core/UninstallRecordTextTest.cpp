#include "core/UninstallRecordText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(UninstallRecordText, EntryKeysBelowACountAreOnlyTheNumbersWritten) {
    EXPECT_TRUE(core::IsRecordEntryKeyBelow(core::RecordEntryKey(0), 1));
    EXPECT_TRUE(core::IsRecordEntryKeyBelow(core::RecordEntryKey(11), 12));
    EXPECT_FALSE(core::IsRecordEntryKeyBelow("12", 12));
    EXPECT_FALSE(core::IsRecordEntryKeyBelow("0", 0));
    // Keys no run writes: leading zeros, signs, blanks, other text, overflow.
    for (const char* key : {"", "01", "00", "-1", "+1", " 1", "1 ", "1a", "9999999999999"})
        EXPECT_FALSE(core::IsRecordEntryKeyBelow(key, 1000)) << key;
}

TEST(UninstallRecordText, FieldsRoundTripWhateverTheyHold) {
    const std::vector<std::vector<std::string>> cases = {
        {"WIN.INI", "Sec", "Key", "plain"},
        {"C:\\a,b\\x.ini", "sec \"q\"", "k", "old, value"},
        {"f", "s", "k", ""},                           // an empty old value
        {"f", "s", "k", "  blanks kept  "},            // the profile reader would trim them
        {"\"", "\"\"", ",", ",,"},
        {"C:\\ソフト\\表.ini", "セクション", "キー", "値"},  // "ソ" and "表" end in 0x5C
    };
    for (const auto& fields : cases) {
        const std::string note = core::RecordFields({fields[0], fields[1], fields[2], fields[3]});
        std::vector<std::string> back;
        ASSERT_TRUE(core::SplitRecordFields(note, back)) << note;
        EXPECT_EQ(back, fields) << note;
    }
    // Fields without commas or quotes are written exactly as they are.
    EXPECT_EQ(core::RecordFields({"WIN.INI", "Sec", "Key"}), "WIN.INI,Sec,Key");
}

TEST(UninstallRecordText, BadlyQuotedFieldsAreRefused) {
    std::vector<std::string> fields;
    EXPECT_FALSE(core::SplitRecordFields("\"open,b", fields));
    EXPECT_FALSE(core::SplitRecordFields("\"closed\"text,b", fields));
    EXPECT_FALSE(core::SplitRecordFields("a,\"", fields));
    ASSERT_TRUE(core::SplitRecordFields("a,,b,", fields));
    EXPECT_EQ(fields, (std::vector<std::string>{"a", "", "b", ""}));
    ASSERT_TRUE(core::SplitRecordFields("mid\"quote,b", fields));  // only a leading quote quotes
    EXPECT_EQ(fields[0], "mid\"quote");
}

TEST(UninstallRecordText, RegistryPathsNameAKnownRootAndASubkey) {
    core::RegistryRoot root;
    std::string subKey;
    ASSERT_TRUE(core::SplitRegistryKeyPath("hkey_current_user\\Software\\A", root, subKey));
    EXPECT_EQ(root, core::RegistryRoot::CurrentUser);
    EXPECT_EQ(subKey, "Software\\A");
    EXPECT_EQ(core::RegistryKeyPath(core::RegistryRoot::LocalMachine, "S"), "HKEY_LOCAL_MACHINE\\S");
    for (const char* path : {"HKEY_LOCAL_MACHINE", "HKEY_LOCAL_MACHINE\\", "HKLM\\Software", "Software\\A", ""})
        EXPECT_FALSE(core::SplitRegistryKeyPath(path, root, subKey)) << path;
}

TEST(UninstallRecordText, RegistryDataRoundTripsPerType) {
    struct Case {
        std::uint32_t type;
        std::string bytes;
        std::string text;
    };
    const Case cases[] = {
        {core::kRegistrySz, std::string("C:\\x, y\0", 8), "C:\\x, y"},  // the terminating zero is not data
        {core::kRegistryExpandSz, "%WINDIR%", "%WINDIR%"},
        {core::kRegistryDword, std::string("\xff\xff\xff\xff", 4), "4294967295"},
        {core::kRegistryDword, std::string("\x64\0\0\0", 4), "100"},
        {core::kRegistryBinary, std::string("\x00\x0a\xff", 3), "000aff"},
        {7, std::string("a\0b\0\0", 5), "6100620000"},  // REG_MULTI_SZ keeps its zeros
    };
    for (const Case& c : cases) {
        std::string text, bytes;
        ASSERT_TRUE(core::RegistryDataText(c.type, c.bytes, text));
        EXPECT_EQ(text, c.text);
        ASSERT_TRUE(core::ParseRegistryData(c.type, text, bytes));
        EXPECT_EQ(bytes, c.type <= 2 ? c.text : c.bytes);
    }
    std::string out;
    EXPECT_FALSE(core::RegistryDataText(core::kRegistrySz, "two\r\nlines", out));
    for (const char* bad : {"", "-1", "4294967296", "1e3", " 1"})
        EXPECT_FALSE(core::ParseRegistryData(core::kRegistryDword, bad, out)) << bad;
    for (const char* bad : {"0", "0g", "abc"}) EXPECT_FALSE(core::ParseRegistryData(3, bad, out)) << bad;

    std::string note;
    ASSERT_TRUE(core::RestoreRegValueNote("HKEY_CURRENT_USER\\S", "Title", 1, "サンプル, 1.0", note));
    EXPECT_EQ(note, "HKEY_CURRENT_USER\\S,Title,1,\"サンプル, 1.0\"");
}
