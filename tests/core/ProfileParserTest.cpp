#include "core/ProfileParser.h"

#include <gtest/gtest.h>

#include <string>

using core::FileProfileSections;
using core::ParseProfileText;

namespace {

std::string Entries(const core::FileProfileSection& section) {
    std::string out;
    for (const auto& entry : section.m_arrEntries) out += "<" + entry.m_strKey + "|" + entry.m_strValue + ">";
    return out;
}

}  // namespace

TEST(ProfileParser, SectionHeaders) {
    FileProfileSections sections = ParseProfileText(
        "   [Files] ; note\n"
        "[ Two Words ]\n"
        "[Open ended\n"
        "[Files]\n"
        "a=1\n");
    ASSERT_EQ(sections.size(), 4u);
    EXPECT_EQ(sections[0].m_strName, "Files");
    EXPECT_EQ(sections[1].m_strName, " Two Words ");
    EXPECT_EQ(sections[2].m_strName, "Open ended");
    EXPECT_EQ(sections[3].m_strName, "Files");

    // Lookups take the first of two equally named sections, exactly (case included).
    EXPECT_EQ(core::FindProfileSection(sections, "Files"), &sections[0]);
    EXPECT_EQ(core::FindProfileSection(sections, "files"), nullptr);
    EXPECT_TRUE(sections[0].m_arrEntries.empty());
    EXPECT_EQ(Entries(sections[3]), "<a|1>");
}

TEST(ProfileParser, KeysAndValues) {
    FileProfileSections sections = ParseProfileText(
        "ignored=before any header\n"
        "[S]\n"
        "key = value ; note \n"
        "empty=;x\n"
        "alone\n"
        "two words=v\n"
        "=nokey\n"
        "\t; comment\n"
        "quoted=\"a,b\"  \n"
        "tab\t=\t v\n"
        "semi;x=1\n"
        "dup=first\n"
        "dup=second\n");
    ASSERT_EQ(sections.size(), 1u);
    EXPECT_EQ(Entries(sections[0]),
              "<key|value ; note >"
              "<empty|>"
              "<alone|>"
              "<two|v>"
              "<|nokey>"
              "<quoted|\"a,b\"  >"
              "<tab|v>"
              "<semi|>"
              "<dup|first>"
              "<dup|second>");
}

TEST(ProfileParser, StopsWhenFewerThanTwoBytesRemain) {
    // Header, CR, LF and a last line without a line end: the value is complete.
    FileProfileSections sections = ParseProfileText("[S]\r\nk=value");
    ASSERT_EQ(sections.size(), 1u);
    EXPECT_EQ(Entries(sections[0]), "<k|value>");

    // A last line of a single byte is never read.
    sections = ParseProfileText("[S]\nk");
    ASSERT_EQ(sections.size(), 1u);
    EXPECT_TRUE(sections[0].m_arrEntries.empty());

    EXPECT_TRUE(ParseProfileText("").empty());
    EXPECT_TRUE(ParseProfileText("[").empty());
    EXPECT_EQ(ParseProfileText("[]").size(), 1u);
}

TEST(ProfileParser, DamagedInput) {
    // Zero bytes end lines; a Shift-JIS lead byte at the very end is just a byte.
    std::string data("[S]\0k=v\0\0[T\x81", 12);
    FileProfileSections sections = ParseProfileText(data);
    ASSERT_EQ(sections.size(), 2u);
    EXPECT_EQ(Entries(sections[0]), "<k|v>");
    EXPECT_EQ(sections[1].m_strName, "T\x81");

    // One long line without any line end.
    std::string longLine = "[S]\nkey=" + std::string(10 * 1024 * 1024, 'x');
    sections = ParseProfileText(longLine);
    ASSERT_EQ(sections.size(), 1u);
    ASSERT_EQ(sections[0].m_arrEntries.size(), 1u);
    EXPECT_EQ(sections[0].m_arrEntries[0].m_strValue.size(), 10u * 1024 * 1024);
}

TEST(ProfileParser, DoubleByteTrailBytesAreDelimiters) {
    // "ソ" is 0x83 0x5C and "[" is 0x5B: a trail byte that equals "=" (0x3D) splits the key.
    FileProfileSections sections = ParseProfileText("[S]\nA\x83=B=C\n");
    ASSERT_EQ(sections.size(), 1u);
    EXPECT_EQ(Entries(sections[0]), "<A\x83|B=C>");
}
