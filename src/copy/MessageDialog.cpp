#include "copy/MessageDialog.h"

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
    for (const Fill& fill : m_arrFills)
        SetItemText(fill.id, fill.asFormat ? core::FormatWithArgument(GetItemText(fill.id), fill.value) : fill.value);

    const LRESULT defaultId = SendMessageA(m_hWnd, DM_GETDEFID, 0, 0);
    if (HIWORD(defaultId) == DC_HASDEFID) {
        if (HWND button = GetItem(LOWORD(defaultId))) {
            SendMessageA(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(button), TRUE);
            return FALSE;
        }
    }
    return TRUE;
}

BOOL CMessageDialog::OnCommand(WORD id, WORD notifyCode, HWND) {
    if (notifyCode != BN_CLICKED && notifyCode != 1 /* accelerator */) return FALSE;
    // Esc and the close box send IDCANCEL even when no such button exists.
    if (id != IDCANCEL && !IsPushButton(GetItem(id))) return FALSE;
    OnButton(id);
    return TRUE;
}

void CMessageDialog::OnButton(WORD id) { EndDialog(id); }
