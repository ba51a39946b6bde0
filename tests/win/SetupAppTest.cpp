#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>

#include "TestSupport.h"
#include "UiTestSupport.h"
#include "app/SetupApp.h"
#include "common/Messages.h"
#include "resources/dialog_ids.h"

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

TEST(SetupApp, AFailedHandlerEndsTheInstallationWithOneAbortNotice) {
    CSetupApp app;
    HWND frame = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(frame, nullptr);
    app.SetMainWnd(frame);

    // The user answers every notice that comes, until the failures have been reported.
    std::atomic<bool> done{false};
    std::atomic<int> notices{0};
    std::atomic<HWND> owner{nullptr};
    uitest::BesideThread user([&] {
        uitest::WindowQuery notice;
        notice.title = "セットアップ";
        notice.requiredItem = IDC_MESSAGE_TEXT2;
        while (!done) {
            HWND shown = uitest::WaitForTopWindow(notice, 200);
            if (!shown) continue;
            ++notices;
            owner = GetWindow(shown, GW_OWNER);
            uitest::PostClick(shown, IDOK);
            uitest::WaitGoneOrCancel(shown);
        }
    });
    fw::ReportHandlerFailure("window procedure", frame, WM_TIMER);
    fw::ReportHandlerFailure("dialog procedure", nullptr, WM_COMMAND);  // a second failure asks nothing
    done = true;
    user.Join();
    EXPECT_EQ(notices, 1);
    EXPECT_EQ(owner, frame);
    // The frame is told to end the installation (its phase stopped first), once.
    MSG end;
    EXPECT_TRUE(PeekMessageA(&end, frame, WM_SETUP_END_NOW, WM_SETUP_END_NOW, PM_REMOVE));
    EXPECT_FALSE(PeekMessageA(&end, frame, WM_SETUP_END_NOW, WM_SETUP_END_NOW, PM_REMOVE));
    DestroyWindow(frame);
}
