#include "core/ParsedFileCache.h"

#include <gtest/gtest.h>

TEST(ParsedFileCache, GivesContentOnlyForTheSameStamp) {
    core::ParsedFileCache cache;
    auto content = std::make_shared<const core::FileProfileSections>(core::ParseProfileText("[S]\nk=v\n"));
    cache.Store("A:\\SETUP.INF", {8, 100}, content);
    EXPECT_EQ(cache.Find("A:\\SETUP.INF", {8, 100}), content);
    EXPECT_EQ(cache.Find("A:\\SETUP.INF", {9, 100}), nullptr);
    EXPECT_EQ(cache.Find("A:\\SETUP.INF", {8, 101}), nullptr);
    EXPECT_EQ(cache.Find("B:\\SETUP.INF", {8, 100}), nullptr);
    cache.Clear();
    EXPECT_EQ(cache.Find("A:\\SETUP.INF", {8, 100}), nullptr);
}
