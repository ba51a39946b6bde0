#include "framework/App.h"

#include <commctrl.h>
#include <prsht.h>

#include <algorithm>
#include <vector>

#include "core/ShiftJisPath.h"
#include "framework/SystemPaths.h"

namespace fw {

namespace {

App* g_pCurrentApp = nullptr;

struct DialogRoute {
    HWND hwnd;
    bool isPropertySheet;
};
// Per thread: a worker's loop routes only the dialogs that live on that worker. A fixed
// table of plain values, so no per-thread destructor is needed (that would pull in a
// runtime import that Windows 95 and NT 4.0 lack); a thread has a few modeless dialogs
// at most.
constexpr int kMaxDialogRoutes = 32;
thread_local DialogRoute t_dialogRoutes[kMaxDialogRoutes];
thread_local int t_nDialogRoutes = 0;

thread_local int t_nModalLoopDepth = 0;

constexpr DWORD kProfileValueBuffer = 4096;

// Set once at start-up, before any other thread exists; read by every thread.
HandlerFailureHook g_pfnHandlerFailureHook = nullptr;

// The default profile: the executable's name with the extension .INI.
std::string DefaultProfileName() {
    std::string name = ModulePath();
    const size_t slash = core::FindLastBackslash(name);
    if (slash != std::string::npos) name.erase(0, slash + 1);
    const size_t dot = name.find_last_of('.');
    if (dot != std::string::npos) name.erase(dot);
    return name + ".INI";
}

}  // namespace

App::App() : m_dwThreadId(GetCurrentThreadId()), m_strProfileName(DefaultProfileName()) {
    g_pCurrentApp = this;
    // Property sheets and progress bars live in the common controls library.
    InitCommonControls();
}

App::~App() {
    if (g_pCurrentApp == this) g_pCurrentApp = nullptr;
}

App* App::Current() { return g_pCurrentApp; }

BOOL App::InitInstance() { return TRUE; }

int App::ExitInstance() { return m_nExitCode; }

int App::Run() {
    if (!InitInstance()) {
        if (m_hMainWnd && IsWindow(m_hMainWnd)) DestroyWindow(m_hMainWnd);
        m_hMainWnd = nullptr;
        return ExitInstance();
    }
    m_nExitCode = RunMessageLoop();
    return ExitInstance();
}

std::string App::GetProfileString(const char* section, const char* key, const char* def) const {
    char value[kProfileValueBuffer] = {};
    GetPrivateProfileStringA(section, key, def, value, kProfileValueBuffer, m_strProfileName.c_str());
    return value;
}

BOOL App::WriteProfileString(const char* section, const char* key, const char* value) {
    return WritePrivateProfileStringA(section, key, value, m_strProfileName.c_str());
}

int RunMessageLoop() {
    MSG msg;
    for (;;) {
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) return static_cast<int>(msg.wParam);
        if (got == -1) return -1;
        if (RouteDialogMessage(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void AddDialogRoute(HWND dialog, bool isPropertySheet) {
    if (dialog && t_nDialogRoutes < kMaxDialogRoutes) t_dialogRoutes[t_nDialogRoutes++] = {dialog, isPropertySheet};
}

void RemoveDialogRoute(HWND dialog) {
    int kept = 0;
    for (int i = 0; i < t_nDialogRoutes; ++i) {
        if (t_dialogRoutes[i].hwnd != dialog) t_dialogRoutes[kept++] = t_dialogRoutes[i];
    }
    t_nDialogRoutes = kept;
}

bool RouteDialogMessage(MSG& msg) {
    if (msg.hwnd == nullptr) return false;
    // A copy: a routed message may create or destroy dialogs.
    DialogRoute routes[kMaxDialogRoutes];
    const int count = t_nDialogRoutes;
    std::copy(t_dialogRoutes, t_dialogRoutes + count, routes);
    for (int i = 0; i < count; ++i) {
        const DialogRoute& route = routes[i];
        if (!IsWindow(route.hwnd)) continue;
        if (msg.hwnd != route.hwnd && !IsChild(route.hwnd, msg.hwnd)) continue;
        if (route.isPropertySheet) {
            if (PropSheet_IsDialogMessage(route.hwnd, &msg)) return true;
        } else if (IsDialogMessageA(route.hwnd, &msg)) {
            return true;
        }
    }
    return false;
}

int ModalLoopDepth() { return t_nModalLoopDepth; }

ModalLoopScope::ModalLoopScope() { ++t_nModalLoopDepth; }

ModalLoopScope::~ModalLoopScope() { --t_nModalLoopDepth; }

void SetHandlerFailureHook(HandlerFailureHook hook) { g_pfnHandlerFailureHook = hook; }

void ReportHandlerFailure(const char* procedure, HWND window, UINT msg) {
    char className[64] = "";
    if (window) GetClassNameA(window, className, sizeof className);
    char where[192];
    wsprintfA(where, "%s of window class \"%s\", message 0x%04X, thread %lu", procedure, className, msg,
              GetCurrentThreadId());
    char line[256];
    wsprintfA(line, "fw: a handler let an exception out of the %s\n", where);
    OutputDebugStringA(line);
    if (g_pfnHandlerFailureHook) g_pfnHandlerFailureHook(where);
}

HINSTANCE GetResourceInstance() { return GetModuleHandleA(nullptr); }

std::string LoadResourceString(UINT id) {
    std::vector<char> buffer(256);
    for (;;) {
        const int length = LoadStringA(GetResourceInstance(), id, buffer.data(), static_cast<int>(buffer.size()));
        if (length <= 0) return {};
        // A full buffer may mean the string was cut: try again with more room.
        if (static_cast<size_t>(length) < buffer.size() - 1 || buffer.size() >= 65536)
            return std::string(buffer.data(), static_cast<size_t>(length));
        buffer.resize(buffer.size() * 4);
    }
}

}  // namespace fw
