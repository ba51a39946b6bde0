#include "core/ShiftJisPath.h"

#include <gtest/gtest.h>

#include <string>

TEST(ShiftJisPath, FindsTheLastRealBackslash) {
    EXPECT_EQ(core::FindLastBackslash("C:\\DISK1\\SETUP.EXE"), 8u);
    EXPECT_EQ(core::FindLastBackslash("SETUP.EXE"), std::string::npos);
    EXPECT_EQ(core::FindLastBackslash(""), std::string::npos);
    EXPECT_EQ(core::FindLastBackslash("\\"), 0u);
    // "ソ" is 0x83 0x5C: its second byte is not a separator.
    const std::string sjis = "C:\\\x83\x5C\\\x83\x5C.EXE";
    EXPECT_EQ(core::FindLastBackslash(sjis), 5u);
    EXPECT_EQ(core::FindLastBackslash("C:\\\x83\x5C"), 2u);
    // A lead byte at the very end stands alone.
    EXPECT_EQ(core::FindLastBackslash("A\\\x83"), 1u);
}
