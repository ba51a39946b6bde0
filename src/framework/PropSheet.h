#pragma once
// Property sheets and pages, above all for wizards. The sheet is the system's property
// sheet window, subclassed so that a class can inspect commands (WM_COMMAND) and
// WM_CLOSE before the default handling. A page is a dialog from its own template whose
// PSN_* notifications become named methods with documented results.
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <cstdint>
#include <string>
#include <vector>

#include "framework/Dialog.h"
#include "framework/WizardButtons.h"

namespace fw {

class PropSheet;

class PropPage : public Dialog {
public:
    explicit PropPage(UINT templateId);

    // The sheet the page was added to (set by PropSheet::AddPage).
    PropSheet* GetSheet() const { return m_pSheet; }
    // Posts PSM_SETWIZBUTTONS to the sheet: PSWIZB_BACK (1), PSWIZB_NEXT (2), or both.
    void SetWizardButtons(DWORD buttons) const;

protected:
    // The page becomes current. TRUE accepts; FALSE skips the page.
    virtual BOOL OnSetActive();
    // The page is about to be left (before Next/Back/Finish); FALSE keeps it current.
    virtual BOOL OnKillActive();
    // Next was pressed. 0 goes to the next page, -1 stays, a template id goes there.
    virtual LRESULT OnWizardNext();
    // Back was pressed. Same results as OnWizardNext.
    virtual LRESULT OnWizardBack();
    // Finish was pressed. TRUE lets the wizard end.
    virtual BOOL OnWizardFinish();
    // Cancel was asked for. TRUE lets the sheet cancel.
    virtual BOOL OnQueryCancel();

    // Routes WM_NOTIFY from the sheet to the methods above; other messages go to Dialog.
    INT_PTR DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // Pages do not end on IDOK/IDCANCEL: the sheet owns those.
    void OnOK() override;
    void OnCancel() override;

private:
    friend class PropSheet;
    static INT_PTR CALLBACK StaticPageProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    INT_PTR OnNotify(const NMHDR& header);

    PropSheet* m_pSheet = nullptr;
};

class PropSheet : public Window {
public:
    PropSheet(const std::string& caption, UINT startPage = 0);
    ~PropSheet() override;

    // Pages are not owned; they must outlive the sheet's window.
    void AddPage(PropPage* page);
    // Wizard mode (PSH_WIZARD): Back/Next instead of tabs and OK.
    void SetWizardMode() { m_dwFlags |= PSH_WIZARD; }

    // Creates the sheet modeless, with the parent as owner; the thread's message loop then
    // gives it its keyboard interface. Not yet shown: ShowWindow it.
    BOOL Create(HWND parent);

    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    // Index of the current page, -1 when none.
    int GetActiveIndex() const;
    PropPage* GetActivePage() const;
    void SetWizardButtons(DWORD buttons) const;

protected:
    // Commands reaching the sheet (buttons, Esc); TRUE consumes one, FALSE lets the
    // system's sheet handle it.
    virtual BOOL OnCommand(WORD id, WORD notifyCode, HWND control);
    // WM_CLOSE; TRUE consumes it, FALSE gives it the default handling.
    virtual BOOL OnClose();
    // A modeless sheet whose last page went away (Finish or Cancel took their default
    // course); the base destroys the window.
    virtual void OnSheetEnded();

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    static int CALLBACK SheetCallback(HWND hwnd, UINT msg, LPARAM lParam);
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void Subclass(HWND hwnd);
    // The sheet takes the font of its first page (before its window exists), so the
    // frame is measured in the same dialog units as the pages it holds.
    void UsePageFont(std::uint8_t* sheetTemplate) const;

    std::string m_strCaption;
    UINT m_nStartPage;
    DWORD m_dwFlags = 0;
    std::vector<PropPage*> m_pages;
};

}  // namespace fw
