#pragma once
// Window objects. One static window procedure serves every class: the object comes from
// lpCreateParams of WM_NCCREATE and is kept in GWLP_USERDATA; each class then routes the
// messages it cares about to typed handlers in its own WindowProc (one short switch).
#include <windows.h>

#include <memory>
#include <string>

namespace fw {

class Document;

class Window {
public:
    Window() = default;
    // Destroys a window that is still alive.
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND GetHwnd() const { return m_hWnd; }
    bool IsAlive() const { return m_hWnd != nullptr; }

    // The object behind a window made by this framework, or nullptr.
    static Window* FromHandle(HWND hwnd);

    // Registers a class served by the framework's window procedure (again is harmless).
    static bool RegisterWindowClass(const char* className, UINT style, HBRUSH background,
                                    HICON icon = nullptr, HCURSOR cursor = nullptr);

    // Creates the window; PreCreateWindow may change the parameters first.
    BOOL Create(const char* className, const char* title, DWORD style, DWORD exStyle,
                int x, int y, int width, int height, HWND parent, HMENU menuOrId);
    BOOL DestroyWindow();

    std::string GetText() const;
    BOOL SetText(const std::string& text);

protected:
    virtual void PreCreateWindow(CREATESTRUCTA& cs);
    // The class's message routing; the base hands everything to DefWindowProcA.
    virtual LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
    // Called after WM_NCDESTROY, when the object no longer has a window.
    virtual void OnFinalMessage();

    LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam);

    // For classes with their own static procedure (dialogs): bind and release the window.
    void Attach(HWND hwnd);
    void Detach();

    HWND m_hWnd = nullptr;
    // The procedure of a subclassed system window (property sheet), or nullptr.
    WNDPROC m_pfnSuperProc = nullptr;

private:
    static LRESULT CALLBACK StaticWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
};

// A child window that fills its frame's client area and shows a document.
class View : public Window {
public:
    static constexpr UINT kViewId = 0xE900;

    BOOL CreateView(HWND frame, Document* document);
    Document* GetDocument() const { return m_pDocument; }

protected:
    Document* m_pDocument = nullptr;
};

// A top-level window with one view. When the application's main window is destroyed,
// the message loop ends.
class FrameWindow : public Window {
public:
    BOOL CreateFrame(const char* title, DWORD style, DWORD exStyle = 0);
    // Takes the view object, creates its window as the frame's only child.
    BOOL CreateView(std::unique_ptr<View> view, Document* document);
    View* GetActiveView() const { return m_pView.get(); }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnSize();
    void OnNcDestroy();

private:
    std::unique_ptr<View> m_pView;
};

}  // namespace fw
