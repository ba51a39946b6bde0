#include "framework/Window.h"

#include <vector>

#include "framework/App.h"

namespace fw {

namespace {
constexpr const char kFrameClass[] = "fw.Frame";
constexpr const char kViewClass[] = "fw.View";
}  // namespace

Window::~Window() {
    if (m_hWnd) {
        // The object is going away: the window must not call into it any more.
        HWND hwnd = m_hWnd;
        Detach();
        ::DestroyWindow(hwnd);
    }
}

Window* Window::FromHandle(HWND hwnd) {
    if (!hwnd) return nullptr;
    return reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

bool Window::RegisterWindowClass(const char* className, UINT style, HBRUSH background, HICON icon,
                                 HCURSOR cursor) {
    WNDCLASSA existing;
    if (GetClassInfoA(GetResourceInstance(), className, &existing)) return true;
    WNDCLASSA wc = {};
    wc.style = style;
    wc.lpfnWndProc = &Window::StaticWindowProc;
    wc.hInstance = GetResourceInstance();
    wc.hIcon = icon;
    wc.hCursor = cursor ? cursor : LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.lpszClassName = className;
    return RegisterClassA(&wc) != 0;
}

BOOL Window::Create(const char* className, const char* title, DWORD style, DWORD exStyle, int x, int y,
                    int width, int height, HWND parent, HMENU menuOrId) {
    if (m_hWnd) return FALSE;
    CREATESTRUCTA cs = {};
    cs.lpszClass = className;
    cs.lpszName = title;
    cs.style = static_cast<LONG>(style);
    cs.dwExStyle = exStyle;
    cs.x = x;
    cs.y = y;
    cs.cx = width;
    cs.cy = height;
    cs.hwndParent = parent;
    cs.hMenu = menuOrId;
    cs.hInstance = GetResourceInstance();
    PreCreateWindow(cs);
    HWND hwnd = CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, static_cast<DWORD>(cs.style), cs.x,
                                cs.y, cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, this);
    return hwnd != nullptr;
}

BOOL Window::DestroyWindow() { return m_hWnd ? ::DestroyWindow(m_hWnd) : FALSE; }

std::string Window::GetText() const {
    if (!m_hWnd) return {};
    const int length = GetWindowTextLengthA(m_hWnd);
    std::vector<char> buffer(static_cast<size_t>(length) + 1);
    const int got = ::GetWindowTextA(m_hWnd, buffer.data(), length + 1);
    return std::string(buffer.data(), got > 0 ? static_cast<size_t>(got) : 0);
}

BOOL Window::SetText(const std::string& text) {
    return m_hWnd ? ::SetWindowTextA(m_hWnd, text.c_str()) : FALSE;
}

void Window::PreCreateWindow(CREATESTRUCTA&) {}

LRESULT Window::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) { return DefaultProc(msg, wParam, lParam); }

void Window::OnFinalMessage() {}

LRESULT Window::DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (m_pfnSuperProc) return CallWindowProcA(m_pfnSuperProc, m_hWnd, msg, wParam, lParam);
    return DefWindowProcA(m_hWnd, msg, wParam, lParam);
}

void Window::Attach(HWND hwnd) {
    m_hWnd = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

void Window::Detach() {
    if (m_hWnd) SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, 0);
    m_hWnd = nullptr;
}

LRESULT CALLBACK Window::StaticWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Window* self = nullptr;
    if (msg == WM_NCCREATE) {
        self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        if (self) self->Attach(hwnd);
    } else {
        self = FromHandle(hwnd);
    }
    // Messages before WM_NCCREATE (WM_GETMINMAXINFO) and after the object let go.
    if (!self) return DefWindowProcA(hwnd, msg, wParam, lParam);

    LRESULT result = 0;
    try {
        result = self->WindowProc(msg, wParam, lParam);
    } catch (...) {
        // Out of memory or a fault inside a handler: the message counts as handled;
        // nothing may unwind through the system's code.
        result = 0;
        ReportHandlerFailure("window procedure", hwnd, msg);
    }
    if (msg == WM_NCDESTROY) {
        self->Detach();
        self->OnFinalMessage();
    }
    return result;
}

BOOL View::CreateView(HWND frame, Document* document) {
    RegisterWindowClass(kViewClass, CS_DBLCLKS, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    m_pDocument = document;
    RECT client = {};
    GetClientRect(frame, &client);
    return Create(kViewClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 0, client.right, client.bottom,
                  frame, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kViewId)));
}

BOOL FrameWindow::CreateFrame(const char* title, DWORD style, DWORD exStyle) {
    RegisterWindowClass(kFrameClass, CS_DBLCLKS, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    return Create(kFrameClass, title, style, exStyle, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                  nullptr, nullptr);
}

BOOL FrameWindow::CreateView(std::unique_ptr<View> view, Document* document) {
    if (!m_hWnd || !view) return FALSE;
    m_pView = std::move(view);
    return m_pView->CreateView(m_hWnd, document);
}

LRESULT FrameWindow::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_SIZE:
        OnSize();
        break;
    case WM_NCDESTROY:
        OnNcDestroy();
        break;
    }
    return DefaultProc(msg, wParam, lParam);
}

void FrameWindow::OnSize() {
    if (m_pView && m_pView->GetHwnd()) {
        RECT client = {};
        GetClientRect(m_hWnd, &client);
        MoveWindow(m_pView->GetHwnd(), 0, 0, client.right, client.bottom, TRUE);
    }
}

void FrameWindow::OnNcDestroy() {
    App* app = App::Current();
    if (app && app->GetMainWnd() == m_hWnd) {
        app->SetMainWnd(nullptr);
        PostQuitMessage(0);
    }
}

}  // namespace fw
