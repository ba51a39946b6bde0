#include "core/DirectoryTree.h"
#include "core/MemoryReader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

std::vector<std::string> AllLines(std::string_view data) {
    std::vector<std::string> lines;
    int position = 0;
    std::string line;
    while (position >= 0 && static_cast<size_t>(position) < data.size()) {
        core::ReadLineAt(data, position, line);
        lines.push_back(line);
    }
    return lines;
}

using Lines = std::vector<std::string>;

}  // namespace

TEST(ReadLineAt, SplitsAtZeroLfAndCr) {
    EXPECT_EQ(AllLines("a=1\nb=2"), (Lines{"a=1", "b=2"}));
    EXPECT_EQ(AllLines("x\r\ny"), (Lines{"x", "", "y"}));
    EXPECT_EQ(AllLines("x\n\ry"), (Lines{"x", "y"}));
    EXPECT_EQ(AllLines(std::string_view("a\0b\r", 4)), (Lines{"a", "b"}));
    EXPECT_EQ(AllLines("\n\n"), (Lines{"", ""}));
}

TEST(ReadLineAt, EndOfDataAndInvalidPositionGiveNothing) {
    std::string line = "old";
    int position = 3;
    EXPECT_EQ(core::ReadLineAt("abc", position, line), 0);
    EXPECT_EQ(line, "");
    EXPECT_EQ(position, 3);

    line = "old";
    position = -1;
    EXPECT_EQ(core::ReadLineAt("abc", position, line), 0);
    EXPECT_EQ(line, "");
    EXPECT_EQ(position, -1);

    position = 0;
    EXPECT_EQ(core::ReadLineAt("", position, line), 0);
    EXPECT_EQ(position, 0);
}

TEST(ReadFixedAt, ReadsOnlyWhenEnoughBytesRemain) {
    const std::string_view data("\x01\x02\x03\x04\x05", 5);
    int position = 0;
    std::int32_t value = 0;
    EXPECT_EQ(core::ReadFixedAt(data, position, &value, 4), 4);
    EXPECT_EQ(value, 0x04030201);  // little-endian machines only
    EXPECT_EQ(position, 4);
    EXPECT_EQ(core::ReadFixedAt(data, position, &value, 4), 0);
    EXPECT_EQ(position, 4);
    std::uint8_t byte = 0;
    EXPECT_EQ(core::ReadFixedAt(data, position, &byte, 1), 1);
    EXPECT_EQ(byte, 5);
    EXPECT_EQ(core::ReadFixedAt(data, position, &byte, 1), 0);
}

TEST(ReadBytesAt, StopsAtTheEndOfTheData) {
    char buffer[8] = {};
    int position = 2;
    EXPECT_EQ(core::ReadBytesAt("abcde", position, buffer, 8), 3);
    EXPECT_EQ(std::string(buffer, 3), "cde");
    EXPECT_EQ(position, 5);
    EXPECT_EQ(core::ReadBytesAt("abcde", position, buffer, 8), 0);
    position = -1;
    EXPECT_EQ(core::ReadBytesAt("abcde", position, buffer, 8), 0);
}

TEST(SeekPosition, OriginsAndOutOfRangeResults) {
    EXPECT_EQ(core::SeekPosition(0, 10, 3, 0), 3);
    EXPECT_EQ(core::SeekPosition(3, 10, 4, 1), 7);
    EXPECT_EQ(core::SeekPosition(3, 10, -4, 1), -1);
    EXPECT_EQ(core::SeekPosition(0, 10, 0, 2), 9);  // the last byte
    EXPECT_EQ(core::SeekPosition(0, 10, 9, 2), 0);
    EXPECT_EQ(core::SeekPosition(0, 10, 10, 2), -1);
    EXPECT_EQ(core::SeekPosition(0, 10, 10, 0), -1);
    EXPECT_EQ(core::SeekPosition(0, 0, 0, 0), -1);
    EXPECT_EQ(core::SeekPosition(5, 10, 1, 3), -1);
    EXPECT_EQ(core::SeekPosition(2147483647, 2147483647, 2147483647, 1), -1);  // no overflow
    EXPECT_EQ(core::SeekPosition(0, 10, -2147483647 - 1, 2), -1);
}

TEST(DirectoryTreePrefixes, ParentsFirstFromTheFifthByte) {
    EXPECT_EQ(core::DirectoryTreePrefixes("C:\\a\\b\\c"), (Lines{"C:\\a", "C:\\a\\b", "C:\\a\\b\\c"}));
    EXPECT_EQ(core::DirectoryTreePrefixes("C:\\abc"), (Lines{"C:\\abc"}));
    EXPECT_EQ(core::DirectoryTreePrefixes("C:\\a\\"), (Lines{"C:\\a", "C:\\a\\"}));
    // "ソ" (0x83 0x5C) is one character, not a directory break.
    EXPECT_EQ(core::DirectoryTreePrefixes("C:\\\x83\x5C\x83\x74\x83\x67\\bin"),
              (Lines{"C:\\\x83\x5C\x83\x74\x83\x67", "C:\\\x83\x5C\x83\x74\x83\x67\\bin"}));
}
