#include "UiTestSupport.h"

#include "TestSupport.h"
#include "common/Messages.h"
#include "framework/App.h"

namespace uitest {

namespace {

constexpr char kRecorderClass[] = "WizardTestParent";
constexpr char kStopQuestionTitle[] = "セットアップの中止";
constexpr char kMessageBoxTitle[] = "セットアップ";

struct Search {
    const WindowQuery* query;
    HWND found;
};

bool Matches(HWND hwnd, const WindowQuery& query) {
    DWORD process = 0;
    const DWORD thread = GetWindowThreadProcessId(hwnd, &process);
    if (process != query.processId || (query.threadId && thread != query.threadId)) return false;
    if (!IsWindowVisible(hwnd) || (query.enabledOnly && !IsWindowEnabled(hwnd))) return false;
    if (query.className) {
        char cls[64] = "";
        GetClassNameA(hwnd, cls, sizeof cls);
        if (lstrcmpiA(cls, query.className) != 0) return false;
    }
    if (query.title && WindowText(hwnd) != query.title) return false;
    return !query.requiredItem || GetDlgItem(hwnd, query.requiredItem);
}

BOOL CALLBACK MatchTopWindow(HWND hwnd, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    if (!Matches(hwnd, *search->query)) return TRUE;
    search->found = hwnd;
    return FALSE;
}

BOOL CALLBACK CollectStatic(HWND hwnd, LPARAM lParam) {
    char cls[32] = "";
    GetClassNameA(hwnd, cls, sizeof cls);
    if (lstrcmpiA(cls, "Static") != 0) return TRUE;
    const std::string text = WindowText(hwnd);
    if (text.empty()) return TRUE;
    auto* out = reinterpret_cast<std::string*>(lParam);
    if (!out->empty()) *out += '|';
    *out += text;
    return TRUE;
}

void Dispatch(MSG& msg) {
    if (fw::RouteDialogMessage(msg)) return;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}

}  // namespace

HWND FindTopWindow(const WindowQuery& query) {
    Search search{&query, nullptr};
    EnumWindows(&MatchTopWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForTopWindow(const WindowQuery& query, DWORD timeoutMs) {
    HWND found = nullptr;
    testsupport::WaitUntil([&] { return (found = FindTopWindow(query)) != nullptr; }, timeoutMs);
    return found;
}

HWND WaitForWindow(const std::string& title, DWORD timeoutMs) {
    WindowQuery query;
    query.title = title.c_str();
    query.enabledOnly = true;
    return WaitForTopWindow(query, timeoutMs);
}

bool WaitGoneOrCancel(HWND window, DWORD timeoutMs) {
    if (testsupport::WaitUntil([&] { return !IsWindow(window); }, timeoutMs)) return true;
    WindowQuery box;
    box.threadId = GetWindowThreadProcessId(window, nullptr);
    box.title = kMessageBoxTitle;
    box.enabledOnly = true;
    if (HWND open = FindTopWindow(box)) {
        PostClick(open, IDNO);
        PostClick(open, IDCANCEL);
    }
    PostClick(window, IDCANCEL);
    return false;
}

std::string WindowText(HWND window) {
    const int length = GetWindowTextLengthA(window);
    std::string text(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
    const int got = GetWindowTextA(window, text.data(), length + 1);
    text.resize(static_cast<size_t>(got > 0 ? got : 0));
    return text;
}

std::string ItemText(HWND window, int id) { return WindowText(GetDlgItem(window, id)); }

std::string StaticTexts(HWND window) {
    std::string texts;
    EnumChildWindows(window, &CollectStatic, reinterpret_cast<LPARAM>(&texts));
    return texts;
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

void PostClick(HWND window, int id) {
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
}

void PostKey(HWND window, WPARAM key) { PostMessageA(window, WM_KEYDOWN, key, 0); }

bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    MSG msg;
    for (;;) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) Dispatch(msg);
        if (condition()) return true;
        if (GetTickCount() - start > timeoutMs) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

bool PumpUntilIdle(DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        Dispatch(msg);
        if (GetTickCount() - start > timeoutMs) return false;
    }
    return true;
}

bool AnswerStopQuestion(int button, HWND* owner) {
    HWND question = WaitForWindow(kStopQuestionTitle);
    if (!question) return false;
    if (owner) *owner = GetWindow(question, GW_OWNER);
    if (button == kPressEnter)
        PostKey(question, VK_RETURN);
    else
        PostClick(question, button);
    return WaitGoneOrCancel(question);
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

void Click(const fw::PropSheet& sheet, int id) {
    HWND button = GetDlgItem(sheet.GetHwnd(), id);
    if (!button) button = PageItem(sheet, id);
    HWND target = button ? GetParent(button) : sheet.GetHwnd();
    SendMessageA(target, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    PumpUntilIdle();
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
    PumpUntilIdle();
}

DoneRecorder::DoneRecorder() {
    RegisterWindowClass(kRecorderClass, 0, reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1));
    Create(kRecorderClass, "wizard parent", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 0, 800, 600, nullptr, nullptr);
}

LRESULT DoneRecorder::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_SETUP_WIZARD_DONE) {
        m_arrCodes.push_back(wParam);
        // The sheet is a dialog of this thread; none may be left.
        WindowQuery sheet;
        sheet.threadId = GetCurrentThreadId();
        sheet.className = "#32770";
        if (FindTopWindow(sheet)) m_bSheetAliveAtDone = true;
        return 0;
    }
    return fw::Window::WindowProc(msg, wParam, lParam);
}

}  // namespace uitest
