#pragma once
// The copy phase's window: the name of the item being installed and a percentage bar.
// It owns the copy worker for the length of the phase, lets the user stop (after the
// stop question) and tells the install driver how the phase ended (WM_SETUP_COPY_DONE).
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "copy/CopyPrompts.h"
#include "copy/VersionService.h"
#include "framework/Dialog.h"
#include "framework/Thread.h"
#include "script/SetupItems.h"

class CCopyThread;
class CUninstallNotes;

class CCopyDialog : public fw::Dialog {
public:
    CCopyDialog();
    // Stops a worker that still runs.
    ~CCopyDialog() override;

    // Creates the modeless window over the parent (the driver's view), which receives
    // WM_SETUP_COPY_DONE; the worker starts at once.
    BOOL Create(HWND parent);

    // The file line, set at once (the worker waits until it is shown): for the last item,
    // and before a question about the item the line names.
    void SetFileName(const std::string& name);
    // The file line as the worker offers it for the other items: shown at the dialog's next
    // tick, so a run of small files costs no message per file and a long one still shows
    // its name within a tick.
    void OfferFileName(const std::string& name);
    static constexpr UINT_PTR kFileLineTimerId = 1;
    static constexpr UINT kFileLineTickMs = 30;

    LRESULT OnCopyProgress(WPARAM bytes);
    void OnCopyFinished();
    void OnCopyAborted();

    CFileItemArray* m_pFileItems = nullptr;  // the document's list; not owned

    std::uint64_t m_nTotal = 0;  // bytes of every item
    std::uint64_t m_nDone = 0;   // bytes reported so far
    CCopyThread* m_pThread = nullptr;

    // What the worker talks to; unset, the platform's service, the real dialogs and the
    // running installer's uninstall notes.
    CVersionService* m_pVersionService = nullptr;
    CCopyPrompts* m_pPrompts = nullptr;
    CUninstallNotes* m_pUninstallNotes = nullptr;

protected:
    INT_PTR DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    BOOL OnInitDialog() override;
    // Enter reaches the hidden OK button: it must not end the phase while files are copied.
    void OnOK() override {}
    // "キャンセル", Esc and the close box: the stop question.
    void OnCancel() override;

private:
    // Stops the worker and reports the phase's end to the driver.
    void EndCopy(WPARAM code);
    void StopWorker();
    void ShowOfferedFileName();

    fw::CriticalSection m_fileLineLock;  // guards the offered name, set by the worker
    std::string m_strOfferedName;
    bool m_bNameOffered = false;

    HWND m_hParent = nullptr;
    CPlatformVersionService m_platformService;
    CCopyPrompts m_dialogPrompts;
    // While the stop question is open the end of the copy waits for its answer: the
    // driver would otherwise destroy this window under the question.
    bool m_bAskingToStop = false;
    WPARAM m_nPendingEnd = 0;
    bool m_bStopConfirmed = false;  // the user chose "中止(&X)": the copy ends as stopped
};
