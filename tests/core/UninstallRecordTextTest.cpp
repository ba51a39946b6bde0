#include "core/UninstallRecordText.h"

#include <gtest/gtest.h>

TEST(UninstallRecordText, EntryKeysBelowACountAreOnlyTheNumbersWritten) {
    EXPECT_TRUE(core::IsRecordEntryKeyBelow(core::RecordEntryKey(0), 1));
    EXPECT_TRUE(core::IsRecordEntryKeyBelow(core::RecordEntryKey(11), 12));
    EXPECT_FALSE(core::IsRecordEntryKeyBelow("12", 12));
    EXPECT_FALSE(core::IsRecordEntryKeyBelow("0", 0));
    // Keys no run writes: leading zeros, signs, blanks, other text, overflow.
    for (const char* key : {"", "01", "00", "-1", "+1", " 1", "1 ", "1a", "9999999999999"})
        EXPECT_FALSE(core::IsRecordEntryKeyBelow(key, 1000)) << key;
}
