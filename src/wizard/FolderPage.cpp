#include "wizard/FolderPage.h"

#include <vector>

#include "framework/Handles.h"
#include "resources/wizard_ids.h"
#include "script/ProgramFolders.h"

CFolderPage::CFolderPage(const core::PlatformFlags& platform)
    : fw::PropPage(IDD_FOLDER_PAGE), m_platform(platform), m_shell(FindShellFolderFunctions()) {}

BOOL CFolderPage::OnInitDialog() {
    m_editGroup = GetItem(IDC_FOLDER_NAME);
    m_listGroups = GetItem(IDC_FOLDER_LIST);
    SetWindowTextA(m_editGroup, m_strGroup.c_str());
    // The default name is the first entry, even when it is empty.
    SendMessageA(m_listGroups, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(m_strGroup.c_str()));
    FillGroupList();
    return TRUE;
}

BOOL CFolderPage::OnSetActive() {
    UpdateGroupState();
    return fw::PropPage::OnSetActive();
}

BOOL CFolderPage::OnCommand(WORD id, WORD notifyCode, HWND control) {
    if (id == IDC_FOLDER_NAME && notifyCode == EN_UPDATE) {
        UpdateGroupState();
        return TRUE;
    }
    if (id == IDC_FOLDER_LIST && notifyCode == LBN_SELCHANGE) {
        OnSelChangeGroup();
        return TRUE;
    }
    return fw::PropPage::OnCommand(id, notifyCode, control);
}

void CFolderPage::FillGroupList() {
    const core::ProgramFolderRoute route = core::GetProgramFolderRoute(m_platform);
    if (route == core::ProgramFolderRoute::ProgramManager) {
        for (const std::string& group : ProgramManagerGroups())
            SendMessageA(m_listGroups, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(group.c_str()));
        return;
    }
    for (const std::string& base : ExistingProgramFolderBases(route, m_shell)) AddGroupDirectories(base + "\\*.*");
}

void CFolderPage::AddGroupDirectories(const std::string& wildcardPath) {
    WIN32_FIND_DATAA found;
    fw::FindHandle search(FindFirstFileA(wildcardPath.c_str(), &found));
    if (!search.IsValid()) return;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || found.cFileName[0] == '.') continue;
        // A name that some entry begins with (any case) is already offered.
        const LRESULT match = SendMessageA(m_listGroups, LB_FINDSTRING, static_cast<WPARAM>(-1),
                                           reinterpret_cast<LPARAM>(found.cFileName));
        if (match == LB_ERR) SendMessageA(m_listGroups, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(found.cFileName));
    } while (FindNextFileA(search.Get(), &found));
}

void CFolderPage::OnSelChangeGroup() {
    const LRESULT index = SendMessageA(m_listGroups, LB_GETCURSEL, 0, 0);
    m_strGroup.clear();
    if (index != LB_ERR) {
        const LRESULT length = SendMessageA(m_listGroups, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
        if (length > 0) {
            std::vector<char> buffer(static_cast<size_t>(length) + 1);
            SendMessageA(m_listGroups, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.data()));
            m_strGroup = buffer.data();
        }
    }
    // The edit's change notification then updates the buttons.
    SetWindowTextA(m_editGroup, m_strGroup.c_str());
}

void CFolderPage::UpdateGroupState() {
    m_strGroup = GetItemText(IDC_FOLDER_NAME);
    SetWizardButtons(m_strGroup.empty() ? PSWIZB_BACK : PSWIZB_BACK | PSWIZB_NEXT);
}
