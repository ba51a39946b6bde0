#include "WizardTestSupport.h"

#include "framework/App.h"
#include "framework/Messages.h"

namespace wizardtest {

namespace {

constexpr char kRecorderClass[] = "WizardTestParent";

struct FindContext {
    const std::string* title;
    HWND found;
};

BOOL CALLBACK FindTitled(HWND hwnd, LPARAM lParam) {
    auto* context = reinterpret_cast<FindContext*>(lParam);
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    if (process != GetCurrentProcessId() || !IsWindowVisible(hwnd)) return TRUE;
    char text[256] = "";
    GetWindowTextA(hwnd, text, sizeof text);
    if (*context->title != text) return TRUE;
    context->found = hwnd;
    return FALSE;
}

BOOL CALLBACK CollectStatic(HWND hwnd, LPARAM lParam) {
    char cls[32] = "";
    GetClassNameA(hwnd, cls, sizeof cls);
    if (lstrcmpiA(cls, "Static") != 0) return TRUE;
    char text[1024] = "";
    GetWindowTextA(hwnd, text, sizeof text);
    auto* out = reinterpret_cast<std::string*>(lParam);
    if (!out->empty()) *out += '|';
    *out += text;
    return TRUE;
}

}  // namespace

DoneRecorder::DoneRecorder() {
    RegisterWindowClass(kRecorderClass, 0, reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1));
    Create(kRecorderClass, "wizard parent", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 0, 800, 600, nullptr, nullptr);
}

LRESULT DoneRecorder::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_SETUP_WIZARD_DONE) {
        m_arrCodes.push_back(wParam);
        // A property sheet is a dialog of this thread; none may be left.
        HWND other = nullptr;
        while ((other = FindWindowExA(nullptr, other, "#32770", nullptr)) != nullptr) {
            DWORD process = 0;
            GetWindowThreadProcessId(other, &process);
            if (process == GetCurrentProcessId() && IsWindowVisible(other)) m_bSheetAliveAtDone = true;
        }
        return 0;
    }
    return fw::Window::WindowProc(msg, wParam, lParam);
}

bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    MSG msg;
    for (;;) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (fw::RouteDialogMessage(msg)) continue;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (condition()) return true;
        if (GetTickCount() - start > timeoutMs) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

void Pump() {
    const DWORD start = GetTickCount();
    PumpUntil([&] { return GetTickCount() - start > 100; });
}

void Click(const fw::PropSheet& sheet, int id) {
    HWND button = GetDlgItem(sheet.GetHwnd(), id);
    if (!button) button = PageItem(sheet, id);
    HWND target = button ? GetParent(button) : sheet.GetHwnd();
    SendMessageA(target, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    Pump();
}

bool Enabled(const fw::PropSheet& sheet, int id) {
    HWND item = GetDlgItem(sheet.GetHwnd(), id);
    return item && IsWindowEnabled(item) && IsWindowVisible(item);
}

HWND PageItem(const fw::PropSheet& sheet, int id) {
    HWND page = sheet.GetHwnd() ? PropSheet_GetCurrentPageHwnd(sheet.GetHwnd()) : nullptr;
    return page ? GetDlgItem(page, id) : nullptr;
}

void TypeText(HWND edit, const std::string& text) {
    SendMessageA(edit, EM_SETSEL, 0, -1);
    SendMessageA(edit, WM_CHAR, VK_BACK, 0);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char byte = static_cast<unsigned char>(text[i]);
        if (IsDBCSLeadByte(byte) && i + 1 < text.size()) {
            // A double-byte character reaches an ANSI window as its two bytes in a row.
            SendMessageA(edit, WM_CHAR, byte, 0);
            SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(text[++i]), 0);
        } else {
            SendMessageA(edit, WM_CHAR, byte, 0);
        }
    }
    Pump();
}

DialogAnswerer::DialogAnswerer(std::string title, int buttonId, DWORD timeoutMs)
    : m_strTitle(std::move(title)), m_nButtonId(buttonId), m_dwTimeout(timeoutMs) {
    m_hThread = CreateThread(
        nullptr, 0,
        [](LPVOID self) -> DWORD {
            static_cast<DialogAnswerer*>(self)->Run();
            return 0;
        },
        this, 0, nullptr);
}

DialogAnswerer::~DialogAnswerer() { Join(); }

bool DialogAnswerer::Join() {
    if (m_hThread) {
        WaitForSingleObject(m_hThread, INFINITE);
        CloseHandle(m_hThread);
        m_hThread = nullptr;
    }
    return m_bAnswered;
}

void DialogAnswerer::Run() {
    const DWORD start = GetTickCount();
    for (;;) {
        FindContext context{&m_strTitle, nullptr};
        EnumWindows(&FindTitled, reinterpret_cast<LPARAM>(&context));
        if (context.found && IsWindowEnabled(context.found)) {
            EnumChildWindows(context.found, &CollectStatic, reinterpret_cast<LPARAM>(&m_strSeenText));
            HWND button = GetDlgItem(context.found, m_nButtonId);
            m_bAnswered = PostMessageA(context.found, WM_COMMAND, MAKEWPARAM(m_nButtonId, BN_CLICKED),
                                       reinterpret_cast<LPARAM>(button)) != FALSE;
            return;
        }
        if (GetTickCount() - start > m_dwTimeout) return;
        Sleep(50);
    }
}

}  // namespace wizardtest
