#include "UninstallerDialogs.h"

#include <commctrl.h>

#include <algorithm>

#include "core/TextFormat.h"
#include "uninstaller_ids.h"

namespace {

constexpr char kTextRemoved[] = "「%s」を削除しました。";
constexpr char kTextRemovedExcept[] = "「%s」を削除しましたが、次の項目は残っています。もう一度アンインストールを実行すると、残りを削除できます。";
constexpr char kTextRestart[] = "「%s」の削除を完了するには、コンピュータを再起動してください。次の項目は再起動のときに削除されます。";

std::string Lines(const std::vector<std::string>& items) {
    std::string text;
    for (const std::string& item : items) {
        if (!text.empty()) text += "\r\n";
        text += item;
    }
    return text;
}

}  // namespace

void HandleWaitingMessages(HWND dialog) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));  // for the loop that waits for it
            return;
        }
        if (dialog && IsDialogMessageA(dialog, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

CConfirmRemovalDialog::CConfirmRemovalDialog(const std::string& product)
    : CMessageDialog(IDD_UNINSTALL_CONFIRM, nullptr) {
    FillFormat(IDC_UNINSTALL_TEXT, product);
}

CSharedFileDialog::CSharedFileDialog(const std::string& path, HWND parent)
    : CMessageDialog(IDD_UNINSTALL_SHARED_FILE, parent) {
    FillText(IDC_UNINSTALL_TEXT, path);
}

SharedFileAnswer CSharedFileDialog::Ask() {
    switch (DoModal()) {
    case IDC_SHARED_YES: return SharedFileAnswer::Yes;
    case IDC_SHARED_YES_TO_ALL: return SharedFileAnswer::YesToAll;
    case IDC_SHARED_NO_TO_ALL: return SharedFileAnswer::NoToAll;
    default: return SharedFileAnswer::No;
    }
}

BOOL CSharedFileDialog::OnInitDialog() {
    const BOOL result = CMessageDialog::OnInitDialog();
    RECT parent = {}, own = {};
    if (m_hParent && GetWindowRect(m_hParent, &parent) && GetWindowRect(m_hWnd, &own)) {
        const int width = own.right - own.left, height = own.bottom - own.top;
        const int x = (parent.left + parent.right - width) / 2;
        const int y = std::min<int>(parent.bottom + 8, GetSystemMetrics(SM_CYSCREEN) - height);
        SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return result;
}

CRemovalProgressDialog::CRemovalProgressDialog() : fw::Dialog(IDD_UNINSTALL_PROGRESS) {}

BOOL CRemovalProgressDialog::OnInitDialog() {
    SendMessageA(GetItem(IDC_UNINSTALL_PROGRESS), PBM_SETRANGE, 0, MAKELPARAM(0, 100));
    return TRUE;
}

void CRemovalProgressDialog::ShowProgress(const std::string& item, int done, int total) {
    if (!IsAlive()) return;
    SetItemText(IDC_UNINSTALL_ITEM, item);
    const int percent = total > 0 ? static_cast<int>(static_cast<long long>(done) * 100 / total) : 0;
    SendMessageA(GetItem(IDC_UNINSTALL_PROGRESS), PBM_SETPOS, percent, 0);
    UpdateWindow(m_hWnd);
    HandleWaitingMessages(m_hWnd);
}

SharedFileAnswer CRemovalProgressDialog::AskRemoveSharedFile(const std::string& path) {
    return CSharedFileDialog(path, m_hWnd).Ask();
}

CRemovalDoneDialog::CRemovalDoneDialog(const std::string& product, const RemovalReport& report)
    : CMessageDialog(IDD_UNINSTALL_DONE, nullptr) {
    if (!report.remaining.empty()) {
        FillText(IDC_UNINSTALL_TEXT, core::FormatWithArgument(kTextRemovedExcept, product));
        m_strList = Lines(report.remaining);
    } else if (!report.scheduled.empty()) {
        FillText(IDC_UNINSTALL_TEXT, core::FormatWithArgument(kTextRestart, product));
        m_strList = Lines(report.scheduled);
    } else {
        FillText(IDC_UNINSTALL_TEXT, core::FormatWithArgument(kTextRemoved, product));
    }
}

BOOL CRemovalDoneDialog::OnInitDialog() {
    SetItemText(IDC_UNINSTALL_LIST, m_strList);
    if (m_strList.empty()) ShowWindow(GetItem(IDC_UNINSTALL_LIST), SW_HIDE);
    return CMessageDialog::OnInitDialog();
}
