// The free-space check measures the prefix's drives and reports to its parent after both
// timers; the shortage list shows one red row per short drive and ends with its answers.
#include <windows.h>

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <memory>
#include <vector>

#include "UiTestSupport.h"
#include "common/Messages.h"
#include "copy/CheckDiskFreeSpaceDialog.h"
#include "script/PathMacros.h"

using namespace uitest;

namespace {

// The check's parent, recording each report.
class ReportRecorder : public fw::Window {
public:
    ReportRecorder() {
        RegisterWindowClass("DiskCheckTestParent", 0, nullptr);
        Create("DiskCheckTestParent", "", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 0, 640, 480, nullptr, nullptr);
    }
    std::vector<WPARAM> m_arrCodes;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_SETUP_DISKCHECK_DONE) m_arrCodes.push_back(wParam);
        return fw::Window::WindowProc(msg, wParam, lParam);
    }
};

// Runs a check over the files until it reports; `whileOpen` acts on its window first.
void RunCheck(ReportRecorder& parent, CCheckDiskFreeSpaceDialog& check, CFileItemArray& files,
              const std::function<void(HWND)>& whileOpen = nullptr) {
    check.m_pFileItems = &files;
    if (!check.Create(parent.GetHwnd())) return;
    ShowWindow(check.GetHwnd(), SW_SHOW);
    if (whileOpen) whileOpen(check.GetHwnd());
    PumpUntil([&] { return !parent.m_arrCodes.empty(); }, 15000);
}

}  // namespace

TEST(CheckDiskFreeSpace, EmptyListReportsRoomAfterBothTimersWhileEnterAndEscDoNothing) {
    ReportRecorder parent;
    CFileItemArray files;
    CCheckDiskFreeSpaceDialog check;
    const DWORD start = GetTickCount();
    RunCheck(parent, check, files, [](HWND window) {
        for (WPARAM key : {VK_RETURN, VK_ESCAPE}) PostMessageA(window, WM_KEYDOWN, key, 1);
    });
    EXPECT_EQ(parent.m_arrCodes, std::vector<WPARAM>{SETUP_DONE});
    EXPECT_GE(GetTickCount() - start, 2 * CCheckDiskFreeSpaceDialog::kTimerPeriodMs - 100);
    EXPECT_TRUE(IsWindow(check.GetHwnd()));
    // The prefix's C: is a fixed drive.
    ASSERT_NE(check.FindDisk('C'), nullptr);
    EXPECT_EQ(check.FindDisk('c'), check.FindDisk('C'));
}

TEST(CheckDiskFreeSpace, FilesBeyondTheFreeSpaceOfALowerCaseDriveMakeItShort) {
    DWORD sectors = 0, bytes = 0, freeClusters = 0, total = 0;
    ASSERT_TRUE(GetDiskFreeSpaceA("C:\\", &sectors, &bytes, &freeClusters, &total));
    std::string previousInstDir = "$InstDir$";
    ExpandMacros(previousInstDir);
    SetInstDirMacro("c:\\DiskCheckTest");
    // Files of 2 GB - 1 each, more than C: has room for.
    std::vector<std::unique_ptr<CFileItem>> owned;
    CFileItemArray files;
    const ULONGLONG count = ULONGLONG{freeClusters} * sectors * bytes / INT_MAX + 2;
    for (ULONGLONG i = 0; i < count; ++i) {
        owned.push_back(std::make_unique<CFileItem>("Big", "1,,BIG.DAT,0,Sub,BIG.DAT,2147483647"));
        files.push_back(owned.back().get());
    }
    // A size the script gives as negative needs nothing (not 4 GB).
    owned.push_back(std::make_unique<CFileItem>("Negative", "1,,NEG.DAT,0,Sub,NEG.DAT,-1"));
    files.push_back(owned.back().get());
    ReportRecorder parent;
    CCheckDiskFreeSpaceDialog check;
    RunCheck(parent, check, files);
    SetInstDirMacro(previousInstDir);
    EXPECT_EQ(parent.m_arrCodes, std::vector<WPARAM>{SETUP_STOPPED});
    const CDiskItem* disk = check.FindDisk('C');
    ASSERT_NE(disk, nullptr);
    // Each file takes its size in whole clusters, the last one part-filled.
    const ULONGLONG cluster = ULONGLONG{sectors} * bytes;
    EXPECT_EQ(disk->m_nBytesPerCluster, cluster);
    EXPECT_EQ(disk->m_nNeedClusters, count * ((ULONGLONG{INT_MAX} + cluster - 1) / cluster));
}

namespace {

// Shows the list of C (room), D (8 GB free on 32 KB clusters, one cluster short) and E
// (room); the steps play the user beside it.
INT_PTR ShowShortageList(const std::function<void(HWND)>& steps) {
    CDiskItem c({'C', 4096, 1000, 10}), d({'D', 32768, 0x40000, 0x40001}), e({'E', 512, 7, 7});
    const CDiskItemArray disks = {&c, &d, &e};
    CInfoDiskFreeSpaceDialog list;
    list.m_pDisks = &disks;
    BesideThread user([&] {
        if (HWND window = WaitForWindow("セットアップ")) {
            steps(window);
            WaitGoneOrCancel(window);
        }
    });
    return list.DoModal();
}

}  // namespace

TEST(ShortageList, ShowsOnlyTheShortDriveInRedAndStaysOpenWhenTheStopIsNotConfirmed) {
    std::vector<std::string> rows;
    COLORREF pixel = 0, colourAfter = 0;
    bool openAfterRetry = false;
    EXPECT_EQ(ShowShortageList([&](HWND window) {
                  rows = ListItems(GetDlgItem(window, IDC_DISK_LIST));
                  // The row drawn into a bitmap whose DC keeps its own text colour.
                  HDC dc = CreateCompatibleDC(nullptr);
                  HBITMAP bitmap = CreateBitmap(300, 20, 1, 32, nullptr);
                  HGDIOBJ old = SelectObject(dc, bitmap);
                  SetTextColor(dc, RGB(0, 0, 255));
                  DRAWITEMSTRUCT item = {ODT_LISTBOX, IDC_DISK_LIST, 0, ODA_DRAWENTIRE, 0,
                                         GetDlgItem(window, IDC_DISK_LIST), dc, {0, 0, 300, 20}, 0};
                  SendMessageA(window, WM_DRAWITEM, IDC_DISK_LIST, reinterpret_cast<LPARAM>(&item));
                  for (int x = 0; x < 12 && pixel != RGB(255, 0, 0); ++x)
                      for (int y = 0; y < 20 && pixel != RGB(255, 0, 0); ++y) pixel = GetPixel(dc, x, y);
                  colourAfter = GetTextColor(dc);
                  DeleteObject(SelectObject(dc, old));
                  DeleteDC(dc);

                  PostClick(window, IDCANCEL);
                  EXPECT_TRUE(AnswerStopQuestion(IDOK));  // "再試行(&R)"
                  openAfterRetry = WaitForWindow("セットアップ", 5000) == window;
                  PostClick(window, IDC_ANSWER_CHECK_AGAIN);
              }),
              IDC_CHECK_AGAIN);
    EXPECT_EQ(rows, std::vector<std::string>{"D:\\\t8388608KB\t8388640KB"});
    EXPECT_EQ(pixel, RGB(255, 0, 0));
    EXPECT_EQ(colourAfter, RGB(0, 0, 255));
    EXPECT_TRUE(openAfterRetry);
}

TEST(ShortageList, ContinueAnswersOkAndAConfirmedStopFromTheCloseBoxAnswersCancel) {
    EXPECT_EQ(ShowShortageList([](HWND window) { PostClick(window, IDOK); }), IDOK);
    EXPECT_EQ(ShowShortageList([](HWND window) {
                  PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
                  EXPECT_TRUE(AnswerStopQuestion(IDCANCEL));  // "中止(&X)"
              }),
              IDCANCEL);
}
