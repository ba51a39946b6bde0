#pragma once
// The system update's worker: one item per WM_UPDATE_STEP, through the lists in a fixed
// order (program icons, INI files, registry, OCX controls, automation servers, COM, programs
// to run), then the temporary directory is removed and the dialog hears WM_UPDATE_FINISHED.
// Program icons are made by the dialog on the user-interface thread (sent messages, the
// worker waits); every other step runs here, with COM initialised on this thread, since
// a control's registration code may create COM objects. Failures of OCX and automation
// items are shown (the worker waits for OK) and the update goes on; all others are silent.
#include <windows.h>

#include <atomic>
#include <set>
#include <string>

#include "common/Messages.h"
#include "framework/Handles.h"
#include "framework/Thread.h"
#include "script/SetupItems.h"

class CUpdateSystemDialog;
class CUninstallNotes;

// Set once the program folder was asked for, before the first icon; never reset.
extern int g_bGroupCreated;

class CUpdateSystemThread : public fw::UiThread {
public:
    CUpdateSystemThread() = default;
    ~CUpdateSystemThread() override;

    CUpdateSystemDialog* m_pDialog = nullptr;  // receives the icon steps and the end
    // The next item of each list.
    int m_nFileIndex = 0;
    int m_nIniIndex = 0;
    int m_nRegIndex = 0;
    int m_nOcxIndex = 0;
    int m_nExeIndex = 0;
    int m_nAutomationIndex = 0;
    int m_nComIndex = 0;
    // The document's lists, copied from the dialog; not owned, never changed.
    CFileItemArray* m_pFileItems = nullptr;
    CIniItemArray* m_pIniItems = nullptr;
    CRegItemArray* m_pRegItems = nullptr;
    COcxItemArray* m_pOcxItems = nullptr;
    CExeItemArray* m_pExeItems = nullptr;
    CAutomationItemArray* m_pAutomationItems = nullptr;
    CComItemArray* m_pComItems = nullptr;
    // Where changes are noted for the uninstaller (set by the dialog); none: nothing noted.
    CUninstallNotes* m_pUninstallNotes = nullptr;

    // Handles the next item of the first list with items left, or ends the update.
    void OnUpdateStep();
    // True once every list was worked through (set before WM_UPDATE_FINISHED is posted,
    // so the dialog can tell the worker's end message from a foreign one).
    bool HasFinished() const { return m_bFinished; }

    // The steps, one item each.
    void UpdateProgramItem(const CFileItem& item);
    void UpdateIniItem(const CIniItem& item);
    void UpdateRegItem(const CRegItem& item);
    void RegisterOcxItem(const COcxItem& item);
    void RegisterAutomationItem(const CAutomationItem& item);
    void SkipComItem(const CComItem&) {}
    void RunExeItem(const CExeItem& item);

    // What the user is given to read between two icons (and after the folder).
    static constexpr DWORD kIconPauseMs = 500;
    // How long an automation server may take to register itself; one that has not ended
    // by then is reported as failed and the update goes on without it.
    static constexpr DWORD kAutomationWaitMs = 60000;
    DWORD m_dwAutomationWaitMs = kAutomationWaitMs;  // the bound in use (tests shorten it)

protected:
    BOOL InitInstance() override;
    int ExitInstance() override;
    void OnThreadMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    bool AcceptsMessage(UINT msg) const override { return msg == WM_UPDATE_STEP; }
    // A failure of this phase: "セットアップ", the stop icon and OK, owned by the dialog;
    // returns once the user pressed OK.
    virtual void ShowError(const std::string& text);
    // Starts a program (CreateProcessA, no handles inherited, the title for its console);
    // its process handle, or an empty one when it did not start.
    virtual fw::Handle StartProgram(std::string commandLine, DWORD flags, const std::string& directory,
                                    const std::string& title, int show);

private:
    // Runs the step for the item at the list's index, counts it and asks for the next
    // step; false when the list has no items left.
    template <class Item, class Step>
    bool StepThrough(std::vector<Item*>* items, int& index, Step step);
    void FinishUpdate();
    HWND DialogWindow() const;
    // True the first time an INI entry (file, section, key; in any case) is changed in
    // this run: only the value it had before that first change is to come back.
    bool FirstChangeOf(const std::string& file, const std::string& section, const std::string& key);

    std::set<std::string> m_changedEntries;  // INI entries changed so far, upper case
    std::set<std::string> m_changedValues;   // registry values written so far, upper case

    std::atomic<bool> m_bFinished{false};
    bool m_bComInitialized = false;
};
