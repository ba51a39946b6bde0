#pragma once
// The system update phase's window: a wait message while the worker (CUpdateSystemThread)
// updates the system one item at a time. The window makes the free shortcuts while it
// initialises, and the program folder and icons when the worker asks for them (they need
// this thread: shell links and the program manager's conversation live here). When the
// worker has finished it closes the program manager (Windows NT before 4.0), stops the
// worker, reports WM_SETUP_UPDATE_DONE to the install driver and destroys itself. There is
// no way to stop the update: Enter and Esc do nothing.
#include <windows.h>

#include <string>

#include "core/PlatformFlags.h"
#include "framework/Dialog.h"
#include "script/SetupItems.h"
#include "system/ProgramManager.h"

class CUpdateSystemThread;
class CUninstallNotes;

class CUpdateSystemDialog : public fw::Dialog {
public:
    CUpdateSystemDialog();
    // Stops a worker that still runs.
    ~CUpdateSystemDialog() override;

    // Creates the modeless window over the parent (the driver's view), which receives
    // WM_SETUP_UPDATE_DONE; the update starts at once.
    virtual BOOL StartUpdate(HWND parent);

    // Sent by the worker: the program folder, and one program icon. 1 on the program
    // manager's route, else 0.
    LRESULT OnCreateGroup();
    LRESULT OnAddItem(const CFileItem* item);
    // The free shortcuts of m_pShortcutItems.
    void MakeShortcuts();
    void OnUpdateFinished();

    // The document's lists; not owned.
    CFileItemArray* m_pFileItems = nullptr;
    CIniItemArray* m_pIniItems = nullptr;
    CRegItemArray* m_pRegItems = nullptr;
    COcxItemArray* m_pOcxItems = nullptr;
    CExeItemArray* m_pExeItems = nullptr;
    CAutomationItemArray* m_pAutomationItems = nullptr;
    CComItemArray* m_pComItems = nullptr;
    CShortcutItemArray* m_pShortcutItems = nullptr;
    std::string m_strGroupName;
    CUpdateSystemThread* m_pThread = nullptr;  // owned

    // Set by the driver: the platform (it picks where program folders go) and the main
    // window's program manager conversation (Windows NT before 4.0 only).
    core::PlatformFlags m_platform;
    CProgramManagerLink m_progman;
    // Where the update's changes are noted; unset, the running installer's notes.
    CUninstallNotes* m_pUninstallNotes = nullptr;

protected:
    INT_PTR DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}

private:
    CUninstallNotes* Notes() const;
    void StopWorker();

    HWND m_hParent = nullptr;
    bool m_bNoWorker = false;  // the worker could not start: the dialog ends the update itself
    bool m_bGroupMadeHere = false;  // the program folder did not exist before this installation
};
