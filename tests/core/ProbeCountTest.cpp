#include "core/ProbeCount.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

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

TEST(CountByProbing, AGapItNeverProbesDoesNotCutTheCount) {
    // Entries 0..8 with none at 5 (the registry's unnamed default value reads as absent):
    // the probes pass over 5, so the count reaches the end of the list and no named entry
    // after the gap is lost to the readers, who skip the unnamed one.
    std::vector<int> probes;
    const int result = core::CountByProbing([&](int index) {
        probes.push_back(index);
        return index >= 0 && index != 5 && index < 9;
    });
    EXPECT_EQ(result, 9);
    EXPECT_EQ(std::count(probes.begin(), probes.end(), 5), 0);
}
