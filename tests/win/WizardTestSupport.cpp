#include "WizardTestSupport.h"

#include "framework/App.h"
#include "common/Messages.h"

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
    if (!text[0]) return TRUE;
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
    // Characters are typed as the keyboard delivers them, in Unicode; the byte pairs of
    // an ANSI WM_CHAR do not make a double-byte character here.
    std::wstring wide(text.size(), L'\0');
    const int length = MultiByteToWideChar(932, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                                           static_cast<int>(wide.size()));
    for (int i = 0; i < length; ++i) SendMessageW(edit, WM_CHAR, wide[static_cast<size_t>(i)], 0);
    Pump();
}

BesideThread::BesideThread(std::function<void()> steps) : m_steps(std::move(steps)) {
    m_hThread = CreateThread(
        nullptr, 0,
        [](LPVOID self) -> DWORD {
            static_cast<BesideThread*>(self)->m_steps();
            return 0;
        },
        this, 0, nullptr);
}

BesideThread::~BesideThread() { Join(); }

void BesideThread::Join() {
    if (!m_hThread) return;
    WaitForSingleObject(m_hThread, INFINITE);
    CloseHandle(m_hThread);
    m_hThread = nullptr;
}

HWND WaitForWindow(const std::string& title, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        FindContext context{&title, nullptr};
        EnumWindows(&FindTitled, reinterpret_cast<LPARAM>(&context));
        if (context.found && IsWindowEnabled(context.found)) return context.found;
        if (GetTickCount() - start > timeoutMs) return nullptr;
        Sleep(50);
    }
}

bool WaitGoneOrCancel(HWND window, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (IsWindow(window)) {
        if (GetTickCount() - start > timeoutMs) {
            HWND box = WaitForWindow("セットアップ", 0);
            if (box) {
                PostClick(box, IDNO);
                PostClick(box, IDCANCEL);
            }
            PostClick(window, IDCANCEL);
            return false;
        }
        Sleep(50);
    }
    return true;
}

std::string StaticTexts(HWND window) {
    std::string texts;
    EnumChildWindows(window, &CollectStatic, reinterpret_cast<LPARAM>(&texts));
    return texts;
}

void PostClick(HWND window, int id) {
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
}

std::string ItemText(HWND window, int id) {
    char text[1024] = "";
    GetDlgItemTextA(window, id, text, sizeof text);
    return text;
}

std::vector<std::string> ListItems(HWND list) {
    std::vector<std::string> items;
    const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
        std::string text(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
        SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<size_t>(length > 0 ? length : 0));
        items.push_back(text);
    }
    return items;
}

}  // namespace wizardtest
