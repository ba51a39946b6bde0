#pragma once
// The uninstaller's dialogs: the confirmation, the progress of the removal (which also
// asks the shared-file question), and the final message.
#include <windows.h>

#include <string>
#include <vector>

#include "Removal.h"
#include "common/MessageDialog.h"

// "Remove <product> and all its components?": IDOK yes, IDCANCEL no.
class CConfirmRemovalDialog : public CMessageDialog {
public:
    explicit CConfirmRemovalDialog(const std::string& product);
};

// The shared-file question: IDC_SHARED_YES, _NO, _YES_TO_ALL or _NO_TO_ALL (Esc: no).
class CSharedFileDialog : public CMessageDialog {
public:
    CSharedFileDialog(const std::string& path, HWND parent);
    SharedFileAnswer Ask();

protected:
    // Opens below the progress dialog, so the item and the bar stay in view.
    BOOL OnInitDialog() override;
};

// Modeless: the item being removed and the bar. Between two items it handles what the
// queue holds, so it stays painted while the removal runs on the same thread.
class CRemovalProgressDialog : public fw::Dialog, public CRemovalUi {
public:
    CRemovalProgressDialog();
    void ShowProgress(const std::string& item, int done, int total) override;
    SharedFileAnswer AskRemoveSharedFile(const std::string& path) override;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
};

// The end: removed; removed but for a list of what stays and why; or a restart completes
// the removal (with the list of what goes then).
class CRemovalDoneDialog : public CMessageDialog {
public:
    CRemovalDoneDialog(const std::string& product, const RemovalReport& report);

protected:
    BOOL OnInitDialog() override;

private:
    std::string m_strList;
};

// Hands the thread's queued messages to their windows (and the dialog's keyboard to it).
void HandleWaitingMessages(HWND dialog);
