// The install driver's view under Wine: its background painting, and the phases after
// the wizard run to their end (the success message or the abort notice, then the frame
// is gone).
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>

#include "TestSupport.h"
#include "UiTestSupport.h"
#include "app/SetupApp.h"
#include "app/SetupDoc.h"
#include "app/SetupView.h"
#include "copy/CopyDialog.h"
#include "common/Messages.h"
#include "script/PathMacros.h"
#include "wizard/FolderPage.h"
#include "wizard/InstallDirectoryPage.h"
#include "wizard/InstallOptionPage.h"
#include "wizard/SetupSheet.h"

using namespace uitest;

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 240;

// A plain top-level window standing in for the main frame, with the view as its child.
// The view's start timer is stopped: these tests run the phases themselves.
class ViewHost {
public:
    ViewHost(CSetupDoc* document, int width = kWidth, int height = kHeight) {
        m_hFrame = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, width, height, nullptr, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
        m_view.CreateView(m_hFrame, document);
        KillTimer(m_view.GetHwnd(), CSetupView::kStartTimerId);
    }
    ~ViewHost() {
        if (IsWindow(m_hFrame)) DestroyWindow(m_hFrame);
    }
    HWND Frame() const { return m_hFrame; }
    CSetupView& View() { return m_view; }

private:
    HWND m_hFrame = nullptr;
    CSetupView m_view;
};

// A memory bitmap the view paints its background into.
class Canvas {
public:
    Canvas(int width, int height) : m_hDC(CreateCompatibleDC(nullptr)) {
        HDC screen = GetDC(nullptr);
        m_hBitmap = CreateCompatibleBitmap(screen, width, height);
        ReleaseDC(nullptr, screen);
        m_hOld = SelectObject(m_hDC, m_hBitmap);
        RECT all = {0, 0, width, height};
        FillRect(m_hDC, &all, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
    }
    ~Canvas() {
        SelectObject(m_hDC, m_hOld);
        DeleteObject(m_hBitmap);
        DeleteDC(m_hDC);
    }
    HDC DC() const { return m_hDC; }
    COLORREF At(int x, int y) const { return GetPixel(m_hDC, x, y); }
    // Counts the pixels of one colour in [left, right) x [top, bottom).
    int Count(COLORREF colour, int left, int top, int right, int bottom) const {
        int count = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x) count += At(x, y) == colour;
        return count;
    }

private:
    HDC m_hDC;
    HBITMAP m_hBitmap = nullptr;
    HGDIOBJ m_hOld = nullptr;
};

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

LRESULT EraseInto(ViewHost& host, const Canvas& canvas) {
    return SendMessageA(host.View().GetHwnd(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.DC()), 0);
}

}  // namespace

TEST(SetupViewBackground, BandsFallFromBlueToDark) {
    CSetupDoc document;
    ViewHost host(&document);
    Canvas canvas(kWidth, kHeight);
    EXPECT_EQ(EraseInto(host, canvas), TRUE);
    // 240 pixels: 32 bands of 240 / 32 + 1 = 8 pixels, blue falling by 8.
    EXPECT_EQ(canvas.At(0, 0), RGB(0, 0, 255));
    EXPECT_EQ(canvas.At(kWidth - 1, 7), RGB(0, 0, 255));
    EXPECT_EQ(canvas.At(10, 8), RGB(0, 0, 247));
    EXPECT_EQ(canvas.At(10, kHeight - 1), RGB(0, 0, 255 - 29 * 8));

    // A client area of 32 pixels or less has 16 bands, 3 pixels each, blue falling by 16.
    ViewHost low(&document, 100, 32);
    Canvas lowCanvas(100, 32);
    EraseInto(low, lowCanvas);
    EXPECT_EQ(lowCanvas.At(5, 2), RGB(0, 0, 255));
    EXPECT_EQ(lowCanvas.At(5, 3), RGB(0, 0, 239));
    EXPECT_EQ(lowCanvas.At(5, 31), RGB(0, 0, 255 - 10 * 16));
}

TEST(SetupViewBackground, TextLogosInTheirCornersWithAShadowOthersNot) {
    CSetupDoc document;
    document.m_arrLogoItems.push_back(new CLogoItem("LT", "T,120,Arial,Product"));
    document.m_arrLogoItems.push_back(new CLogoItem("RB", "t,90,Arial,Version"));
    document.m_arrLogoItems.push_back(new CLogoItem("LB", "B,120,Arial,Hidden"));
    ViewHost host(&document);
    Canvas canvas(kWidth, kHeight);
    EXPECT_EQ(EraseInto(host, canvas), TRUE);

    // Top left: the white text from (0, 0), its black shadow 4 pixels further.
    EXPECT_GT(canvas.Count(kWhite, 0, 0, 80, 24), 20);
    EXPECT_GT(canvas.Count(kBlack, 4, 4, 84, 28), 20);
    // Bottom right: the text ends 4 pixels short of the edges, its shadow reaches them.
    EXPECT_GT(canvas.Count(kWhite, kWidth - 70, kHeight - 20, kWidth - 4, kHeight - 4), 10);
    EXPECT_EQ(canvas.Count(kWhite, kWidth - 4, 0, kWidth, kHeight), 0);
    EXPECT_EQ(canvas.Count(kWhite, 0, kHeight - 4, kWidth, kHeight), 0);
    EXPECT_GT(canvas.Count(kBlack, kWidth - 8, kHeight - 20, kWidth, kHeight), 0);
    // Nothing in the middle, and no text at the bottom left for the non-text logo.
    EXPECT_EQ(canvas.Count(kWhite, 100, 60, 220, 180), 0);
    EXPECT_EQ(canvas.Count(kWhite, 0, kHeight - 40, 100, kHeight), 0);
    EXPECT_EQ(canvas.Count(kBlack, 0, kHeight - 40, 100, kHeight), 0);
}

namespace {

// A document read from a SETUP.INF of the test's own.
class SetupViewPhases : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_app.SetPathsFromModule(m_dir.Path() + "\\SETUP.EXE"));
        ASSERT_TRUE(testsupport::WriteTextFile(m_app.GetSetupInfPath(),
                                               "[Config]\r\nProduct=試験製品\r\nUninstall=FALSE\r\n"));
        ASSERT_TRUE(m_document.OnNewDocument());
    }

    // Runs the action on this thread; a helper thread answers the modal dialog titled
    // "セットアップ" with OK and keeps its texts. False when no such dialog came.
    bool AnswerFinalDialog(const std::function<void()>& action) {
        bool answered = false;
        BesideThread answerer([&] {
            HWND dialog = WaitForWindow("セットアップ");
            if (!dialog) return;
            m_strDialogTexts = StaticTexts(dialog);
            PostClick(dialog, IDOK);
            answered = WaitGoneOrCancel(dialog);
        });
        action();
        answerer.Join();
        return answered;
    }

    testsupport::TempDirectory m_dir;
    CSetupApp m_app;
    CSetupDoc m_document;
    std::string m_strDialogTexts;
};

// A product whose wizard asks for the directory, the option and the program folder.
constexpr char kPagesInf[] =
    "[Config]\r\nProduct=試験製品\r\nInstallDir=C:\\Before\r\nGroupName=前\r\n"
    "ShowChooseDirPage=TRUE\r\nShowGroupNamePage=TRUE\r\nShowUserNamePage=FALSE\r\n"
    "Uninstall=FALSE\r\n[InstallOption]\r\nTypical=FL,a\r\nFull=FL,b\r\n";

}  // namespace

TEST_F(SetupViewPhases, NothingToCopyGoesStraightToTheUpdateAndTheSuccessMessage) {
    ViewHost host(&m_document);
    ASSERT_TRUE(AnswerFinalDialog([&] {
        host.View().OnDiskCheckDone(SETUP_DONE, 0);
        // The empty file list leaves the copy phase without a window.
        EXPECT_NE(host.View().m_pCopyDialog, nullptr);
        EXPECT_FALSE(host.View().m_pCopyDialog->IsAlive());
        PumpUntil([&] { return !IsWindow(host.Frame()); });
    }));
    EXPECT_NE(m_strDialogTexts.find("セットアップが完了しました。"), std::string::npos) << m_strDialogTexts;
    EXPECT_FALSE(IsWindow(host.Frame()));
    EXPECT_EQ(host.View().m_pCopyDialog, nullptr);
    EXPECT_EQ(host.View().m_pUpdateDialog, nullptr);
}

TEST_F(SetupViewPhases, StoppedCopyEndsInTheAbortNoticeWithoutAnUpdate) {
    ViewHost host(&m_document);
    ASSERT_TRUE(AnswerFinalDialog([&] { host.View().OnCopyDone(SETUP_STOPPED, 0); }));
    EXPECT_NE(m_strDialogTexts.find("試験製品 セットアップを中断したので"), std::string::npos) << m_strDialogTexts;
    EXPECT_FALSE(IsWindow(host.Frame()));
    EXPECT_EQ(host.View().m_pUpdateDialog, nullptr);
    // Nothing was left queued for a phase that should not run.
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_SETUP_WIZARD_DONE, WM_SETUP_DISKCHECK_DONE, PM_NOREMOVE));
}

TEST_F(SetupViewPhases, WizardPagesFollowTheSettingsAndTheirAnswersReachTheDocument) {
    ASSERT_TRUE(testsupport::WriteTextFile(m_app.GetSetupInfPath(), kPagesInf));
    CSetupDoc document;
    ASSERT_TRUE(document.OnNewDocument());
    ViewHost host(&document);
    CSetupView& view = host.View();

    view.StartWizard();
    ASSERT_NE(view.m_pSheet, nullptr);
    EXPECT_NE(view.m_pWelcomePage, nullptr);
    EXPECT_NE(view.m_pInstallDirPage, nullptr);
    EXPECT_NE(view.m_pOptionPage, nullptr);
    EXPECT_NE(view.m_pFolderPage, nullptr);
    EXPECT_EQ(view.m_pUserNamePage, nullptr);
    EXPECT_EQ(view.m_pSheet->GetPageCount(), 4);

    // The answers as the pages hold them when the wizard has finished.
    view.m_pInstallDirPage->m_strDir = "C:\\Chosen";
    view.m_pOptionPage->m_strOption = "Full";
    view.m_pFolderPage->m_strGroup = "選んだグループ";
    view.OnWizardDone(SETUP_DONE, 0);

    EXPECT_EQ(view.m_pSheet, nullptr);
    EXPECT_EQ(view.m_pWelcomePage, nullptr);
    EXPECT_EQ(view.m_pOptionPage, nullptr);
    EXPECT_EQ(document.GetInstallDir(), "C:\\Chosen");
    EXPECT_EQ(document.m_strUninstallInfPath, "C:\\Chosen\\UNINSTAL.INF");
    std::string instDir = "$InstDir$";
    ExpandMacros(instDir);
    EXPECT_EQ(instDir, "C:\\Chosen");
    EXPECT_EQ(document.GetOption(), "Full");
    EXPECT_EQ(document.GetGroupName(), "選んだグループ");
    EXPECT_NE(testsupport::ReadTextFile(m_app.GetSetupInfPath()).find("GroupName=選んだグループ"), std::string::npos);
    // The free-space check is next.
    EXPECT_NE(view.m_pCheckDiskDialog, nullptr);
}

TEST_F(SetupViewPhases, CancelledWizardEndsInTheAbortNoticeAndKeepsTheDocument) {
    ASSERT_TRUE(testsupport::WriteTextFile(m_app.GetSetupInfPath(), kPagesInf));
    CSetupDoc document;
    ASSERT_TRUE(document.OnNewDocument());
    ViewHost host(&document);
    CSetupView& view = host.View();
    view.StartWizard();
    ASSERT_NE(view.m_pInstallDirPage, nullptr);
    ASSERT_NE(view.m_pFolderPage, nullptr);
    // Answers given on the pages before the stop are not taken over.
    view.m_pInstallDirPage->m_strDir = "C:\\Chosen";
    view.m_pFolderPage->m_strGroup = "選んだグループ";
    ASSERT_TRUE(AnswerFinalDialog([&] { view.OnWizardDone(SETUP_STOPPED, 0); }));
    EXPECT_NE(m_strDialogTexts.find("試験製品 セットアップを中断したので"), std::string::npos) << m_strDialogTexts;
    EXPECT_EQ(view.m_pSheet, nullptr);
    EXPECT_EQ(view.m_pCheckDiskDialog, nullptr);
    EXPECT_EQ(document.GetInstallDir(), "C:\\Before");
    std::string instDir = "$InstDir$";
    ExpandMacros(instDir);
    EXPECT_EQ(instDir, "C:\\Before");
    EXPECT_EQ(document.GetGroupName(), "前");
    EXPECT_EQ(testsupport::ReadTextFile(m_app.GetSetupInfPath()), kPagesInf);
    EXPECT_FALSE(IsWindow(host.Frame()));
}

TEST_F(SetupViewPhases, AnEndOfAPhaseThatIsNotRunningChangesNothing) {
    ViewHost host(&m_document);
    // Ends no phase of this view sent: a repeated one, or another program's.
    for (UINT msg : {WM_SETUP_WIZARD_DONE, WM_SETUP_DISKCHECK_DONE, WM_SETUP_COPY_DONE, WM_SETUP_UPDATE_DONE})
        PostMessageA(host.View().GetHwnd(), msg, SETUP_STOPPED, 0);
    std::atomic<bool> done{false};
    std::atomic<int> dialogs{0};
    BesideThread watcher([&] {
        while (!done) {
            if (HWND shown = WaitForWindow("セットアップ", 100)) {
                ++dialogs;
                PostClick(shown, IDOK);
                WaitGoneOrCancel(shown);
            }
        }
    });
    PumpUntilIdle();
    done = true;
    watcher.Join();
    EXPECT_EQ(dialogs, 0);
    EXPECT_TRUE(IsWindow(host.Frame()));
    EXPECT_EQ(host.View().m_pCheckDiskDialog, nullptr);
    EXPECT_EQ(host.View().m_pUpdateDialog, nullptr);
}
