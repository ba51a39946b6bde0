#include "framework/Dialog.h"

#include <vector>

#include "framework/App.h"

namespace fw {

Dialog::Dialog(UINT templateId) : m_nTemplateId(templateId) {}

Dialog::~Dialog() {
    if (m_hWnd && !m_bModal) RemoveDialogRoute(m_hWnd);
}

INT_PTR Dialog::DoModal(HWND parent) {
    if (m_hWnd) return -1;
    if (!parent) {
        App* app = App::Current();
        if (app && app->GetThreadId() == GetCurrentThreadId()) parent = app->GetMainWnd();
    }
    m_bModal = true;
    m_nResult = 0;
    const ModalLoopScope modal;
    const INT_PTR result = DialogBoxParamA(GetResourceInstance(), MAKEINTRESOURCEA(m_nTemplateId), parent,
                                           &Dialog::StaticDialogProc, reinterpret_cast<LPARAM>(this));
    m_bModal = false;
    return result;
}

BOOL Dialog::Create(HWND parent) {
    if (m_hWnd) return FALSE;
    m_bModal = false;
    m_nResult = 0;
    HWND hwnd = CreateDialogParamA(GetResourceInstance(), MAKEINTRESOURCEA(m_nTemplateId), parent,
                                   &Dialog::StaticDialogProc, reinterpret_cast<LPARAM>(this));
    if (!hwnd) return FALSE;
    AddDialogRoute(hwnd, false);
    return TRUE;
}

void Dialog::EndDialog(INT_PTR result) {
    m_nResult = result;
    if (!m_hWnd) return;
    if (m_bModal)
        ::EndDialog(m_hWnd, result);
    else
        ::DestroyWindow(m_hWnd);
}

std::string Dialog::GetItemText(int id) const {
    HWND item = GetItem(id);
    if (!item) return {};
    const int length = GetWindowTextLengthA(item);
    std::vector<char> buffer(static_cast<size_t>(length) + 1);
    const int got = ::GetWindowTextA(item, buffer.data(), length + 1);
    return std::string(buffer.data(), got > 0 ? static_cast<size_t>(got) : 0);
}

BOOL Dialog::SetItemText(int id, const std::string& text) {
    return SetDlgItemTextA(m_hWnd, id, text.c_str());
}

void Dialog::CenterOverParent() {
    HWND parent = GetParent(m_hWnd);
    CenterOver(parent ? parent : GetWindow(m_hWnd, GW_OWNER));
}

void Dialog::CenterOver(HWND window) {
    RECT area = {};
    if (window) {
        GetClientRect(window, &area);
        MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&area), 2);
    } else {
        area = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    }
    RECT own = {};
    GetWindowRect(m_hWnd, &own);
    const int x = area.left + ((area.right - area.left) - (own.right - own.left)) / 2;
    const int y = area.top + ((area.bottom - area.top) - (own.bottom - own.top)) / 2;
    SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Dialog::SetListRowsToFontHeight(int listId) {
    HDC dc = GetDC(m_hWnd);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(m_hWnd, WM_GETFONT, 0, 0)));
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(m_hWnd, dc);
    SendMessageA(GetItem(listId), LB_SETITEMHEIGHT, 0, metrics.tmHeight + 2);
}

INT_PTR Dialog::DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG: {
        RECT before = {};
        GetWindowRect(m_hWnd, &before);
        const BOOL result = OnInitDialog();
        // A top-level dialog that OnInitDialog did not place is centred over its owner
        // (the screen when it has none) instead of sitting at the template's corner.
        RECT after = {};
        if (m_hWnd && GetWindowRect(m_hWnd, &after) && EqualRect(&before, &after) &&
            !(GetWindowLongPtrA(m_hWnd, GWL_STYLE) & WS_CHILD))
            CenterOverParent();
        return result;
    }
    case WM_COMMAND:
        return OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
    }
    return FALSE;
}

BOOL Dialog::OnInitDialog() { return TRUE; }

BOOL Dialog::OnCommand(WORD id, WORD notifyCode, HWND) {
    if (notifyCode != BN_CLICKED && notifyCode != 1 /* accelerator */) return FALSE;
    switch (id) {
    case IDOK:
        OnOK();
        return TRUE;
    case IDCANCEL:
        OnCancel();
        return TRUE;
    }
    return FALSE;
}

void Dialog::OnOK() { EndDialog(IDOK); }

void Dialog::OnCancel() { EndDialog(IDCANCEL); }

void Dialog::SetMessageResult(LRESULT result) { SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, result); }

INT_PTR CALLBACK Dialog::StaticDialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Dialog* self = nullptr;
    if (msg == WM_INITDIALOG) {
        self = reinterpret_cast<Dialog*>(lParam);
        if (self) self->Attach(hwnd);
    } else {
        self = static_cast<Dialog*>(FromHandle(hwnd));
    }
    if (!self) return FALSE;

    INT_PTR result = FALSE;
    try {
        result = self->DialogProc(msg, wParam, lParam);
    } catch (...) {
        // Nothing unwinds through the dialog manager.
        result = FALSE;
        ReportHandlerFailure("dialog procedure", hwnd, msg);
    }
    if (msg == WM_NCDESTROY) {
        if (!self->m_bModal) RemoveDialogRoute(hwnd);
        self->Detach();
        self->OnFinalMessage();
    }
    return result;
}

}  // namespace fw
