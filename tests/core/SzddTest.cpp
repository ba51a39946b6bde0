#include "core/Szdd.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

namespace {

std::string Compressed(const std::string& data, const core::ParallelRun& run = {}) {
    std::string out;
    EXPECT_TRUE(core::CompressSzdd(data, 'T', out, run));
    return out;
}

// Compresses, expands with our reader and expects the same bytes and a header that tells their size.
void ExpectRoundTrip(const std::string& data, const core::ParallelRun& run = {}) {
    const std::string file = Compressed(data, run);
    core::SzddContent content;
    ASSERT_TRUE(core::ExpandSzdd(file, content));
    EXPECT_FALSE(content.truncated);
    EXPECT_EQ(content.headerSize, data.size());
    EXPECT_EQ(content.nameByte, 'T');
    ASSERT_EQ(content.data.size(), data.size());
    EXPECT_TRUE(content.data == data);
}

std::string RandomBytes(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string data(size, '\0');
    for (char& c : data) c = static_cast<char>(random() & 0xFF);
    return data;
}

}  // namespace

TEST(Szdd, WritesTheHeaderAndLiteralTokensOfShortFiles) {
    const std::string empty = Compressed("");
    EXPECT_EQ(empty, std::string("SZDD\x88\xF0\x27\x33" "AT\0\0\0\0", 14));
    // Three bytes that the blank-filled ring does not hold: one flag byte, three literals.
    EXPECT_EQ(Compressed("abc").substr(10), std::string("\x03\0\0\0\x07" "abc", 8));
    for (std::size_t size = 0; size < 20; ++size) ExpectRoundTrip(std::string("0123456789abcdefghij").substr(0, size));
}

TEST(Szdd, ReferencesTheBlanksTheRingStartsWithAndRunsLongerThanTheRing) {
    // Eighteen blanks at the start are one reference to the ring's initial blanks.
    EXPECT_EQ(Compressed(std::string(18, ' ')).size(), core::kSzddHeaderSize + 1 + 2);
    ExpectRoundTrip(std::string(10000, ' ') + "x" + std::string(5000, ' '));
    const std::string run(100000, 'x');
    ExpectRoundTrip(run);
    // Overlapping references: 18 bytes per two-byte reference, one flag byte per eight.
    EXPECT_LE(Compressed(run).size(), core::kSzddHeaderSize + 1 + 2 + (100000 / 18 + 2) * 17 / 8 + 1);
    std::string pattern;
    for (int i = 0; i < 3000; ++i) pattern += "pattern " + std::to_string(i % 700) + "\r\n";
    ExpectRoundTrip(pattern);
}

TEST(Szdd, RandomBytesGrowByNoMoreThanTheFlagBits) {
    for (std::size_t size : {1u, 7u, 8u, 9u, 4095u, 4096u, 4097u, 70000u}) {
        const std::string data = RandomBytes(size, static_cast<unsigned>(size));
        ExpectRoundTrip(data);
        EXPECT_LE(Compressed(data).size(), core::kSzddHeaderSize + size + (size + 7) / 8) << size;
    }
}

TEST(Szdd, SlicesCompressedInAnyOrderGiveOneStream) {
    // Slices finished in reverse order must give the one-thread result. Each slice but
    // the last ends after a whole group of eight tokens: its last references are cut or
    // dropped for that. The first slice (262,144 bytes) ends here in a run (references
    // cut short) or in random bytes whose last reference is a three-byte one (dropped),
    // followed by 0 to 7 literals, so every remainder of the token count comes up.
    core::ParallelRun backwards = [](std::size_t count, const std::function<void(std::size_t)>& task) {
        for (std::size_t i = count; i-- > 0;) task(i);
    };
    for (int tail = 0; tail < 8; ++tail) {
        for (const std::string end : {std::string(40, 'r'), std::string("xyz") + RandomBytes(9, 7) + "xyz"}) {
            std::string data = RandomBytes(262144 - tail - end.size(), tail);
            data += end + RandomBytes(static_cast<std::size_t>(tail), 99) + std::string(1000, 'a');
            SCOPED_TRACE(tail);
            ExpectRoundTrip(data, backwards);
            EXPECT_EQ(Compressed(data, backwards), Compressed(data));
        }
    }
}

TEST(Szdd, ReaderStopsWhereTheDataEndsAndRejectsOtherFiles) {
    core::SzddContent content;
    EXPECT_FALSE(core::ExpandSzdd("MZ\x90", content));
    EXPECT_FALSE(core::ExpandSzdd(std::string("SZDD\x88\xF0\x27\x33" "BT\0\0\0\0", 14), content));
    std::string file = Compressed(std::string(40, 'z'));
    ASSERT_TRUE(core::ExpandSzdd(file.substr(0, file.size() - 1), content));
    EXPECT_TRUE(content.truncated);
    EXPECT_LT(content.data.size(), content.headerSize);
}

TEST(Szdd, NameByteIsTheLastSingleByteCharacter) {
    EXPECT_EQ(core::SzddNameByte("SAMPLE.EXE"), 'E');
    EXPECT_EQ(core::SzddNameByte(""), 0);
    // "説明書" ends in a double-byte character; "ソ" (0x83 0x5C) too, though its last byte is "\".
    EXPECT_EQ(core::SzddNameByte("\x90\xE0\x96\xBE\x8F\x91"), 0);
    EXPECT_EQ(core::SzddNameByte("A.\x83\x5C"), 0);
    // A half-width katakana character is one byte.
    EXPECT_EQ(core::SzddNameByte("A.\xB1"), '\xB1');
}
