#include "core/MacroExpansion.h"
#include "core/ShiftJis.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

// A table over a map of values, counting how often each value is asked for.
struct TestMacros {
    std::vector<std::pair<std::string, std::string>> values;
    std::map<std::string, int> asked;

    std::vector<core::MacroDefinition> Table() {
        std::vector<core::MacroDefinition> table;
        for (auto& [name, value] : values) {
            const std::string* v = &value;
            const std::string key = name;
            table.push_back({name, [this, v, key] { ++asked[key]; return *v; }});
        }
        return table;
    }

    std::string Expand(std::string text, const core::ExpansionLimits& limits = {}) {
        auto table = Table();
        EXPECT_TRUE(core::ExpandMacroText(text, table, limits)) << text;
        return text;
    }
};

TestMacros Standard() {
    return TestMacros{{{"$ProgramFiles$", "C:\\Program Files"},
                       {"$WinDir$", "C:\\WINDOWS"},
                       {"$InstDir$", "C:\\P"},
                       {"$SrcDir$", "A:"}}, {}};
}

}  // namespace

TEST(ShiftJis, CutKeepsWholeCharactersWithinTheByteCount) {
    EXPECT_EQ(core::CutShiftJis("abcdef", 4), "abcd");
    EXPECT_EQ(core::CutShiftJis("a\x83\x41\x83\x43", 4), "a\x83\x41");  // never half of "イ"
    EXPECT_EQ(core::CutShiftJis("ab", 5), "ab");
    EXPECT_EQ(core::CutShiftJis("a\x83", 5), "a\x83");  // a lone lead byte at the end is one byte
}

TEST(ShiftJis, UpperCasesAsciiLettersButNeverATrailByte) {
    EXPECT_EQ(core::ToUpperShiftJis("abc$InstDir$xyz"), "ABC$INSTDIR$XYZ");
    // "ッ" is 0x83 0x61: its trail byte is 'a' and must stay.
    EXPECT_EQ(core::ToUpperShiftJis("a\x83\x61z"), "A\x83\x61Z");
    // A lead byte at the very end has no trail byte to protect.
    EXPECT_EQ(core::ToUpperShiftJis("a\x83"), "A\x83");
    // Half-width katakana (single bytes 0xA1-0xDF) have no case.
    EXPECT_EQ(core::ToUpperShiftJis("\xB1z"), "\xB1Z");
}

TEST(ShiftJis, EndsWithBackslashIgnoresTrailBytes) {
    EXPECT_TRUE(core::EndsWithBackslash("C:\\a\\"));
    EXPECT_FALSE(core::EndsWithBackslash("C:\\a"));
    EXPECT_FALSE(core::EndsWithBackslash("C:\\\x83\x5C"));  // "ソ"
    EXPECT_TRUE(core::EndsWithBackslash("C:\\\x83\x5C\\"));
    EXPECT_FALSE(core::EndsWithBackslash(""));
}

TEST(FindNoCase, MatchesAnyCaseOnCharacterBoundaries) {
    EXPECT_EQ(core::FindNoCase("x$instdir$y", "$InstDir$"), 1u);
    EXPECT_EQ(core::FindNoCase("$INSTDIR", "$InstDir$"), std::string_view::npos);
    // "ア" (0x83 0x41) and "ッ" (0x83 0x61) differ only in a trail byte's case.
    EXPECT_EQ(core::FindNoCase("\x83\x61", "\x83\x41"), std::string_view::npos);
    // No match may start on a trail byte.
    EXPECT_EQ(core::FindNoCase("\x83\x61", "A"), std::string_view::npos);
    EXPECT_EQ(core::FindNoCase("\x83\x61" "a", "A"), 2u);
}

TEST(MacroExpansion, ReplacesEveryOccurrenceInAnyCase) {
    auto macros = Standard();
    EXPECT_EQ(macros.Expand("$INSTDIR$\\a"), "C:\\P\\a");
    EXPECT_EQ(macros.Expand("$InstDir$\\a"), "C:\\P\\a");
    EXPECT_EQ(macros.Expand("$InstDir$\\$instdir$"), "C:\\P\\C:\\P");
    EXPECT_EQ(macros.Expand("$winDIR$\\$InstDir$;$SrcDir$"), "C:\\WINDOWS\\C:\\P;A:");
    EXPECT_EQ(macros.Expand(""), "");
}

TEST(MacroExpansion, LeavesUnknownAndUnclosedNamesAlone) {
    auto macros = Standard();
    EXPECT_EQ(macros.Expand("$Other$\\$InstDir"), "$Other$\\$InstDir");
    EXPECT_EQ(macros.Expand("100$ and $$"), "100$ and $$");
    // A Shift-JIS text around a macro passes unchanged ("表" ends in 0x5C).
    EXPECT_EQ(macros.Expand("\x95\x5C$InstDir$\x83\x61"), "\x95\x5C" "C:\\P\x83\x61");
}

TEST(MacroExpansion, ExpandsValuesThatHoldMacros) {
    TestMacros macros{{{"$ProgramFiles$", "C:\\Program Files"}, {"$InstDir$", "$ProgramFiles$\\App"}}, {}};
    EXPECT_EQ(macros.Expand("$InstDir$\\x"), "C:\\Program Files\\App\\x");
}

TEST(MacroExpansion, TriesMacrosInTableOrderAndAsksOnlyForThoseUsed) {
    // The first macro of the table wins even when a later one occurs further
    // left: in "$B$A$" the "$A$" goes first ("$Ba"); replacing "$B$" first
    // would have made "$A$" of the rest and given "a".
    TestMacros macros{{{"$A$", "a"}, {"$B$", "$"}}, {}};
    EXPECT_EQ(macros.Expand("$B$A$"), "$Ba");
    EXPECT_EQ(macros.asked["$A$"], 1);
    EXPECT_EQ(macros.asked.count("$B$"), 0u);

    TestMacros unused = Standard();
    unused.Expand("$SrcDir$\\x");
    EXPECT_EQ(unused.asked.count("$WinDir$"), 0u);
}

TEST(MacroExpansion, StopsARunawayExpansionAndKeepsTheText) {
    TestMacros self{{{"$InstDir$", "$InstDir$\\x"}}, {}};
    std::string text = "$InstDir$\\a";
    auto table = self.Table();
    EXPECT_FALSE(core::ExpandMacroText(text, table));
    EXPECT_EQ(text, "$InstDir$\\a");

    TestMacros mutual{{{"$InstDir$", "$SrcDir$\\x"}, {"$SrcDir$", "$InstDir$"}}, {}};
    table = mutual.Table();
    EXPECT_FALSE(core::ExpandMacroText(text, table));
    EXPECT_EQ(text, "$InstDir$\\a");

    // Values that multiply each other stop at the length bound.
    TestMacros doubling{{{"$A$", "$B$$B$"}, {"$B$", "$C$$C$"}, {"$C$", std::string(1000, 'x')}}, {}};
    table = doubling.Table();
    std::string many;
    for (int i = 0; i < 40; ++i) many += "$A$";
    EXPECT_FALSE(core::ExpandMacroText(many, table, {1024, 65536}));
    std::string few = "$A$";
    EXPECT_TRUE(core::ExpandMacroText(few, table, {1024, 65536}));
    EXPECT_EQ(few.size(), 4000u);
}

TEST(MacroExpansion, ReplacementBoundCountsEachReplacement) {
    TestMacros macros = Standard();
    auto table = macros.Table();
    std::string three = "$SrcDir$$SrcDir$$SrcDir$";
    EXPECT_FALSE(core::ExpandMacroText(three, table, {2, 65536}));
    EXPECT_TRUE(core::ExpandMacroText(three, table, {3, 65536}));
    EXPECT_EQ(three, "A:A:A:");
}

TEST(MacroCycle, FindsSelfAndMutualReferences) {
    using V = core::StoredMacroValue;
    std::vector<V> plain = {{"$InstDir$", "$ProgramFiles$\\App"}, {"$SrcDir$", "$instdir$\\src"}};
    EXPECT_FALSE(core::MacroValuesFormCycle(plain));
    std::vector<V> self = {{"$InstDir$", "C:\\$INSTDIR$"}, {"$SrcDir$", ""}};
    EXPECT_TRUE(core::MacroValuesFormCycle(self));
    std::vector<V> mutual = {{"$InstDir$", "$SrcDir$\\x"}, {"$SrcDir$", "$InstDir$"}};
    EXPECT_TRUE(core::MacroValuesFormCycle(mutual));
    std::vector<V> threeWay = {{"$A$", "$B$"}, {"$B$", "$C$"}, {"$C$", "x$a$"}};
    EXPECT_TRUE(core::MacroValuesFormCycle(threeWay));
}
