#include "core/GetField.h"

#include <gtest/gtest.h>

using core::GetField;

TEST(GetField, CutsFieldsAtCommas) {
    const char* line = "1,,SAMPLE.EXE, 0";
    EXPECT_EQ(GetField(line, 0, "d"), "1");
    EXPECT_EQ(GetField(line, 1, "d"), "d");  // empty field takes the default
    EXPECT_EQ(GetField(line, 2, "d"), "SAMPLE.EXE");
    EXPECT_EQ(GetField(line, 3, "d"), " 0");  // blanks are kept
    EXPECT_EQ(GetField(line, 4, "d"), "d");   // missing
    EXPECT_EQ(GetField(line, -1, "d"), "d");
    EXPECT_EQ(GetField("", 0, "d"), "d");
    EXPECT_EQ(GetField("abc", 0), "abc");
    EXPECT_EQ(GetField("a;b", 1, "", ";x"), "b");  // only the first separator byte counts
}

TEST(GetField, QuotesProtectSeparatorsAndOnePairIsRemoved) {
    EXPECT_EQ(GetField("x,\"a,b\",y", 1), "a,b");
    EXPECT_EQ(GetField("x,\"a,b\",y", 2), "y");
    EXPECT_EQ(GetField("\"\",y", 0, "d"), "d");          // two quotes: empty
    EXPECT_EQ(GetField("x,\"", 1, "d"), "d");            // a field of a single quote is empty
    EXPECT_EQ(GetField("\",y", 0, "d"), "\",y");         // unbalanced: the comma is quoted
    EXPECT_EQ(GetField("\"\"a\"\"", 0), "\"a\"");         // only one pair goes
    EXPECT_EQ(GetField("a\"b\"c,d", 0), "a\"b\"c");        // inner quotes stay
    EXPECT_EQ(GetField("a\"b,c,d", 1, "missing"), "missing");  // unbalanced: later commas are bytes
    EXPECT_EQ(GetField("a\"b,c,d", 0), "a\"b,c,d");
}

TEST(GetField, ScansByteByByte) {
    // A double-byte character whose trail byte is "," (0x2C) splits there.
    EXPECT_EQ(GetField("\x81,x", 0), "\x81");
    EXPECT_EQ(GetField("\x81,x", 1), "x");
}
