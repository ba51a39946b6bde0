#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "TestSupport.h"
#include "app/SetupApp.h"

TEST(SetupApp, SetupInfPathComesFromTheProgramsDirectory) {
    CSetupApp app;
    ASSERT_TRUE(app.SetPathsFromModule("C:\\MEDIA\\DISK1\\SETUP.EXE"));
    EXPECT_EQ(app.GetSetupInfPath(), "C:\\MEDIA\\DISK1\\SETUP.INF");
    EXPECT_EQ(app.GetProfileName(), "C:\\MEDIA\\DISK1\\SETUP.INF");

    // "ソ" ends in the byte of a backslash; the folder keeps its whole name.
    ASSERT_TRUE(app.SetPathsFromModule("C:\\\x83\x5C\x83\x74\x83\x67\\\x83\x5C.EXE"));
    EXPECT_EQ(app.GetSetupInfPath(), "C:\\\x83\x5C\x83\x74\x83\x67\\SETUP.INF");

    // Without a backslash start-up gives up and leaves the paths as they were.
    EXPECT_FALSE(app.SetPathsFromModule("SETUP.EXE"));
    EXPECT_EQ(app.GetSetupInfPath(), "C:\\\x83\x5C\x83\x74\x83\x67\\SETUP.INF");
}

TEST(SetupApp, ProfileReadsAndWritesTheSetupInf) {
    testsupport::TempDirectory folder;
    CSetupApp app;
    ASSERT_TRUE(app.SetPathsFromModule(folder.Path() + "\\SETUP.EXE"));
    ASSERT_TRUE(testsupport::WriteTextFile(app.GetSetupInfPath(), "[config]\r\nproduct=テスト製品\r\n"));

    // Private-profile semantics: names in any case.
    EXPECT_EQ(app.GetProfileString("Config", "Product", ""), "テスト製品");
    EXPECT_EQ(app.GetProfileString("Config", "Missing", "既定"), "既定");

    const std::string longValue(4095, 'v');
    ASSERT_TRUE(app.WriteProfileString("Config", "GroupName", longValue.c_str()));
    EXPECT_EQ(app.GetProfileString("Config", "GroupName", ""), longValue);
}
