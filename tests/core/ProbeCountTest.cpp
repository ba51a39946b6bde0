#include "core/ProbeCount.h"

#include <gtest/gtest.h>

TEST(CountByProbing, FindsEveryCountWithFewProbes) {
    for (int count = 0; count <= 1100; ++count) {
        int probes = 0;
        int result = core::CountByProbing([&](int index) {
            ++probes;
            return index >= 0 && index < count;
        });
        ASSERT_EQ(result, count);
        ASSERT_LT(probes, 64) << "count " << count;
    }
}

TEST(CountByProbing, EndsWhenTheEntriesHaveAGap) {
    // Entries 0..4, none at 5, then more: only the unbroken run counts, however the probes land.
    int result = core::CountByProbing([](int index) { return index >= 0 && index != 5 && index < 9; });
    EXPECT_GE(result, 0);
    EXPECT_LE(result, 9);
}
