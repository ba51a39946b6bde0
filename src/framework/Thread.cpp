#include "framework/Thread.h"

#include <process.h>

#include "framework/App.h"

namespace fw {

UiThread::UiThread()
    : m_hStarted(CreateEventA(nullptr, TRUE, FALSE, nullptr)), m_hRunning(CreateEventA(nullptr, TRUE, TRUE, nullptr)) {}

UiThread::~UiThread() { Stop(); }

BOOL UiThread::Start(int priority) {
    if (m_hThread) return FALSE;
    ResetEvent(m_hStarted.Get());
    SetEvent(m_hRunning.Get());
    m_bInitOk = FALSE;
    unsigned id = 0;
    const uintptr_t handle = _beginthreadex(nullptr, 0, &UiThread::ThreadMain, this, CREATE_SUSPENDED, &id);
    if (handle == 0) return FALSE;
    m_hThread.Reset(reinterpret_cast<HANDLE>(handle));
    m_dwThreadId = id;
    SetThreadPriority(m_hThread.Get(), priority);
    ResumeThread(m_hThread.Get());

    const HANDLE waits[] = {m_hStarted.Get(), m_hThread.Get()};
    WaitForMultipleObjects(2, waits, FALSE, INFINITE);
    if (!m_bInitOk) {
        Stop();
        return FALSE;
    }
    return TRUE;
}

void UiThread::RequestStop() {
    if (!m_hThread) return;
    Resume();
    // The queue exists once Start returned, so the quit message cannot be lost.
    PostThreadMessageA(m_dwThreadId, WM_QUIT, 0, 0);
}

void UiThread::Stop() {
    if (!m_hThread) return;
    RequestStop();
    // While waiting, answer messages the worker sends to this thread's windows, or a
    // worker in the middle of a SendMessage would never end.
    const HANDLE thread = m_hThread.Get();
    while (MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1) {
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
    }
    m_hThread.Reset();
    m_dwThreadId = 0;
}

BOOL UiThread::PostToThread(UINT msg, WPARAM wParam, LPARAM lParam) const {
    return m_dwThreadId ? PostThreadMessageA(m_dwThreadId, msg, wParam, lParam) : FALSE;
}

void UiThread::Pause() { ResetEvent(m_hRunning.Get()); }

void UiThread::Resume() { SetEvent(m_hRunning.Get()); }

bool UiThread::IsPaused() const { return WaitForSingleObject(m_hRunning.Get(), 0) == WAIT_TIMEOUT; }

void UiThread::WaitWhilePaused() const { WaitForSingleObject(m_hRunning.Get(), INFINITE); }

BOOL UiThread::InitInstance() { return TRUE; }

int UiThread::ExitInstance() { return 0; }

void UiThread::OnThreadMessage(UINT, WPARAM, LPARAM) {}

unsigned __stdcall UiThread::ThreadMain(void* self) {
    return static_cast<unsigned>(static_cast<UiThread*>(self)->Main());
}

int UiThread::Main() {
    // Make the queue exist before anyone posts to it.
    MSG msg;
    PeekMessageA(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
    try {
        m_bInitOk = InitInstance();
    } catch (...) {
        m_bInitOk = FALSE;
    }
    SetEvent(m_hStarted.Get());
    if (!m_bInitOk) return 0;

    for (;;) {
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1) break;
        if (msg.hwnd == nullptr) {
            try {
                OnThreadMessage(msg.message, msg.wParam, msg.lParam);
            } catch (...) {
                // A failed handler must not end the thread's loop.
            }
            continue;
        }
        if (RouteDialogMessage(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    int code = 0;
    try {
        code = ExitInstance();
    } catch (...) {
        code = -1;
    }
    return code;
}

}  // namespace fw
