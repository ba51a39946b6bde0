#include "system/UpdateSystemDialog.h"

#include <memory>

#include "common/Messages.h"
#include "resources/system_ids.h"
#include "script/UninstallNotes.h"
#include "system/ProgramGroups.h"
#include "system/UpdateSystemThread.h"

CUpdateSystemDialog::CUpdateSystemDialog() : fw::Dialog(IDD_UPDATE_SYSTEM) {}

CUpdateSystemDialog::~CUpdateSystemDialog() { StopWorker(); }

BOOL CUpdateSystemDialog::StartUpdate(HWND parent) {
    m_hParent = parent;
    return fw::Dialog::Create(parent);
}

INT_PTR CUpdateSystemDialog::DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_UPDATE_CREATE_GROUP:
        SetMessageResult(OnCreateGroup());
        return TRUE;
    case WM_UPDATE_ADD_ITEM:
        SetMessageResult(OnAddItem(reinterpret_cast<const CFileItem*>(lParam)));
        return TRUE;
    case WM_UPDATE_FINISHED:
        // Only the worker's own end counts (or the dialog's, when no worker started).
        if (m_pThread ? m_pThread->HasFinished() : m_bNoWorker) OnUpdateFinished();
        return TRUE;
    }
    return fw::Dialog::DialogProc(msg, wParam, lParam);
}

BOOL CUpdateSystemDialog::OnInitDialog() {
    // Centred over the view's client area (the base would take the owner's).
    CenterOver(m_hParent);

    auto worker = std::make_unique<CUpdateSystemThread>();
    worker->m_pDialog = this;
    worker->m_pFileItems = m_pFileItems;
    worker->m_pIniItems = m_pIniItems;
    worker->m_pRegItems = m_pRegItems;
    worker->m_pOcxItems = m_pOcxItems;
    worker->m_pExeItems = m_pExeItems;
    worker->m_pAutomationItems = m_pAutomationItems;
    worker->m_pComItems = m_pComItems;
    worker->m_pUninstallNotes = Notes();
    if (worker->Start()) {
        m_pThread = worker.release();
        m_pThread->PostToThread(WM_UPDATE_STEP);
    } else {
        // Without a worker nothing but the shortcuts is made; the update still ends.
        m_bNoWorker = true;
        PostMessageA(m_hWnd, WM_UPDATE_FINISHED, 0, 0);
    }
    // The worker's icon requests wait until this returns.
    MakeShortcuts();
    return FALSE;
}

LRESULT CUpdateSystemDialog::OnCreateGroup() {
    return CreateProgramGroup(core::GetProgramFolderRoute(m_platform), m_strGroupName, m_progman, Notes(),
                              m_bGroupMadeHere);
}

LRESULT CUpdateSystemDialog::OnAddItem(const CFileItem* item) {
    if (!item) return 0;
    return AddProgramGroupItem(core::GetProgramFolderRoute(m_platform), m_strGroupName, *item, m_progman, Notes(),
                               m_bGroupMadeHere);
}

void CUpdateSystemDialog::MakeShortcuts() { ::MakeShortcuts(m_pShortcutItems, Notes()); }

void CUpdateSystemDialog::OnUpdateFinished() {
    m_bNoWorker = false;  // the end is reported once
    if (m_progman.pConv) ExitProgramManager(m_progman);
    // The worker is idle in its loop: it ends as soon as it is asked.
    StopWorker();
    PostMessageA(m_hParent, WM_SETUP_UPDATE_DONE, SETUP_DONE, 0);
    DestroyWindow();
}

CUninstallNotes* CUpdateSystemDialog::Notes() const {
    return m_pUninstallNotes ? m_pUninstallNotes : FindUninstallNotes();
}

void CUpdateSystemDialog::StopWorker() {
    if (!m_pThread) return;
    m_pThread->Stop();
    delete m_pThread;
    m_pThread = nullptr;
}
