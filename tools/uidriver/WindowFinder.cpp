#include "WindowFinder.h"

#include <cstdio>

#include "Process.h"
#include "Text.h"

namespace uidriver {
namespace {

constexpr UINT kSendTimeoutMs = 5000;

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

bool EqualsIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, a.data(),
                                                  static_cast<int>(a.size()), b.data(),
                                                  static_cast<int>(b.size())) == CSTR_EQUAL;
}

std::string Hex(UINT_PTR value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "0x%llx", static_cast<unsigned long long>(value));
    return buffer;
}

bool MatchesControl(HWND control, const ControlQuery& query) {
    if (query.id && ControlId(control) != *query.id) return false;
    if (query.className && !EqualsIgnoringCase(ClassName(control), *query.className)) return false;
    if (query.text && WindowText(control) != *query.text) return false;
    return true;
}

bool MatchesWindow(HWND window, const WindowQuery& query) {
    if (query.title && WindowText(window) != *query.title) return false;
    if (query.className && !EqualsIgnoringCase(ClassName(window), *query.className)) return false;
    for (int id : query.controlIds) {
        ControlQuery control;
        control.id = id;
        if (!FindControl(window, control)) return false;
    }
    if (query.controlText) {
        ControlQuery control;
        control.text = query.controlText;
        if (!FindControl(window, control)) return false;
    }
    return true;
}

}  // namespace

LRESULT SendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool* delivered) {
    DWORD_PTR result = 0;
    LRESULT ok = SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG | SMTO_BLOCK,
                                     kSendTimeoutMs, &result);
    if (delivered) *delivered = ok != 0;
    return static_cast<LRESULT>(result);
}

LRESULT SendWideWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool* delivered) {
    DWORD_PTR result = 0;
    LRESULT ok = SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG | SMTO_BLOCK,
                                     kSendTimeoutMs, &result);
    if (delivered) *delivered = ok != 0;
    return static_cast<LRESULT>(result);
}

std::string WindowText(HWND window) {
    LRESULT length = SendWithTimeout(window, WM_GETTEXTLENGTH, 0, 0);
    if (length <= 0) return {};
    std::string text(static_cast<size_t>(length) + 1, '\0');
    LRESULT copied = SendWithTimeout(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

std::string ClassName(HWND window) {
    char name[256] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

int ControlId(HWND window) { return static_cast<int>(GetWindowLongPtrA(window, GWLP_ID)); }

bool IsShown(HWND window) { return IsWindowVisible(window) != FALSE; }

bool IsEnabled(HWND window) {
    for (HWND w = window; w; w = (GetWindowLongA(w, GWL_STYLE) & WS_CHILD) ? GetParent(w) : nullptr) {
        if (!IsWindowEnabled(w)) return false;
    }
    return true;
}

ListKind ListKindOf(HWND window) {
    std::string name = ClassName(window);
    if (EqualsIgnoringCase(name, "ListBox") || EqualsIgnoringCase(name, "ComboLBox")) return ListKind::ListBox;
    if (EqualsIgnoringCase(name, "ComboBox")) return ListKind::ComboBox;
    return ListKind::None;
}

std::vector<std::string> ListItems(HWND window) {
    ListKind kind = ListKindOf(window);
    std::vector<std::string> items;
    if (kind == ListKind::None) return items;
    const bool list = kind == ListKind::ListBox;
    LRESULT count = SendWithTimeout(window, list ? LB_GETCOUNT : CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        LRESULT length = SendWideWithTimeout(window, list ? LB_GETTEXTLEN : CB_GETLBTEXTLEN, i, 0);
        std::wstring item(length > 0 ? static_cast<size_t>(length) + 1 : 1, L'\0');
        LRESULT copied = SendWideWithTimeout(window, list ? LB_GETTEXT : CB_GETLBTEXT, i,
                                             reinterpret_cast<LPARAM>(item.data()));
        item.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
        items.push_back(WideToAnsi(item));
    }
    return items;
}

int ListSelection(HWND window) {
    ListKind kind = ListKindOf(window);
    if (kind == ListKind::None) return -1;
    return static_cast<int>(SendWithTimeout(window, kind == ListKind::ListBox ? LB_GETCURSEL : CB_GETCURSEL, 0, 0));
}

bool IsCheckable(HWND window) {
    if (!EqualsIgnoringCase(ClassName(window), "Button")) return false;
    switch (GetWindowLongA(window, GWL_STYLE) & BS_TYPEMASK) {
        case BS_CHECKBOX: case BS_AUTOCHECKBOX: case BS_3STATE: case BS_AUTO3STATE:
        case BS_RADIOBUTTON: case BS_AUTORADIOBUTTON:
            return true;
        default:
            return false;
    }
}

int CheckState(HWND window) { return static_cast<int>(SendWithTimeout(window, BM_GETCHECK, 0, 0)); }

std::string ControlQuery::Describe() const {
    std::string text;
    if (id) text += "id=" + std::to_string(*id);
    if (this->text) text += std::string(text.empty() ? "" : " ") + "text=" + Quote(AnsiToUtf8(*this->text));
    if (className) text += std::string(text.empty() ? "" : " ") + "class=" + AnsiToUtf8(*className);
    return text;
}

std::vector<HWND> VisibleTopLevelWindows() {
    std::vector<HWND> all, visible;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&all));
    for (HWND window : all) {
        if (IsWindowVisible(window)) visible.push_back(window);
    }
    return visible;
}

std::vector<HWND> Descendants(HWND window) {
    std::vector<HWND> children;
    EnumChildWindows(window, CollectWindow, reinterpret_cast<LPARAM>(&children));
    return children;
}

HWND FindProgramWindow(const WindowQuery& query, ProgramProcesses& processes) {
    HWND disabledMatch = nullptr;
    for (HWND window : VisibleTopLevelWindows()) {
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        if (!processes.Owns(processId) || !MatchesWindow(window, query)) continue;
        if (IsWindowEnabled(window)) return window;
        if (!disabledMatch) disabledMatch = window;
    }
    return disabledMatch;
}

HWND FindControl(HWND window, const ControlQuery& query) {
    HWND hiddenMatch = nullptr;
    for (HWND control : Descendants(window)) {
        if (!MatchesControl(control, query)) continue;
        if (IsShown(control)) return control;
        if (!hiddenMatch) hiddenMatch = control;
    }
    return hiddenMatch;
}

std::string DescribeWindow(HWND window, bool withControls) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    std::string text = "window " + Hex(reinterpret_cast<UINT_PTR>(window)) + " title " +
                       Quote(AnsiToUtf8(WindowText(window))) + " class " + Quote(AnsiToUtf8(ClassName(window))) +
                       " process " + std::to_string(processId) + " " + AnsiToUtf8(ProcessName(processId)) +
                       (IsWindowEnabled(window) ? "" : " [disabled]") + "\n";
    if (!withControls) return text;
    for (HWND control : Descendants(window)) {
        int depth = 0;
        for (HWND parent = GetParent(control); parent && parent != window; parent = GetParent(parent)) ++depth;
        text += std::string(4 + 2 * depth, ' ') + "id=" + std::to_string(ControlId(control)) + " " +
                AnsiToUtf8(ClassName(control)) + " " + Quote(AnsiToUtf8(WindowText(control)));
        if (!IsShown(control)) text += " [hidden]";
        if (!IsWindowEnabled(control)) text += " [disabled]";
        if (IsCheckable(control)) text += CheckState(control) == BST_CHECKED ? " [checked]" : " [unchecked]";
        if (ListKindOf(control) != ListKind::None) {
            text += " items:";
            for (const std::string& item : ListItems(control)) text += " " + Quote(AnsiToUtf8(item));
            text += " selected=" + std::to_string(ListSelection(control));
        }
        text += "\n";
    }
    return text;
}

std::string DescribeScreen(ProgramProcesses& processes, HWND current) {
    std::string text = "visible top-level windows (topmost first):\n";
    std::vector<HWND> windows = VisibleTopLevelWindows();
    if (windows.empty()) text += "  (none)\n";
    for (HWND window : windows) {
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        bool program = processes.Owns(processId);
        text += std::string(window == current ? "* " : "  ") + DescribeWindow(window, program);
    }
    if (current && !IsWindow(current)) text += "  (the current window " + Hex(reinterpret_cast<UINT_PTR>(current)) + " is gone)\n";
    return text;
}

}  // namespace uidriver
