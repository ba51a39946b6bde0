// Run once per reported platform (SETUP_WINVER = win95, nt351 or nt40): the application's
// flags must match what the installer expects of that system.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "app/SetupApp.h"

TEST(Platform, FlagsMatchTheReportedWindows) {
    const char* env = std::getenv("SETUP_WINVER");
    const std::string winver = env && *env ? env : "win95";  // the Wine wrapper's default

    CSetupApp app;
    app.DetectPlatform();
    if (winver == "win95") {
        EXPECT_EQ(app.m_bWin95, 1);
        EXPECT_EQ(app.m_bWinNT, 0);
        EXPECT_EQ(app.m_dwWinVersion, 0x40000u);
    } else if (winver == "nt40") {
        EXPECT_EQ(app.m_bWin95, 0);
        EXPECT_EQ(app.m_bWinNT, 1);
        EXPECT_EQ(app.m_dwWinVersion, 0x40000u);
    } else if (winver == "nt351") {
        EXPECT_EQ(app.m_bWin95, 0);
        EXPECT_EQ(app.m_bWinNT, 1);
        EXPECT_EQ(app.m_dwWinVersion, 0x30033u);
    } else {
        FAIL() << "unknown SETUP_WINVER " << winver;
    }
}
