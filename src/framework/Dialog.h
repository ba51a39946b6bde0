#pragma once
// Dialogs built from templates in the program's resources, modal or modeless. The
// object comes from lParam of WM_INITDIALOG and is kept in GWLP_USERDATA; a class routes
// its messages in DialogProc (one short switch) and calls the base for the rest.
#include <windows.h>

#include <string>

#include "framework/Window.h"

namespace fw {

class Dialog : public Window {
public:
    explicit Dialog(UINT templateId);
    ~Dialog() override;

    UINT GetTemplateId() const { return m_nTemplateId; }

    // Shows the dialog modally and returns the identifier it was ended with (the button
    // that closed it), or -1 when it could not be created. Without a parent, on the
    // application's thread, the main window becomes the owner; on other threads the
    // dialog has no owner.
    INT_PTR DoModal(HWND parent = nullptr);
    // Creates the dialog modeless (invisible unless the template says WS_VISIBLE); the
    // thread's message loop then gives it its keyboard interface.
    BOOL Create(HWND parent);
    bool IsModal() const { return m_bModal; }

    // Ends the dialog with a result: a modal one returns it from DoModal, a modeless one
    // destroys its window (the result stays readable through GetResult).
    void EndDialog(INT_PTR result);
    INT_PTR GetResult() const { return m_nResult; }

    HWND GetItem(int id) const { return GetDlgItem(m_hWnd, id); }
    std::string GetItemText(int id) const;
    BOOL SetItemText(int id, const std::string& text);
    // Moves the dialog to the centre of its parent's (else owner's) client area, or of the
    // screen without either. Done by itself after OnInitDialog unless that moved the dialog.
    void CenterOverParent();
    // Moves the dialog to the centre of that window's client area (the screen when null).
    void CenterOver(HWND window);
    // Gives the owner-drawn list box rows one line of the dialog's font high (plus 2).
    void SetListRowsToFontHeight(int listId);

protected:
    // The class's message routing; the base handles WM_INITDIALOG and WM_COMMAND and
    // returns FALSE (not handled) for everything else.
    virtual INT_PTR DialogProc(UINT msg, WPARAM wParam, LPARAM lParam);

    // TRUE lets the system give the focus to the first control.
    virtual BOOL OnInitDialog();
    // Commands from controls and menus; TRUE when handled. The base sends IDOK to OnOK
    // and IDCANCEL (Esc, the close box) to OnCancel.
    virtual BOOL OnCommand(WORD id, WORD notifyCode, HWND control);
    virtual void OnOK();      // EndDialog(IDOK)
    virtual void OnCancel();  // EndDialog(IDCANCEL)

    // The value a message returns when DialogProc reports it as handled.
    void SetMessageResult(LRESULT result);

    // The dialog manager's entry: binds the object given as WM_INITDIALOG's lParam.
    static INT_PTR CALLBACK StaticDialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

private:

    UINT m_nTemplateId;
    bool m_bModal = false;
    INT_PTR m_nResult = 0;
};

}  // namespace fw
