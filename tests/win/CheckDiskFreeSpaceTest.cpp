// The free-space check and the shortage list under Wine: the check measures the prefix's
// drives and reports to its parent once both timers have fired; the list shows one red
// row per short drive and ends only with its three answers.
#include <windows.h>

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>
#include <vector>

#include "WizardTestSupport.h"
#include "common/Messages.h"
#include "copy/CheckDiskFreeSpaceDialog.h"
#include "script/PathMacros.h"

using namespace wizardtest;

namespace {

constexpr char kParentClass[] = "DiskCheckTestParent";

// The check's parent: records every report and when it came.
class ReportRecorder : public fw::Window {
public:
    ReportRecorder() {
        RegisterWindowClass(kParentClass, 0, reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1));
        Create(kParentClass, "disk check parent", WS_OVERLAPPED | WS_VISIBLE, 0, 40, 30, 640, 480, nullptr, nullptr);
    }
    std::vector<WPARAM> m_arrCodes;
    DWORD m_dwReportTick = 0;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_SETUP_DISKCHECK_DONE) {
            m_arrCodes.push_back(wParam);
            m_dwReportTick = GetTickCount();
            return 0;
        }
        return fw::Window::WindowProc(msg, wParam, lParam);
    }
};

void PressKey(HWND window, WPARAM key) {
    PostMessageA(window, WM_KEYDOWN, key, 1);
    PostMessageA(window, WM_KEYUP, key, 0xC0000001);
}

CDiskItem* Disk(char drive, DWORD bytesPerCluster, DWORD freeClusters, ULONGLONG needClusters) {
    auto* disk = new CDiskItem();
    disk->m_chDrive = drive;
    disk->m_nBytesPerCluster = bytesPerCluster;
    disk->m_nFreeClusters = freeClusters;
    disk->m_nNeedClusters = needClusters;
    return disk;
}

struct OwnedFiles {
    ~OwnedFiles() {
        for (CFileItem* file : list) delete file;
    }
    CFileItemArray list;
};

}  // namespace

TEST(CheckDiskFreeSpace, EmptyListReportsRoomAfterBothTimersWhileEnterAndEscDoNothing) {
    ReportRecorder parent;
    OwnedFiles files;
    CCheckDiskFreeSpaceDialog check;
    const DWORD start = GetTickCount();
    check.m_pFileItems = &files.list;
    ASSERT_TRUE(check.Create(parent.GetHwnd()));
    ShowWindow(check.GetHwnd(), SW_SHOW);
    PressKey(check.GetHwnd(), VK_RETURN);
    PressKey(check.GetHwnd(), VK_ESCAPE);
    ASSERT_TRUE(PumpUntil([&] { return !parent.m_arrCodes.empty(); }, 15000));

    EXPECT_EQ(parent.m_arrCodes, std::vector<WPARAM>{SETUP_DONE});
    EXPECT_GE(parent.m_dwReportTick - start, 2 * CCheckDiskFreeSpaceDialog::kTimerPeriodMs - 100);
    EXPECT_TRUE(IsWindow(check.GetHwnd()));

    // The prefix's C: is a fixed drive; records come in letter order.
    ASSERT_NE(check.FindDisk('C'), nullptr);
    EXPECT_EQ(check.FindDisk('c'), check.FindDisk('C'));
    EXPECT_EQ(check.FindDisk('C')->m_nNeedClusters, 0u);
    for (size_t i = 1; i < check.m_arrDisks.size(); ++i)
        EXPECT_LT(check.m_arrDisks[i - 1]->m_chDrive, check.m_arrDisks[i]->m_chDrive);

    // Centred over the parent's client area.
    RECT area = {}, own = {};
    GetClientRect(parent.GetHwnd(), &area);
    MapWindowPoints(parent.GetHwnd(), nullptr, reinterpret_cast<POINT*>(&area), 2);
    GetWindowRect(check.GetHwnd(), &own);
    EXPECT_NEAR((own.left + own.right) / 2, (area.left + area.right) / 2, 1);
    EXPECT_NEAR((own.top + own.bottom) / 2, (area.top + area.bottom) / 2, 1);
}

TEST(CheckDiskFreeSpace, FilesBeyondTheFreeSpaceOfALowerCaseDriveMakeItShort) {
    DWORD sectors = 0, bytes = 0, freeClusters = 0, total = 0;
    ASSERT_TRUE(GetDiskFreeSpaceA("C:\\", &sectors, &bytes, &freeClusters, &total));
    const ULONGLONG freeBytes = ULONGLONG{freeClusters} * sectors * bytes;

    // Files of 2 GB - 1 each, more of them than C: has room for, going to "c:\...".
    std::string previousInstDir = "$InstDir$";
    ExpandMacros(previousInstDir);
    SetInstDirMacro("c:\\DiskCheckTest");
    OwnedFiles files;
    const ULONGLONG count = freeBytes / INT_MAX + 2;
    for (ULONGLONG i = 0; i < count; ++i) {
        auto* file = new CFileItem();
        file->m_strDestDir = i % 2 ? "" : "Sub";
        file->m_strDestFile = "BIG.DAT";
        file->m_nSize = INT_MAX;
        files.list.push_back(file);
    }
    ReportRecorder parent;
    CCheckDiskFreeSpaceDialog check;
    check.m_pFileItems = &files.list;
    ASSERT_TRUE(check.Create(parent.GetHwnd()));
    ShowWindow(check.GetHwnd(), SW_SHOW);
    const bool reported = PumpUntil([&] { return !parent.m_arrCodes.empty(); }, 15000);
    SetInstDirMacro(previousInstDir);
    ASSERT_TRUE(reported);
    EXPECT_EQ(parent.m_arrCodes, std::vector<WPARAM>{SETUP_STOPPED});
    const CDiskItem* disk = check.FindDisk('C');
    ASSERT_NE(disk, nullptr);
    EXPECT_EQ(disk->m_nNeedClusters, count * core::ClustersForFile(INT_MAX, disk->m_nBytesPerCluster));
    EXPECT_TRUE(core::IsShortOfSpace(*disk));
}

namespace {

constexpr char kSetupTitle[] = "セットアップ";
constexpr char kQueryCancelTitle[] = "セットアップの中止";

// C and E have room, D (8 GB free on 32 KB clusters) is one cluster short.
class ShortageList : public testing::Test {
protected:
    ShortageList() {
        m_arrDisks.push_back(Disk('C', 4096, 1000, 10));
        m_arrDisks.push_back(Disk('D', 32768, 0x40000, 0x40001));
        m_arrDisks.push_back(Disk('E', 512, 7, 7));
    }
    ~ShortageList() override {
        for (CDiskItem* disk : m_arrDisks) delete disk;
    }

    // Shows the list; the steps play the user beside it and get its window.
    INT_PTR Show(const std::function<void(HWND)>& steps) {
        CInfoDiskFreeSpaceDialog list;
        list.m_pDisks = &m_arrDisks;
        BesideThread user([&] {
            HWND window = WaitForWindow(kSetupTitle);
            if (!window) return;
            steps(window);
            WaitGoneOrCancel(window);
        });
        return list.DoModal();
    }

    CDiskItemArray m_arrDisks;
};

}  // namespace

TEST_F(ShortageList, ShowsOnlyTheShortDriveInRedAndStaysOpenWhenTheStopIsNotConfirmed) {
    std::vector<std::string> rows;
    COLORREF pixel = 0, textColourAfter = 0;
    bool openAfterRetry = false;
    const INT_PTR answer = Show([&](HWND window) {
        HWND list = GetDlgItem(window, IDC_DISK_LIST);
        rows = ListItems(list);

        // The row drawn into a bitmap: red text at the row's top-left, and the DC keeps
        // the colour it had.
        HDC screen = GetDC(nullptr);
        HDC dc = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, 300, 20);
        ReleaseDC(nullptr, screen);
        HGDIOBJ old = SelectObject(dc, bitmap);
        SetTextColor(dc, RGB(0, 0, 255));
        DRAWITEMSTRUCT item = {ODT_LISTBOX, IDC_DISK_LIST, 0, ODA_DRAWENTIRE, 0, list, dc, {0, 0, 300, 20}, 0};
        SendMessageA(window, WM_DRAWITEM, IDC_DISK_LIST, reinterpret_cast<LPARAM>(&item));
        for (int x = 0; x < 20 && pixel != RGB(255, 0, 0); ++x)
            for (int y = 0; y < 20 && pixel != RGB(255, 0, 0); ++y) pixel = GetPixel(dc, x, y);
        textColourAfter = GetTextColor(dc);
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);

        PostClick(window, IDCANCEL);
        HWND question = WaitForWindow(kQueryCancelTitle);
        if (!question) return;
        PostClick(question, IDOK);  // "再試行(&R)"
        WaitGoneOrCancel(question);
        openAfterRetry = WaitForWindow(kSetupTitle, 5000) == window;
        PostClick(window, IDC_ANSWER_CHECK_AGAIN);
    });
    EXPECT_EQ(answer, IDC_CHECK_AGAIN);
    EXPECT_EQ(rows, std::vector<std::string>{"D:\\\t8388608KB\t8388640KB"});
    EXPECT_EQ(pixel, RGB(255, 0, 0));
    EXPECT_EQ(textColourAfter, RGB(0, 0, 255));
    EXPECT_TRUE(openAfterRetry);
}

TEST_F(ShortageList, ContinueAnswersOkAndAConfirmedStopFromTheCloseBoxAnswersCancel) {
    EXPECT_EQ(Show([](HWND window) { PostClick(window, IDOK); }), IDOK);
    EXPECT_EQ(Show([](HWND window) {
                  PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
                  if (HWND question = WaitForWindow(kQueryCancelTitle)) PostClick(question, IDCANCEL);  // "中止(&X)"
              }),
              IDCANCEL);
}
