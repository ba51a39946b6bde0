#include "copy/CheckDiskFreeSpaceDialog.h"

#include "common/Messages.h"
#include "common/StopDialogs.h"
#include "script/PathMacros.h"

// --- The check --------------------------------------------------------------------------

CCheckDiskFreeSpaceDialog::CCheckDiskFreeSpaceDialog() : fw::Dialog(IDD_CHECK_DISK_FREE_SPACE) {}

CCheckDiskFreeSpaceDialog::~CCheckDiskFreeSpaceDialog() { DeleteDisks(); }

BOOL CCheckDiskFreeSpaceDialog::Create(HWND parent) {
    // A popup's parent handle names its owner, the main frame; the report goes to the view.
    m_hWndReportTo = parent;
    return fw::Dialog::Create(parent);
}

CDiskItem* CCheckDiskFreeSpaceDialog::FindDisk(char drive) const {
    // Records hold upper-case letters; a path written with "c:" finds drive C too.
    const char letter = core::UpperDriveLetter(drive);
    if (!letter) return nullptr;
    for (CDiskItem* disk : m_arrDisks)
        if (disk->m_chDrive == letter) return disk;
    return nullptr;
}

INT_PTR CCheckDiskFreeSpaceDialog::DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_TIMER) {
        OnTimer(wParam);
        return TRUE;
    }
    return fw::Dialog::DialogProc(msg, wParam, lParam);
}

BOOL CCheckDiskFreeSpaceDialog::OnInitDialog() {
    // Centred over the view's client area (the base would take the owner's).
    if (m_hWndReportTo) CenterOver(m_hWndReportTo);
    SetTimer(m_hWnd, kMeasureTimerId, kTimerPeriodMs, nullptr);
    return TRUE;
}

void CCheckDiskFreeSpaceDialog::OnTimer(UINT_PTR id) {
    if (id == kMeasureTimerId) {
        KillTimer(m_hWnd, kMeasureTimerId);
        MeasureDrives();
        SumFiles();
        SetTimer(m_hWnd, kReportTimerId, kTimerPeriodMs, nullptr);
    } else if (id == kReportTimerId) {
        KillTimer(m_hWnd, kReportTimerId);
        Report();
    }
}

void CCheckDiskFreeSpaceDialog::MeasureDrives() {
    DeleteDisks();
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        const char root[] = {letter, ':', '\\', '\0'};
        if (!core::IsMeasuredDriveType(GetDriveTypeA(root))) continue;
        DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, totalClusters = 0;
        const BOOL answered = GetDiskFreeSpaceA(root, &sectorsPerCluster, &bytesPerSector, &freeClusters, &totalClusters);
        if (const auto disk = core::DiskFromQuery(letter, answered != FALSE, sectorsPerCluster, bytesPerSector,
                                                  freeClusters))
            m_arrDisks.push_back(new CDiskItem(*disk));
    }
}

void CCheckDiskFreeSpaceDialog::SumFiles() {
    if (!m_pFileItems) return;
    for (const CFileItem* file : *m_pFileItems) {
        if (!file) continue;
        std::string location = core::DiskCheckLocation(file->m_strDestDir, file->m_strDestFile);
        ExpandMacros(location);
        // A drive that was not measured (removable, CD-ROM, no drive letter) adds nothing.
        CDiskItem* disk = FindDisk(core::DriveLetterOfPath(location));
        if (!disk) continue;
        disk->m_nNeedClusters += core::ClustersForFile(core::FileItemBytes(file->m_nSize), disk->m_nBytesPerCluster);
    }
}

void CCheckDiskFreeSpaceDialog::Report() {
    WPARAM result = SETUP_DONE;
    for (const CDiskItem* disk : m_arrDisks)
        if (core::IsShortOfSpace(*disk)) result = SETUP_STOPPED;
    PostMessageA(m_hWndReportTo, WM_SETUP_DISKCHECK_DONE, result, 0);
}

void CCheckDiskFreeSpaceDialog::DeleteDisks() {
    for (CDiskItem* disk : m_arrDisks) delete disk;
    m_arrDisks.clear();
}

// --- The shortage list ------------------------------------------------------------------

namespace {

constexpr COLORREF kShortRowColour = RGB(255, 0, 0);

}  // namespace

CInfoDiskFreeSpaceDialog::CInfoDiskFreeSpaceDialog(HWND parent) : CMessageDialog(IDD_INFO_DISK_FREE_SPACE, parent) {}

INT_PTR CInfoDiskFreeSpaceDialog::DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_DRAWITEM && wParam == IDC_DISK_LIST) {
        DrawRow(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        SetMessageResult(TRUE);
        return TRUE;
    }
    return CMessageDialog::DialogProc(msg, wParam, lParam);
}

BOOL CInfoDiskFreeSpaceDialog::OnInitDialog() {
    HWND list = GetItem(IDC_DISK_LIST);
    SetListRowsToFontHeight(IDC_DISK_LIST);

    if (m_pDisks) {
        for (const CDiskItem* disk : *m_pDisks)
            if (disk && core::IsShortOfSpace(*disk))
                SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(core::ShortageRowText(*disk).c_str()));
    }
    return CMessageDialog::OnInitDialog();
}

void CInfoDiskFreeSpaceDialog::OnButton(WORD id) {
    if (id == IDCANCEL) {
        // Only a confirmed stop ends the list; "再試行(&R)" leaves it open.
        CQueryCancelDialog question(m_hWnd);
        if (question.DoModal() == IDCANCEL) EndDialog(IDCANCEL);
        return;
    }
    CMessageDialog::OnButton(id);
}

void CInfoDiskFreeSpaceDialog::DrawRow(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    // A system colour index + 1 as the brush: NT 3.51 has no GetSysColorBrush.
    FillRect(dc, &item.rcItem, reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1)));
    if (item.itemID != static_cast<UINT>(-1)) {
        const LRESULT length = SendMessageA(item.hwndItem, LB_GETTEXTLEN, item.itemID, 0);
        std::string text(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
        SendMessageA(item.hwndItem, LB_GETTEXT, item.itemID, reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<size_t>(length > 0 ? length : 0));

        const int oldMode = SetBkMode(dc, TRANSPARENT);
        const COLORREF oldColour = SetTextColor(dc, kShortRowColour);
        TabbedTextOutA(dc, item.rcItem.left, item.rcItem.top, text.c_str(), static_cast<int>(text.size()), 0,
                       nullptr, 0);
        SetTextColor(dc, oldColour);
        SetBkMode(dc, oldMode);
    }
    if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &item.rcItem);
}
