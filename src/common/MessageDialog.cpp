#include "common/MessageDialog.h"

#include "core/TextFormat.h"

namespace {

bool IsPushButton(HWND control) {
    if (!control) return false;
    char className[16] = {};
    GetClassNameA(control, className, sizeof(className));
    if (lstrcmpiA(className, "Button") != 0) return false;
    const LONG_PTR type = GetWindowLongPtrA(control, GWL_STYLE) & BS_TYPEMASK;
    return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

}  // namespace

CMessageDialog::CMessageDialog(UINT templateId, HWND parent) : fw::Dialog(templateId), m_hParent(parent) {}

INT_PTR CMessageDialog::DoModal(HWND parent) { return fw::Dialog::DoModal(parent ? parent : m_hParent); }

void CMessageDialog::FillFormat(int id, const std::string& value) { m_arrFills.push_back({id, value, true}); }

void CMessageDialog::FillText(int id, const std::string& value) { m_arrFills.push_back({id, value, false}); }

BOOL CMessageDialog::OnInitDialog() {
    bool grown = false;
    for (const Fill& fill : m_arrFills) {
        SetItemText(fill.id, fill.asFormat ? core::FormatWithArgument(GetItemText(fill.id), fill.value) : fill.value);
        grown |= GrowToFitText(fill.id);
    }
    if (grown) CenterOverParent();
    // A dialog without an owner is a worker's question (the copy engine's): it takes the
    // foreground itself, so it opens active in front of the progress dialog. Activated
    // only by being shown, it may get the keyboard but keep an inactive caption.
    if (!GetWindow(m_hWnd, GW_OWNER)) SetForegroundWindow(m_hWnd);

    const LRESULT defaultId = SendMessageA(m_hWnd, DM_GETDEFID, 0, 0);
    if (HIWORD(defaultId) == DC_HASDEFID) {
        if (HWND button = GetItem(LOWORD(defaultId))) {
            SendMessageA(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(button), TRUE);
            return FALSE;
        }
    }
    return TRUE;
}

bool CMessageDialog::GrowToFitText(int id) {
    HWND item = GetItem(id);
    if (!item) return false;
    RECT area = {};
    GetWindowRect(item, &area);
    MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&area), 2);
    const int width = area.right - area.left;

    // The height the static control needs to draw all of its text at its width.
    const std::string text = GetItemText(id);
    RECT needed = {0, 0, width, 0};
    UINT format = DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS;
    const LONG_PTR style = GetWindowLongPtrA(item, GWL_STYLE);
    if (style & SS_NOPREFIX) format |= DT_NOPREFIX;
    if (style & SS_EDITCONTROL) format |= DT_EDITCONTROL;  // breaks words longer than a line
    HDC dc = GetDC(item);
    HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(item, WM_GETFONT, 0, 0)));
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &needed, format);
    SelectObject(dc, oldFont);
    ReleaseDC(item, dc);
    const int grow = (needed.bottom - needed.top) - (area.bottom - area.top);
    if (grow <= 0) return false;

    // Everything below the text moves down, and the dialog grows by as much.
    for (HWND child = GetWindow(m_hWnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT place = {};
        GetWindowRect(child, &place);
        MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&place), 2);
        if (place.top >= area.bottom)
            SetWindowPos(child, nullptr, place.left, place.top + grow, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SetWindowPos(item, nullptr, 0, 0, width, area.bottom - area.top + grow, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT frame = {};
    GetWindowRect(m_hWnd, &frame);
    SetWindowPos(m_hWnd, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top + grow,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

BOOL CMessageDialog::OnCommand(WORD id, WORD notifyCode, HWND) {
    if (notifyCode != BN_CLICKED && notifyCode != 1 /* accelerator */) return FALSE;
    // Esc and the close box send IDCANCEL even when no such button exists.
    if (id != IDCANCEL && !IsPushButton(GetItem(id))) return FALSE;
    OnButton(id);
    return TRUE;
}

void CMessageDialog::OnButton(WORD id) { EndDialog(id); }
