#pragma once
// The application object: start-up, the user-interface thread's message loop and exit,
// plus the application profile (an INI file read and written with private-profile
// semantics).
#include <windows.h>

#include <string>

namespace fw {

class App {
public:
    App();
    virtual ~App();
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    // The application object of the process (the one constructed last), or nullptr.
    static App* Current();

    // Start-up; FALSE ends the program (ExitInstance still runs).
    virtual BOOL InitInstance();
    // Exit processing; returns the process exit code (base: the WM_QUIT code).
    virtual int ExitInstance();

    // InitInstance, the message loop until WM_QUIT, then ExitInstance. When InitInstance
    // fails the main window (if any) is destroyed and ExitInstance runs at once.
    int Run();

    // The main window; destroying it ends the message loop.
    HWND GetMainWnd() const { return m_hMainWnd; }
    void SetMainWnd(HWND hwnd) { m_hMainWnd = hwnd; }
    // The thread that constructed the application (the user-interface thread).
    DWORD GetThreadId() const { return m_dwThreadId; }

    // Application profile: the INI file behind Get/WriteProfileString.
    const std::string& GetProfileName() const { return m_strProfileName; }
    void SetProfileName(const std::string& name) { m_strProfileName = name; }
    // Values of up to 4095 characters; def when the key is missing.
    std::string GetProfileString(const char* section, const char* key, const char* def) const;
    BOOL WriteProfileString(const char* section, const char* key, const char* value);

protected:
    int m_nExitCode = 0;  // wParam of the WM_QUIT that ended the loop

private:
    HWND m_hMainWnd = nullptr;
    DWORD m_dwThreadId = 0;
    std::string m_strProfileName;
};

// Runs a message loop on the calling thread until WM_QUIT, routing keyboard messages
// of registered modeless dialogs and property sheets; returns the WM_QUIT code.
int RunMessageLoop();

// Modeless dialogs and property sheets register here so that the calling thread's
// message loop gives them their keyboard interface (Tab, Enter, Esc, mnemonics).
void AddDialogRoute(HWND dialog, bool isPropertySheet);
void RemoveDialogRoute(HWND dialog);
// True when the message was consumed by one of the calling thread's registered dialogs.
bool RouteDialogMessage(MSG& msg);

// An exception a handler let out is caught where the message entered our code (the
// window, dialog, property-sheet and thread procedures), since nothing may unwind
// through the system. There the framework reports it with OutputDebugStringA, naming
// the procedure, the window class and the message, and then calls the application's
// hook on the thread where it happened. The hook decides what becomes of the program.
using HandlerFailureHook = void (*)(const char* where);
void SetHandlerFailureHook(HandlerFailureHook hook);
// Called by the framework's procedures in their catch blocks; `window` may be null.
// Allocates nothing, so it also serves when memory ran out.
void ReportHandlerFailure(const char* procedure, HWND window, UINT msg);

// Modal loops (dialogs, message boxes) running on the calling thread, nested ones
// counted each. Code that would destroy windows or objects that such a loop's caller
// still uses waits until the count is back to what it was when that code started.
int ModalLoopDepth();
// Counts one modal loop for its lifetime; Dialog::DoModal uses it, message boxes should.
class ModalLoopScope {
public:
    ModalLoopScope();
    ~ModalLoopScope();
    ModalLoopScope(const ModalLoopScope&) = delete;
    ModalLoopScope& operator=(const ModalLoopScope&) = delete;
};

// The module that holds the program's resources (dialog templates, strings, icons).
HINSTANCE GetResourceInstance();
// A string resource; "" when it does not exist.
std::string LoadResourceString(UINT id);

}  // namespace fw
