#pragma once
// The directory chooser of the installation directory page: a drive list, a directory
// list (the levels of the current directory, then its subdirectories; a double click
// enters one) and an editable path. OK accepts an existing directory at once and offers
// to create a missing one. The network button connects a network drive.
#include <windows.h>
#include <winnetwk.h>

#include <string>
#include <vector>

#include "framework/Dialog.h"

class CBrowseDialog : public fw::Dialog {
public:
    // An empty starting directory starts in the current directory; any other starts in
    // its deepest existing level.
    explicit CBrowseDialog(const std::string& startDirectory, HWND parent = nullptr);

    // IDOK or IDCANCEL.
    INT_PTR DoModal();
    // The chosen directory once the dialog ended with IDOK.
    const std::string& GetDirectory() const { return m_strDir; }

    // The starting directory cut back, level by level, to one that exists.
    static std::string FindExistingDirectory(const std::string& path);

    std::string m_strDir;

    // The platform's dialog for connecting a network drive (owner, resource type); its
    // result is NO_ERROR once a drive was connected. Replaced by tests.
    using ConnectionDialog = DWORD(WINAPI*)(HWND owner, DWORD type);
    ConnectionDialog m_pfnConnectionDialog = &WNetConnectionDialog;

protected:
    INT_PTR DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WORD id, WORD notifyCode, HWND control) override;
    void OnOK() override;

private:
    // Makes the directory current: list, path field and drive selection. FALSE (and no
    // change) when it cannot be read.
    bool ShowDirectory(const std::string& directory);
    void FillDrives();
    void SelectDrive();
    void OnDriveChanged();
    // "ﾈｯﾄﾜｰｸ...": a drive connected there joins the drive list.
    void OnNetwork();
    void OnDirectoryDoubleClicked();
    void DrawDirectoryItem(const DRAWITEMSTRUCT& item);

    HWND m_hWndParent;
    std::string m_strInitialDir;
    std::string m_strCurrentDir;
    std::vector<std::string> m_arrEntryPaths;  // full path of each entry of list 1121
    std::vector<int> m_arrEntryDepths;         // indentation level of each entry
};
