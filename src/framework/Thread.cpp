#include "framework/Thread.h"

#include "framework/App.h"

namespace fw {

namespace {

constexpr char kMessageWindowClass[] = "fw.UiThreadMessages";

}  // namespace

bool WaitAnsweringSentMessages(DWORD count, const HANDLE* handles, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        DWORD remaining = INFINITE;
        if (timeoutMs != INFINITE) {
            const DWORD elapsed = GetTickCount() - start;
            remaining = elapsed < timeoutMs ? timeoutMs - elapsed : 0;
        }
        const DWORD status = MsgWaitForMultipleObjects(count, handles, FALSE, remaining, QS_SENDMESSAGE);
        if (status != WAIT_OBJECT_0 + count) return status < WAIT_OBJECT_0 + count;  // signalled, timed out or failed
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);  // runs the sent messages, leaves posted ones
    }
}

UiThread::UiThread()
    : m_nStopMessage(RegisterWindowMessageA("fw.UiThreadStop")),
      m_hStarted(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
      m_hRunning(CreateEventA(nullptr, TRUE, TRUE, nullptr)) {}

UiThread::~UiThread() { Stop(); }

BOOL UiThread::Start(int priority) {
    if (m_hThread) return FALSE;
    ResetEvent(m_hStarted.Get());
    Resume();
    m_bInitOk = FALSE;
    // CreateThread, not _beginthreadex: the shipping build's C runtime (crtdll.dll) has no
    // _beginthreadex, and a runtime DLL sets up each thread's data when the thread attaches.
    DWORD id = 0;
    const HANDLE handle = CreateThread(nullptr, 0, &UiThread::ThreadMain, this, CREATE_SUSPENDED, &id);
    if (handle == nullptr) return FALSE;
    m_hThread.Reset(handle);
    m_dwThreadId = id;
    SetThreadPriority(m_hThread.Get(), priority);
    ResumeThread(m_hThread.Get());

    const HANDLE waits[] = {m_hStarted.Get(), m_hThread.Get()};
    WaitAnsweringSentMessages(2, waits);
    if (!m_bInitOk) {
        Stop();
        return FALSE;
    }
    return TRUE;
}

void UiThread::RequestStop() {
    if (!m_hThread) return;
    Resume();
    // Never PostMessage to a null window: that would post to the calling thread.
    if (m_hMessageWindow) PostMessageA(m_hMessageWindow, m_nStopMessage, 0, 0);
}

void UiThread::Stop() {
    if (!m_hThread) return;
    RequestStop();
    const HANDLE thread = m_hThread.Get();
    WaitAnsweringSentMessages(1, &thread);
    m_hThread.Reset();
    m_dwThreadId = 0;
    m_hMessageWindow = nullptr;
}

BOOL UiThread::PostToThread(UINT msg, WPARAM wParam, LPARAM lParam) const {
    if (!m_hMessageWindow || !AcceptsMessage(msg)) return FALSE;
    return PostMessageA(m_hMessageWindow, msg, wParam, lParam);
}

void UiThread::Pause() {
    m_bPaused = true;
    ResetEvent(m_hRunning.Get());
}

void UiThread::Resume() {
    m_bPaused = false;
    SetEvent(m_hRunning.Get());
}

bool UiThread::IsPaused() const { return m_bPaused; }

void UiThread::WaitWhilePaused() const {
    // Passed before every item: while running it costs no call into the system (a wait
    // on the event costs about as much as copying a small file).
    if (!m_bPaused) return;
    const HANDLE running = m_hRunning.Get();
    WaitAnsweringSentMessages(1, &running);
}

BOOL UiThread::InitInstance() { return TRUE; }

int UiThread::ExitInstance() { return 0; }

void UiThread::OnThreadMessage(UINT, WPARAM, LPARAM) {}

bool UiThread::AcceptsMessage(UINT) const { return false; }

DWORD WINAPI UiThread::ThreadMain(void* self) {
    return static_cast<DWORD>(static_cast<UiThread*>(self)->Main());
}

LRESULT CALLBACK UiThread::MessageWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<UiThread*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self || (msg != self->m_nStopMessage && !self->AcceptsMessage(msg)))
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    // Whichever loop dispatched it (ours, or a modal one inside a handler), the message
    // waits for our loop, which delivers it once no handler runs.
    try {
        self->m_waiting.push_back(MSG{hwnd, msg, wParam, lParam, 0, {}});
    } catch (...) {
        // Out of memory: the message is lost, but nothing unwinds through the system.
        ReportHandlerFailure("thread's message window", hwnd, msg);
    }
    return 0;
}

HWND UiThread::CreateMessageWindow() {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = &UiThread::MessageWindowProc;
    wc.hInstance = GetResourceInstance();
    wc.lpszClassName = kMessageWindowClass;
    RegisterClassA(&wc);  // fails harmlessly when an earlier thread registered it
    // An invisible ordinary window: message-only windows do not exist on Windows 95.
    HWND hwnd = CreateWindowExA(WS_EX_TOOLWINDOW, kMessageWindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr,
                                nullptr, wc.hInstance, nullptr);
    if (hwnd) SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    return hwnd;
}

int UiThread::Main() {
    // The window also makes the thread's queue exist before anyone posts to it.
    m_hMessageWindow = CreateMessageWindow();
    try {
        m_bInitOk = m_hMessageWindow && InitInstance();
    } catch (...) {
        m_bInitOk = FALSE;
        ReportHandlerFailure("thread's InitInstance", nullptr, 0);
    }
    const HWND window = m_hMessageWindow;
    SetEvent(m_hStarted.Get());
    int code = 0;
    if (m_bInitOk) {
        RunLoop();
        m_waiting.clear();
        // Posting fails from here on; the handle stays set until Stop, for other threads.
        DestroyWindow(window);
        try {
            code = ExitInstance();
        } catch (...) {
            code = -1;
            ReportHandlerFailure("thread's ExitInstance", nullptr, 0);
        }
    } else if (window) {
        DestroyWindow(window);
    }
    return code;
}

void UiThread::RunLoop() {
    MSG msg;
    while (DeliverWaiting()) {
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1) return;
        if (msg.hwnd == nullptr) {
            if (AcceptsMessage(msg.message)) Deliver(msg.message, msg.wParam, msg.lParam);
            continue;
        }
        if (RouteDialogMessage(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);  // the thread's own messages join m_waiting
    }
}

bool UiThread::DeliverWaiting() {
    while (!m_waiting.empty()) {
        const MSG msg = m_waiting.front();
        m_waiting.pop_front();
        if (msg.message == m_nStopMessage) return false;
        Deliver(msg.message, msg.wParam, msg.lParam);
    }
    return true;
}

void UiThread::Deliver(UINT msg, WPARAM wParam, LPARAM lParam) {
    try {
        OnThreadMessage(msg, wParam, lParam);
    } catch (...) {
        // A failed handler must not end the thread's loop.
        ReportHandlerFailure("thread's message handler", m_hMessageWindow, msg);
    }
}

}  // namespace fw
