#include "copy/CopyDialog.h"

#include <commctrl.h>

#include "common/Messages.h"
#include "common/StopDialogs.h"
#include "copy/CopyThread.h"
#include "core/CopyDecision.h"
#include "core/DiskSpace.h"
#include "resources/copy_ids.h"
#include "script/UninstallNotes.h"

CCopyDialog::CCopyDialog() : fw::Dialog(IDD_COPY) {}

CCopyDialog::~CCopyDialog() { StopWorker(); }

BOOL CCopyDialog::Create(HWND parent) {
    m_hParent = parent;
    return fw::Dialog::Create(parent);
}

void CCopyDialog::SetFileName(const std::string& name) {
    {
        const fw::CriticalSection::Lock lock(m_fileLineLock);
        m_bNameOffered = false;  // an older offer must not come after this name
    }
    SetItemText(IDC_COPY_FILE_NAME, name);
}

void CCopyDialog::OfferFileName(const std::string& name) {
    const fw::CriticalSection::Lock lock(m_fileLineLock);
    m_strOfferedName = name;
    m_bNameOffered = true;
}

void CCopyDialog::ShowOfferedFileName() {
    std::string name;
    {
        const fw::CriticalSection::Lock lock(m_fileLineLock);
        if (!m_bNameOffered) return;
        name.swap(m_strOfferedName);
        m_bNameOffered = false;
    }
    SetItemText(IDC_COPY_FILE_NAME, name);
}

INT_PTR CCopyDialog::DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_TIMER:
        if (wParam == kFileLineTimerId) ShowOfferedFileName();
        return TRUE;
    case WM_COPY_PROGRESS:
        SetMessageResult(OnCopyProgress(wParam));
        return TRUE;
    case WM_COPY_FINISHED:
    case WM_COPY_ABORTED:
        // Only the worker's own end counts: another program's message of that number
        // (a broadcast) finds the worker still running, or the copy already ended.
        if (m_pThread && m_pThread->Outcome() == SETUP_DONE) OnCopyFinished();
        else if (m_pThread && m_pThread->Outcome() == SETUP_STOPPED) OnCopyAborted();
        return TRUE;
    }
    return fw::Dialog::DialogProc(msg, wParam, lParam);
}

BOOL CCopyDialog::OnInitDialog() {
    m_nTotal = 0;
    if (m_pFileItems)
        for (const CFileItem* item : *m_pFileItems)
            if (item) m_nTotal += core::FileItemBytes(item->m_nSize);
    m_nDone = 0;
    SendDlgItemMessageA(m_hWnd, IDC_COPY_PROGRESS, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
    SendDlgItemMessageA(m_hWnd, IDC_COPY_PROGRESS, PBM_SETPOS, 0, 0);
    CenterOverParent();
    SetTimer(m_hWnd, kFileLineTimerId, kFileLineTickMs, nullptr);

    auto worker = std::make_unique<CCopyThread>();
    worker->m_pCopyDialog = this;
    worker->m_pFileItems = m_pFileItems;
    worker->m_pVersionService = m_pVersionService ? m_pVersionService : &m_platformService;
    worker->m_pPrompts = m_pPrompts ? m_pPrompts : &m_dialogPrompts;
    worker->m_pUninstallNotes = m_pUninstallNotes ? m_pUninstallNotes : FindUninstallNotes();
    if (worker->Start()) {
        m_pThread = worker.release();
        m_pThread->PostToThread(WM_COPY_START);
    } else {
        // Without a worker nothing can be copied: the phase ends as stopped.
        PostMessageA(m_hParent, WM_SETUP_COPY_DONE, SETUP_STOPPED, 0);
    }
    return FALSE;
}

LRESULT CCopyDialog::OnCopyProgress(WPARAM bytes) {
    m_nDone += bytes;
    SendDlgItemMessageA(m_hWnd, IDC_COPY_PROGRESS, PBM_SETPOS, core::ProgressPercent(m_nDone, m_nTotal), 0);
    return 0;
}

void CCopyDialog::OnCopyFinished() { EndCopy(SETUP_DONE); }

void CCopyDialog::OnCopyAborted() { EndCopy(SETUP_STOPPED); }

void CCopyDialog::OnCancel() {
    if (!m_pThread || m_bAskingToStop) return;
    m_bAskingToStop = true;
    m_pThread->Pause();
    const INT_PTR answer = CQueryCancelDialog(m_hWnd).DoModal();
    // The stop is in place before the worker may go on, so it starts no further item;
    // and once confirmed, the copy ends as stopped even if its last item was done.
    if (answer == IDCANCEL) {
        m_bStopConfirmed = true;
        if (m_pThread) {
            m_pThread->RequestCancel();
            m_pThread->PostToThread(WM_COPY_CANCEL);
        }
    }
    if (m_pThread) m_pThread->Resume();
    m_bAskingToStop = false;
    if (m_nPendingEnd) EndCopy(m_nPendingEnd);
}

void CCopyDialog::EndCopy(WPARAM code) {
    if (m_bAskingToStop) {
        m_nPendingEnd = code;
        return;
    }
    m_nPendingEnd = 0;
    StopWorker();
    KillTimer(m_hWnd, kFileLineTimerId);
    PostMessageA(m_hParent, WM_SETUP_COPY_DONE, m_bStopConfirmed ? SETUP_STOPPED : code, 0);
}

void CCopyDialog::StopWorker() {
    if (!m_pThread) return;
    m_pThread->Stop();
    delete m_pThread;
    m_pThread = nullptr;
}
