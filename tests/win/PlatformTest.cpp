// Run once per reported platform (SETUP_WINVER = win95, nt351, nt40, winxp or win10): the
// application's flags must match what the installer expects of that system.
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
    } else if (winver == "winxp") {
        EXPECT_EQ(app.m_bWin95, 0);
        EXPECT_EQ(app.m_bWinNT, 1);
        EXPECT_EQ(app.m_dwWinVersion, 0x50001u);
    } else if (winver == "win10") {
        // Without a manifest naming Windows 10, the system reports 6.2 (Windows 8).
        EXPECT_EQ(app.m_bWin95, 0);
        EXPECT_EQ(app.m_bWinNT, 1);
        EXPECT_EQ(app.m_dwWinVersion, 0x60002u);
    } else {
        FAIL() << "unknown SETUP_WINVER " << winver;
    }
}
