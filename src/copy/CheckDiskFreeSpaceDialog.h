#pragma once
// The free-space check before copying. This first version measures nothing: when its
// window is created it reports every drive as having room. The install driver uses it
// exactly as it will use the measuring one (members set, Create with the view, shown,
// destroyed after the report; the shortage list reads m_arrDisks).
#include <windows.h>

#include <string>
#include <vector>

#include "framework/Window.h"
#include "script/SetupItems.h"

// One measured drive.
class CDiskItem {
public:
    char m_chDrive = 'A';             // upper case
    DWORD m_nBytesPerCluster = 0;     // sectors per cluster * bytes per sector
    DWORD m_nFreeClusters = 0;
    DWORD m_nNeedClusters = 0;
};

using CDiskItemArray = std::vector<CDiskItem*>;

class CCheckDiskFreeSpaceDialog : public fw::Window {
public:
    CCheckDiskFreeSpaceDialog() = default;
    ~CCheckDiskFreeSpaceDialog() override;

    // Creates the window over the parent (the driver's view), which receives
    // WM_SETUP_DISKCHECK_DONE.
    BOOL Create(HWND parent);

    CFileItemArray* m_pFileItems = nullptr;  // the document's list; not owned
    std::string m_strInstallDir;             // kept for the check, not used by it
    std::string m_strOption;
    CDiskItemArray m_arrDisks;               // owned; in drive-letter order
};

// The shortage list's answer "再度確認(&R)": measure again.
inline constexpr INT_PTR IDC_CHECK_AGAIN = 1016;

// The list of drives that are short of space (modal). Answers IDOK to copy anyway,
// IDC_CHECK_AGAIN to check again and IDCANCEL to stop. As long as the check finds no short
// drive it never opens, and it lets the copy go ahead.
class CInfoDiskFreeSpaceDialog {
public:
    explicit CInfoDiskFreeSpaceDialog(HWND parent = nullptr);

    INT_PTR DoModal();

    const CDiskItemArray* m_pDisks = nullptr;  // the check dialog's records; not owned

private:
    HWND m_hWndParent;
};
