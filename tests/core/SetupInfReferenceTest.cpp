// The product makers' reference (docs/setup-inf.md) names every section, Config key and
// finding that the checker knows, so the two cannot drift apart.
#include "core/ScriptCheck.h"
#include "core/SetupScript.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#ifndef SETUP_SOURCE_DIR
#error "SETUP_SOURCE_DIR names the source tree"
#endif

TEST(SetupInfReference, NamesEverySectionConfigKeyAndFinding) {
    std::ifstream file(SETUP_SOURCE_DIR "/docs/setup-inf.md", std::ios::binary);
    ASSERT_TRUE(file) << "docs/setup-inf.md is missing";
    std::stringstream text;
    text << file.rdbuf();
    const std::string doc = text.str();
    auto named = [&](const std::string& name) { return doc.find("`" + name + "`") != std::string::npos; };
    for (std::string_view section : core::FixedSectionNames()) EXPECT_TRUE(named(std::string(section))) << section;
    for (const core::ItemKind& kind : core::ItemKinds()) {
        EXPECT_TRUE(named(std::string(kind.plain))) << kind.plain;
        EXPECT_TRUE(named("Common::" + std::string(kind.plain))) << kind.plain;
        EXPECT_TRUE(named("<option>::" + std::string(kind.option))) << kind.option;
    }
    for (std::string_view key : core::ConfigKeys()) EXPECT_TRUE(named(std::string(key))) << key;
    for (const core::FindingKind& kind : core::FindingKinds()) EXPECT_TRUE(named(std::string(kind.name))) << kind.name;
}
