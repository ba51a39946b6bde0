#include "framework/PropSheet.h"

#include <cstring>
#include <utility>

#include "core/DialogTemplate.h"
#include "framework/App.h"

namespace fw {

namespace {

// The sheet being created on this thread: its callback has no user parameter.
thread_local PropSheet* t_pSheetInCreation = nullptr;
// The sheet object lives in a window property: the system's sheet may use the window's
// own user data fields.
constexpr const char kSheetProperty[] = "fw.PropSheet";

}  // namespace

// --- PropPage --------------------------------------------------------------------------

PropPage::PropPage(UINT templateId) : Dialog(templateId) {}

void PropPage::SetWizardButtons(DWORD buttons) const {
    if (m_pSheet) m_pSheet->SetWizardButtons(buttons);
}

BOOL PropPage::OnSetActive() { return TRUE; }
BOOL PropPage::OnKillActive() { return TRUE; }
LRESULT PropPage::OnWizardNext() { return 0; }
LRESULT PropPage::OnWizardBack() { return 0; }
BOOL PropPage::OnWizardFinish() { return TRUE; }
BOOL PropPage::OnQueryCancel() { return TRUE; }
void PropPage::OnOK() {}
void PropPage::OnCancel() {}

INT_PTR PropPage::DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NOTIFY) {
        const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header && header->code >= PSN_LAST && header->code <= PSN_FIRST) return OnNotify(*header);
    }
    return Dialog::DialogProc(msg, wParam, lParam);
}

INT_PTR PropPage::OnNotify(const NMHDR& header) {
    switch (header.code) {
    case PSN_SETACTIVE:
        SetMessageResult(OnSetActive() ? 0 : -1);
        return TRUE;
    case PSN_KILLACTIVE:
        SetMessageResult(OnKillActive() ? FALSE : TRUE);
        return TRUE;
    case PSN_WIZNEXT:
        SetMessageResult(OnWizardNext());
        return TRUE;
    case PSN_WIZBACK:
        SetMessageResult(OnWizardBack());
        return TRUE;
    case PSN_WIZFINISH:
        SetMessageResult(OnWizardFinish() ? FALSE : TRUE);
        return TRUE;
    case PSN_QUERYCANCEL:
        SetMessageResult(OnQueryCancel() ? FALSE : TRUE);
        return TRUE;
    case PSN_APPLY:
        SetMessageResult(PSNRET_NOERROR);
        return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK PropPage::StaticPageProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    // A page's WM_INITDIALOG carries its PROPSHEETPAGE, whose lParam is the page object.
    if (msg == WM_INITDIALOG) {
        const auto* description = reinterpret_cast<const PROPSHEETPAGEA*>(lParam);
        lParam = description ? description->lParam : 0;
    }
    return StaticDialogProc(hwnd, msg, wParam, lParam);
}

// --- PropSheet -------------------------------------------------------------------------

PropSheet::PropSheet(const std::string& caption, UINT startPage)
    : m_strCaption(caption), m_nStartPage(startPage) {}

PropSheet::~PropSheet() {
    if (m_hWnd) {
        RemoveDialogRoute(m_hWnd);
        HWND hwnd = m_hWnd;
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuperProc));
        RemovePropA(hwnd, kSheetProperty);
        m_hWnd = nullptr;
        ::DestroyWindow(hwnd);
    }
}

void PropSheet::AddPage(PropPage* page) {
    if (!page) return;
    page->m_pSheet = this;
    m_pages.push_back(page);
}

BOOL PropSheet::Create(HWND parent) {
    if (m_hWnd || m_pages.empty()) return FALSE;
    std::vector<HPROPSHEETPAGE> handles;
    for (PropPage* page : m_pages) {
        PROPSHEETPAGEA description = {};
        description.dwSize = PROPSHEETPAGEA_V1_SIZE;  // understood by every comctl32
        description.hInstance = GetResourceInstance();
        description.pszTemplate = MAKEINTRESOURCEA(page->GetTemplateId());
        description.pfnDlgProc = &PropPage::StaticPageProc;
        description.lParam = reinterpret_cast<LPARAM>(page);
        HPROPSHEETPAGE handle = CreatePropertySheetPageA(&description);
        if (!handle) {
            for (HPROPSHEETPAGE made : handles) DestroyPropertySheetPage(made);
            return FALSE;
        }
        handles.push_back(handle);
    }

    PROPSHEETHEADERA header = {};
    header.dwSize = PROPSHEETHEADERA_V1_SIZE;
    header.dwFlags = m_dwFlags | PSH_MODELESS | PSH_USECALLBACK;
    header.hwndParent = parent;
    header.hInstance = GetResourceInstance();
    header.pszCaption = m_strCaption.c_str();
    header.nPages = static_cast<UINT>(handles.size());
    header.nStartPage = m_nStartPage;
    header.phpage = handles.data();
    header.pfnCallback = &PropSheet::SheetCallback;

    PropSheet* outer = std::exchange(t_pSheetInCreation, this);
    const INT_PTR result = PropertySheetA(&header);
    t_pSheetInCreation = outer;
    HWND hwnd = reinterpret_cast<HWND>(result);
    if (result == 0 || result == -1 || !hwnd) return FALSE;
    if (!m_hWnd) Subclass(hwnd);  // a system that skipped the callback
    AddDialogRoute(m_hWnd, true);
    return TRUE;
}

int PropSheet::GetActiveIndex() const {
    if (!m_hWnd) return -1;
    HWND page = PropSheet_GetCurrentPageHwnd(m_hWnd);
    if (!page) return -1;
    return static_cast<int>(SendMessageA(m_hWnd, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(page), 0));
}

PropPage* PropSheet::GetActivePage() const {
    const int index = GetActiveIndex();
    return index >= 0 && index < GetPageCount() ? m_pages[static_cast<size_t>(index)] : nullptr;
}

void PropSheet::SetWizardButtons(DWORD buttons) const {
    if (m_hWnd) PostMessageA(m_hWnd, PSM_SETWIZBUTTONS, 0, static_cast<LPARAM>(buttons));
}

BOOL PropSheet::OnCommand(WORD, WORD, HWND) { return FALSE; }

BOOL PropSheet::OnClose() { return FALSE; }

void PropSheet::OnSheetEnded() { DestroyWindow(); }

LRESULT PropSheet::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_COMMAND: {
        if (OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam))) return 0;
        const LRESULT result = DefaultProc(msg, wParam, lParam);
        // A modeless sheet is not destroyed by the system when Finish or Cancel ends it.
        if (m_hWnd && !PropSheet_GetCurrentPageHwnd(m_hWnd)) OnSheetEnded();
        return result;
    }
    case WM_CLOSE:
        if (OnClose()) return 0;
        break;
    }
    return DefaultProc(msg, wParam, lParam);
}

int CALLBACK PropSheet::SheetCallback(HWND hwnd, UINT msg, LPARAM lParam) {
    if (msg == PSCB_PRECREATE && t_pSheetInCreation && lParam)
        t_pSheetInCreation->UsePageFont(reinterpret_cast<std::uint8_t*>(lParam));
    if (msg == PSCB_INITIALIZED && t_pSheetInCreation && !t_pSheetInCreation->m_hWnd)
        t_pSheetInCreation->Subclass(hwnd);
    return 0;
}

void PropSheet::UsePageFont(std::uint8_t* sheetTemplate) const {
    if (m_pages.empty()) return;
    HINSTANCE instance = GetResourceInstance();
    HRSRC resource = FindResourceA(instance, MAKEINTRESOURCEA(m_pages.front()->GetTemplateId()), RT_DIALOG);
    HGLOBAL loaded = resource ? LoadResource(instance, resource) : nullptr;
    const auto* page = loaded ? static_cast<const std::uint8_t*>(LockResource(loaded)) : nullptr;
    if (!page) return;
    const std::optional<core::DialogFont> font = core::ReadDialogTemplateFont(page, SizeofResource(instance, resource));
    if (!font) return;
    // The system's copy of its template has no stated size; a template is far below 64 KiB.
    constexpr std::size_t kTemplateBound = 0x10000;
    const std::size_t length = core::DialogTemplateLength(sheetTemplate, kTemplateBound);
    const std::vector<std::uint8_t> rewritten = core::ReplaceDialogTemplateFont(sheetTemplate, length, *font);
    // Written back only when it fits where the system's copy lies.
    if (!rewritten.empty() && rewritten.size() <= length) std::memcpy(sheetTemplate, rewritten.data(), rewritten.size());
}

void PropSheet::Subclass(HWND hwnd) {
    m_hWnd = hwnd;
    SetPropA(hwnd, kSheetProperty, reinterpret_cast<HANDLE>(this));
    m_pfnSuperProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PropSheet::SubclassProc)));
}

LRESULT CALLBACK PropSheet::SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<PropSheet*>(GetPropA(hwnd, kSheetProperty));
    if (!self) return DefWindowProcA(hwnd, msg, wParam, lParam);
    const WNDPROC systemProc = self->m_pfnSuperProc;

    LRESULT result = 0;
    if (msg == WM_NCDESTROY) {
        // Let go of the window before the system's own clean-up.
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(systemProc));
        RemovePropA(hwnd, kSheetProperty);
        RemoveDialogRoute(hwnd);
        self->m_hWnd = nullptr;
        result = CallWindowProcA(systemProc, hwnd, msg, wParam, lParam);
        self->OnFinalMessage();
        return result;
    }
    try {
        result = self->WindowProc(msg, wParam, lParam);
    } catch (...) {
        result = 0;
        ReportHandlerFailure("property sheet procedure", hwnd, msg);
    }
    return result;
}

}  // namespace fw
