#include "Actions.h"

#include "Text.h"
#include "WindowFinder.h"

namespace uidriver {
namespace {

bool PostToParent(HWND control, WORD notification, std::string& error) {
    HWND parent = GetParent(control);
    if (!parent) {
        error = "the control has no parent window";
        return false;
    }
    WPARAM wParam = MAKEWPARAM(static_cast<WORD>(ControlId(control)), notification);
    if (!PostMessageA(parent, WM_COMMAND, wParam, reinterpret_cast<LPARAM>(control))) {
        error = "PostMessage failed (error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    return true;
}

bool Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, std::string& error) {
    bool delivered = false;
    SendWithTimeout(window, message, wParam, lParam, &delivered);
    if (!delivered) error = "the window did not answer message " + std::to_string(message);
    return delivered;
}

// An auto radio button's click unticks the other radio buttons of its group.
void UntickGroupSiblings(HWND button) {
    HWND parent = GetParent(button);
    for (HWND other = GetNextDlgGroupItem(parent, button, FALSE); other && other != button;
         other = GetNextDlgGroupItem(parent, other, FALSE)) {
        if ((GetWindowLongA(other, GWL_STYLE) & BS_TYPEMASK) == BS_AUTORADIOBUTTON)
            SendWithTimeout(other, BM_SETCHECK, BST_UNCHECKED, 0);
    }
}

}  // namespace

bool ClickButton(HWND button, std::string& error) {
    switch (GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK) {
        case BS_AUTOCHECKBOX:
            if (!Send(button, BM_SETCHECK, CheckState(button) == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED, 0, error))
                return false;
            break;
        case BS_AUTO3STATE:
            if (!Send(button, BM_SETCHECK, (CheckState(button) + 1) % 3, 0, error)) return false;
            break;
        case BS_AUTORADIOBUTTON:
            UntickGroupSiblings(button);
            if (!Send(button, BM_SETCHECK, BST_CHECKED, 0, error)) return false;
            break;
        default:
            break;
    }
    return PostToParent(button, BN_CLICKED, error);
}

bool SetChecked(HWND button, bool checked, std::string& error) {
    if (!IsCheckable(button)) {
        error = "the control is not a check box or radio button";
        return false;
    }
    if ((CheckState(button) == BST_CHECKED) == checked) return true;
    return ClickButton(button, error);
}

bool TypeText(HWND edit, const std::string& ansiText, std::string& error) {
    if (!Send(edit, EM_SETSEL, 0, -1, error)) return false;
    if (SendWithTimeout(edit, WM_GETTEXTLENGTH, 0, 0) > 0 && !Send(edit, WM_CHAR, VK_BACK, 1, error)) return false;
    for (wchar_t c : AnsiToWide(ansiText)) {
        bool delivered = false;
        SendWideWithTimeout(edit, WM_CHAR, c, 1, &delivered);
        if (!delivered) {
            error = "the edit did not take a typed character";
            return false;
        }
    }
    return true;
}

bool SelectIndex(HWND list, int index, std::string& error) {
    ListKind kind = ListKindOf(list);
    if (kind == ListKind::None) {
        error = "the control is not a list box or combo box";
        return false;
    }
    int count = static_cast<int>(ListItems(list).size());
    if (index < 0 || index >= count) {
        error = "there is no entry " + std::to_string(index) + " (the list has " + std::to_string(count) + ")";
        return false;
    }
    if (kind == ListKind::ListBox) {
        if (!Send(list, LB_SETCURSEL, index, 0, error)) return false;
        if (GetWindowLongA(list, GWL_STYLE) & LBS_NOTIFY) return PostToParent(list, LBN_SELCHANGE, error);
        return true;
    }
    if (!Send(list, CB_SETCURSEL, index, 0, error)) return false;
    return PostToParent(list, CBN_SELCHANGE, error) && PostToParent(list, CBN_SELENDOK, error);
}

bool DoubleClickIndex(HWND list, int index, std::string& error) {
    if (ListKindOf(list) != ListKind::ListBox) {
        error = "the control is not a list box";
        return false;
    }
    if (!SelectIndex(list, index, error)) return false;
    if (GetWindowLongA(list, GWL_STYLE) & LBS_NOTIFY) return PostToParent(list, LBN_DBLCLK, error);
    return true;
}

bool PressKey(HWND window, UINT virtualKey, std::string& error) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    HWND target = window;
    if (GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) && info.hwndFocus) target = info.hwndFocus;
    UINT scanCode = MapVirtualKeyA(virtualKey, 0);
    LPARAM down = 1 | (static_cast<LPARAM>(scanCode) << 16);
    LPARAM up = down | (1L << 30) | (1L << 31);
    if (!PostMessageA(target, WM_KEYDOWN, virtualKey, down)) {
        error = "PostMessage failed (error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    // The key may already have done its work (Esc closing the window) before its release
    // is posted: a release that finds no window is no failure.
    if (!PostMessageA(target, WM_KEYUP, virtualKey, up) && GetLastError() != ERROR_INVALID_WINDOW_HANDLE) {
        error = "PostMessage failed (error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    return true;
}

bool PressCloseBox(HWND window, std::string& error) {
    if (!PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0)) {
        error = "PostMessage failed (error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    return true;
}

}  // namespace uidriver
