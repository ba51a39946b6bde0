#pragma once
// The free-space check before copying. CCheckDiskFreeSpaceDialog is a small modeless
// notice: a second after it opens it measures the fixed, network and RAM drives and adds
// up, per drive, the clusters the install files need; a second later it posts
// WM_SETUP_DISKCHECK_DONE to its parent (1 every drive has room, 2 one is short). When a
// drive is short, CInfoDiskFreeSpaceDialog lists the short drives and lets the user go on,
// check again or stop.
#include <windows.h>

#include <string>
#include <vector>

#include "common/MessageDialog.h"
#include "core/DiskSpace.h"
#include "framework/Dialog.h"
#include "resources/dialog_ids.h"
#include "script/SetupItems.h"

// One measured drive; the check dialog owns its records.
class CDiskItem : public core::DiskSpaceFields {
public:
    CDiskItem() = default;
    explicit CDiskItem(const core::DiskSpaceFields& fields) : DiskSpaceFields(fields) {}
    virtual ~CDiskItem() = default;
};

using CDiskItemArray = std::vector<CDiskItem*>;

class CCheckDiskFreeSpaceDialog : public fw::Dialog {
public:
    CCheckDiskFreeSpaceDialog();
    ~CCheckDiskFreeSpaceDialog() override;

    // Creates the (hidden) dialog over the parent, the driver's view, which receives
    // WM_SETUP_DISKCHECK_DONE.
    BOOL Create(HWND parent);

    // The record of the drive with that letter, in either case; nullptr when the drive
    // was not measured.
    CDiskItem* FindDisk(char drive) const;

    CFileItemArray* m_pFileItems = nullptr;  // the document's list; not owned
    CDiskItemArray m_arrDisks;               // owned; in drive-letter order

    // Each timer fires once: the first measures and sums, the second reports.
    static constexpr UINT_PTR kMeasureTimerId = 0;
    static constexpr UINT_PTR kReportTimerId = 1;
    static constexpr UINT kTimerPeriodMs = 1000;

protected:
    INT_PTR DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    BOOL OnInitDialog() override;
    // Enter and Esc reach the hidden OK and Cancel; neither does anything.
    void OnOK() override {}
    void OnCancel() override {}

private:
    void OnTimer(UINT_PTR id);
    void MeasureDrives();
    void SumFiles();
    void Report();
    void DeleteDisks();

    HWND m_hWndReportTo = nullptr;
};

// The shortage list's answer "再度確認(&R)": measure again.
inline constexpr INT_PTR IDC_CHECK_AGAIN = IDC_ANSWER_CHECK_AGAIN;

// The drives that are short of space (modal), one red row each. Answers IDOK
// "続行(&I)" to copy anyway, IDC_CHECK_AGAIN to check again, and IDCANCEL when the user
// stopped ("中止", Esc or the close box, confirmed in the stop question).
class CInfoDiskFreeSpaceDialog : public CMessageDialog {
public:
    explicit CInfoDiskFreeSpaceDialog(HWND parent = nullptr);

    const CDiskItemArray* m_pDisks = nullptr;  // the check dialog's records; not owned

protected:
    INT_PTR DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    BOOL OnInitDialog() override;
    void OnButton(WORD id) override;

private:
    void DrawRow(const DRAWITEMSTRUCT& item);
};
