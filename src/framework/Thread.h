#pragma once
// A user-interface thread: a thread with its own message queue. Others post it thread
// messages (PostThreadMessage to its id); its loop hands each thread message to
// OnThreadMessage, where the class routes it to a member handler (one short switch).
// Window messages of windows it owns (its modal dialogs) are dispatched as usual.
#include <windows.h>

#include "framework/Handles.h"

namespace fw {

class UiThread {
public:
    UiThread();
    // Stops the thread if it still runs. A derived class must call Stop() in its own
    // destructor (or earlier): the thread may still be calling its handlers.
    virtual ~UiThread();
    UiThread(const UiThread&) = delete;
    UiThread& operator=(const UiThread&) = delete;

    // Starts the thread and returns once its queue exists and InitInstance has run;
    // FALSE when the thread could not be created or InitInstance failed.
    BOOL Start(int priority = THREAD_PRIORITY_NORMAL);
    // Asks the thread to end its loop and returns at once.
    void RequestStop();
    // Ends the loop (RequestStop) and waits for the thread to finish. Safe when not
    // running; never call it on the thread itself.
    void Stop();
    bool IsRunning() const { return m_hThread.IsValid(); }

    BOOL PostToThread(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const;
    DWORD GetThreadId() const { return m_dwThreadId; }
    HANDLE GetThreadHandle() const { return m_hThread.Get(); }

    // Checkpoint for pausing: while paused, the worker waits in WaitWhilePaused, which it
    // calls where stopping is safe (before an item, before reporting progress). Unlike
    // suspending the thread, this never freezes it while it holds a lock.
    void Pause();
    void Resume();
    bool IsPaused() const;
    void WaitWhilePaused() const;

protected:
    // On the thread, before its loop; FALSE ends the thread.
    virtual BOOL InitInstance();
    // On the thread, after its loop; the thread's exit code.
    virtual int ExitInstance();
    // A thread message (one posted to the thread id, not to a window).
    virtual void OnThreadMessage(UINT msg, WPARAM wParam, LPARAM lParam);

private:
    static unsigned __stdcall ThreadMain(void* self);
    int Main();

    Handle m_hThread;
    DWORD m_dwThreadId = 0;
    Handle m_hStarted;   // set once the queue exists and InitInstance has returned
    Handle m_hRunning;   // manual reset: set = run, reset = paused
    BOOL m_bInitOk = FALSE;
};

}  // namespace fw
