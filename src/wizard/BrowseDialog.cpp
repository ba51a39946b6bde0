#include "wizard/BrowseDialog.h"

#include <algorithm>

#include "common/FileUtils.h"
#include "core/DirectoryChooser.h"
#include "core/PercentFormat.h"
#include "common/SetupMessageBox.h"
#include "resources/wizard_ids.h"

namespace {

constexpr int kIndentPixels = 10;

// Keeps the system from asking for a disk when an empty drive is looked at.
class NoCriticalErrorBoxes {
public:
    NoCriticalErrorBoxes() : m_previous(SetErrorMode(SEM_FAILCRITICALERRORS)) {}
    ~NoCriticalErrorBoxes() { SetErrorMode(m_previous); }

private:
    UINT m_previous;
};

std::vector<std::string> SubdirectoryNames(const std::string& directory) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(core::JoinPath(directory, "*.*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::string name = found.cFileName;
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || name == "." || name == "..") continue;
        names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) < 0; });
    return names;
}

std::string CurrentDirectory() {
    char buffer[MAX_PATH] = "";
    const DWORD length = GetCurrentDirectoryA(MAX_PATH, buffer);
    return length > 0 && length < MAX_PATH ? std::string(buffer) : std::string();
}

}  // namespace

CBrowseDialog::CBrowseDialog(const std::string& startDirectory, HWND parent)
    : fw::Dialog(IDD_BROWSE_DIALOG), m_strDir(startDirectory), m_hWndParent(parent) {
    if (!m_strDir.empty()) {
        m_strDir = FindExistingDirectory(m_strDir);
        m_strInitialDir = m_strDir;
    }
}

INT_PTR CBrowseDialog::DoModal() { return fw::Dialog::DoModal(m_hWndParent); }

std::string CBrowseDialog::FindExistingDirectory(const std::string& path) {
    return core::FindExistingDirectory(path, [](const std::string& p) { return DirectoryExists(p); });
}

INT_PTR CBrowseDialog::DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_DRAWITEM && wParam == IDC_BROWSE_DIRECTORIES) {
        DrawDirectoryItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        SetMessageResult(TRUE);
        return TRUE;
    }
    return fw::Dialog::DialogProc(msg, wParam, lParam);
}

BOOL CBrowseDialog::OnInitDialog() {
    ShowWindow(GetItem(IDC_BROWSE_HELP), SW_HIDE);

    SetListRowsToFontHeight(IDC_BROWSE_DIRECTORIES);

    FillDrives();
    const std::string start = m_strInitialDir.empty() ? CurrentDirectory() : m_strInitialDir;
    if (!ShowDirectory(start)) SetItemText(IDC_BROWSE_PATH, start);
    return TRUE;
}

BOOL CBrowseDialog::OnCommand(WORD id, WORD notifyCode, HWND control) {
    if (id == IDC_BROWSE_DRIVES && notifyCode == CBN_SELCHANGE) {
        OnDriveChanged();
        return TRUE;
    }
    if (id == IDC_BROWSE_DIRECTORIES && notifyCode == LBN_DBLCLK) {
        OnDirectoryDoubleClicked();
        return TRUE;
    }
    if (id == IDC_BROWSE_NETWORK && notifyCode == BN_CLICKED) {
        OnNetwork();
        return TRUE;
    }
    return fw::Dialog::OnCommand(id, notifyCode, control);
}

void CBrowseDialog::OnOK() {
    m_strDir = GetItemText(IDC_BROWSE_PATH);
    // An empty field names no directory; there is nothing to accept or create.
    if (m_strDir.empty()) {
        MessageBeep(MB_ICONEXCLAMATION);
        return;
    }
    if (DirectoryExists(m_strDir)) {
        EndDialog(IDOK);
        return;
    }
    const std::string question = core::FormatPercentS("ディレクトリ：\n\n%s\n\nは存在しません。作成しますか？", m_strDir);
    if (SetupMessageBox(question.c_str(), MB_YESNO | MB_ICONQUESTION, m_hWnd) != IDYES) return;
    // One level only; a missing parent leaves it to the copy phase, which creates the tree.
    CreateDirectoryA(m_strDir.c_str(), nullptr);
    EndDialog(IDOK);
}

bool CBrowseDialog::ShowDirectory(const std::string& directory) {
    const std::string path = core::NormalizeDirectory(directory);
    {
        NoCriticalErrorBoxes quiet;
        if (path.empty() || !DirectoryExists(path)) return false;
    }
    const std::vector<core::DirectoryLevel> levels = core::SplitDirectoryLevels(path);
    std::vector<std::string> subdirectories;
    {
        NoCriticalErrorBoxes quiet;
        subdirectories = SubdirectoryNames(path);
    }

    HWND list = GetItem(IDC_BROWSE_DIRECTORIES);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    m_arrEntryPaths.clear();
    m_arrEntryDepths.clear();
    for (const core::DirectoryLevel& level : levels) {
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(level.name.c_str()));
        m_arrEntryPaths.push_back(level.path);
        m_arrEntryDepths.push_back(static_cast<int>(m_arrEntryDepths.size()));
    }
    const int current = static_cast<int>(levels.size()) - 1;
    for (const std::string& name : subdirectories) {
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        m_arrEntryPaths.push_back(core::JoinPath(path, name));
        m_arrEntryDepths.push_back(current + 1);
    }
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(current), 0);
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);

    m_strCurrentDir = path;
    SetItemText(IDC_BROWSE_PATH, path);
    SelectDrive();
    return true;
}

void CBrowseDialog::FillDrives() {
    HWND combo = GetItem(IDC_BROWSE_DRIVES);
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    const DWORD drives = GetLogicalDrives();
    for (int index = 0; index < 26; ++index) {
        if (!(drives & (1u << index))) continue;
        const std::string drive = {static_cast<char>('A' + index), ':'};
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(drive.c_str()));
    }
}

void CBrowseDialog::SelectDrive() {
    HWND combo = GetItem(IDC_BROWSE_DRIVES);
    int found = CB_ERR;
    if (m_strCurrentDir.size() >= 2 && m_strCurrentDir[1] == ':')
        found = static_cast<int>(SendMessageA(combo, CB_FINDSTRING, static_cast<WPARAM>(-1),
                                              reinterpret_cast<LPARAM>(m_strCurrentDir.substr(0, 2).c_str())));
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(found), 0);
}

void CBrowseDialog::OnDriveChanged() {
    HWND combo = GetItem(IDC_BROWSE_DRIVES);
    const int index = static_cast<int>(SendMessageA(combo, CB_GETCURSEL, 0, 0));
    if (index < 0) return;
    char drive[8] = "";
    if (SendMessageA(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0) >= static_cast<LRESULT>(sizeof drive)) return;
    SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(drive));
    if (!ShowDirectory(std::string(drive) + '\\')) {
        // An empty or unreadable drive: stay where we were.
        MessageBeep(MB_ICONEXCLAMATION);
        SelectDrive();
    }
}

void CBrowseDialog::OnNetwork() {
    const DWORD result = m_pfnConnectionDialog(m_hWnd, RESOURCETYPE_DISK);
    if (result == NO_ERROR) {
        FillDrives();
        SelectDrive();
    } else if (result != static_cast<DWORD>(-1)) {  // -1: the user cancelled it
        // No network (the dialog then shows nothing itself): say that nothing happened.
        MessageBeep(MB_ICONEXCLAMATION);
    }
}

void CBrowseDialog::OnDirectoryDoubleClicked() {
    const int index = static_cast<int>(SendMessageA(GetItem(IDC_BROWSE_DIRECTORIES), LB_GETCURSEL, 0, 0));
    if (index < 0 || index >= static_cast<int>(m_arrEntryPaths.size())) return;
    // Copied: ShowDirectory refills the list of paths.
    const std::string target = m_arrEntryPaths[static_cast<size_t>(index)];
    if (!ShowDirectory(target)) MessageBeep(MB_ICONEXCLAMATION);
}

void CBrowseDialog::DrawDirectoryItem(const DRAWITEMSTRUCT& item) {
    if (item.itemID == static_cast<UINT>(-1)) return;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    HDC dc = item.hDC;
    // A system colour index + 1 as the brush: NT 3.51 has no GetSysColorBrush.
    const int background = selected ? COLOR_HIGHLIGHT : COLOR_WINDOW;
    FillRect(dc, &item.rcItem, reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(background + 1)));

    const LRESULT length = SendMessageA(item.hwndItem, LB_GETTEXTLEN, item.itemID, 0);
    std::vector<char> text(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
    SendMessageA(item.hwndItem, LB_GETTEXT, item.itemID, reinterpret_cast<LPARAM>(text.data()));
    const int depth = item.itemID < m_arrEntryDepths.size() ? m_arrEntryDepths[item.itemID] : 0;
    RECT area = item.rcItem;
    area.left += 2 + depth * kIndentPixels;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    DrawTextA(dc, text.data(), -1, &area, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &item.rcItem);
}
