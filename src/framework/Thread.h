#pragma once
// A user-interface thread: a thread with its own message queue and loop. Others post it
// messages with PostToThread; its loop hands each to OnThreadMessage, where the class
// routes it to a member handler (one short switch). Window messages of windows it owns
// (its dialogs) are dispatched as usual, and its modeless dialogs get their keyboard.
//
// Delivery: the thread owns a hidden top-level window and its messages are posted there,
// so a modal loop running on the thread (a dialog or message box it shows) dispatches
// them to that window instead of dropping them as it drops messages without a window.
// Handlers never nest: a message that arrives while a handler of the thread runs waits,
// and the loop delivers the waiting ones in arrival order right after that handler
// returns. Messages posted to the thread id (no window) are handled when they reach the
// thread's own loop, not while a modal loop runs.
//
// Stopping asks the thread to quit through the same window, so the request waits like any
// other message: the loop ends once the thread is idle, and a question the thread has
// open is answered by its user, never by the stop.
#include <windows.h>

#include <atomic>
#include <deque>

#include "framework/Handles.h"

namespace fw {

// Waits until one of the handles is signalled (true) or the time is up (false), while
// answering the messages other threads send to this thread's windows: a thread that
// sends to our windows, or broadcasts to every top-level window, while we wait for it
// would otherwise never go on. Without handles it just lets the time pass that way.
bool WaitAnsweringSentMessages(DWORD count, const HANDLE* handles, DWORD timeoutMs = INFINITE);

// A lock for data two threads share briefly (a critical section), and its scope.
class CriticalSection {
public:
    CriticalSection() { InitializeCriticalSection(&m_section); }
    ~CriticalSection() { DeleteCriticalSection(&m_section); }
    CriticalSection(const CriticalSection&) = delete;
    CriticalSection& operator=(const CriticalSection&) = delete;

    class Lock {
    public:
        explicit Lock(CriticalSection& section) : m_section(section.m_section) { EnterCriticalSection(&m_section); }
        ~Lock() { LeaveCriticalSection(&m_section); }
        Lock(const Lock&) = delete;
        Lock& operator=(const Lock&) = delete;

    private:
        CRITICAL_SECTION& m_section;
    };

private:
    CRITICAL_SECTION m_section;
};

class UiThread {
public:
    UiThread();
    // Stops the thread if it still runs. A derived class must call Stop() in its own
    // destructor (or earlier): the thread may still be calling its handlers.
    virtual ~UiThread();
    UiThread(const UiThread&) = delete;
    UiThread& operator=(const UiThread&) = delete;

    // Starts the thread and returns once its window exists and InitInstance has run,
    // answering meanwhile what the thread sends to this thread's windows; FALSE when the
    // thread could not be created or InitInstance failed.
    BOOL Start(int priority = THREAD_PRIORITY_NORMAL);
    // Resumes a paused thread and asks it to end its loop once idle; returns at once.
    void RequestStop();
    // RequestStop, then waits for the thread to finish while answering what it sends to
    // this thread's windows. Safe when not running; never call it on the thread itself.
    void Stop();
    bool IsRunning() const { return m_hThread.IsValid(); }

    // Posts a message for OnThreadMessage. Only the thread's own messages (AcceptsMessage)
    // are posted; FALSE for others and when the thread is not running.
    BOOL PostToThread(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const;
    // The window that receives the thread's messages (PostMessage to it equals PostToThread).
    HWND GetMessageWindow() const { return m_hMessageWindow; }
    DWORD GetThreadId() const { return m_dwThreadId; }
    HANDLE GetThreadHandle() const { return m_hThread.Get(); }

    // Checkpoint for pausing: while paused, the worker waits in WaitWhilePaused, which it
    // calls where stopping is safe (before an item, before reporting progress). Unlike
    // suspending the thread, this never freezes it while it holds a lock. The waiting
    // worker still answers what other programs send to its windows (a broadcast would
    // otherwise hang its sender for as long as the pause lasts).
    void Pause();
    void Resume();
    bool IsPaused() const;
    void WaitWhilePaused() const;

protected:
    // On the thread, before its loop; FALSE ends the thread.
    virtual BOOL InitInstance();
    // On the thread, after its loop; the thread's exit code.
    virtual int ExitInstance();
    // A message posted to the thread (PostToThread, or to its thread id).
    virtual void OnThreadMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    // The message numbers the thread handles. Its message window is an ordinary top-level
    // window, so other programs' broadcasts reach it too: only these numbers are taken
    // (the base takes none).
    virtual bool AcceptsMessage(UINT msg) const;

private:
    static DWORD WINAPI ThreadMain(void* self);
    static LRESULT CALLBACK MessageWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    int Main();
    HWND CreateMessageWindow();
    void RunLoop();
    // Delivers the waiting messages; false when the stop request was among them.
    bool DeliverWaiting();
    void Deliver(UINT msg, WPARAM wParam, LPARAM lParam);

    Handle m_hThread;
    DWORD m_dwThreadId = 0;
    HWND m_hMessageWindow = nullptr;  // owned by the thread; set before Start returns
    const UINT m_nStopMessage;        // registered: no other sender uses it
    std::deque<MSG> m_waiting;        // only touched on the thread
    Handle m_hStarted;   // set once the window exists and InitInstance has returned
    Handle m_hRunning;   // manual reset: set = run, reset = paused
    std::atomic<bool> m_bPaused{false};  // as m_hRunning, read without a system call
    BOOL m_bInitOk = FALSE;
};

}  // namespace fw
