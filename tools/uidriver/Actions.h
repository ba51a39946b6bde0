#pragma once
// What a person does with the mouse and keyboard, done with window messages
// from another process. Each action reports false with a reason when the
// window refused it; waiting for a control to become usable is the caller's job.
#include <windows.h>

#include <string>

namespace uidriver {

// A click on a push button, check box or radio button: the button's parent gets
// WM_COMMAND with BN_CLICKED (a posted BM_CLICK is not honoured across processes
// under Wine). Auto check boxes and auto radio buttons change their state first,
// as their own click handling would.
bool ClickButton(HWND button, std::string& error);

// Makes a check box ticked (or not) by clicking it when it is not already so.
bool SetChecked(HWND button, bool checked, std::string& error);

// Replaces an edit's text as typing would: select all, delete, then one WM_CHAR
// per character (sent as Unicode, so a double-byte character arrives whole), so
// the dialog sees EN_UPDATE/EN_CHANGE and the edit's own limits apply.
bool TypeText(HWND edit, const std::string& ansiText, std::string& error);

// Selects an entry of a list box or combo box and tells the parent the way the
// control would (LBN_SELCHANGE when the list box notifies; CBN_SELCHANGE, CBN_SELENDOK).
bool SelectIndex(HWND list, int index, std::string& error);

// A double click on a list-box entry: it is selected first (as above), then
// the parent gets LBN_DBLCLK when the list box notifies.
bool DoubleClickIndex(HWND list, int index, std::string& error);

// A key pressed on the window that has the keyboard focus in the window's thread
// (falls back to the window itself): WM_KEYDOWN then WM_KEYUP, so the program's
// own message loop (IsDialogMessage) decides what the key does.
bool PressKey(HWND window, UINT virtualKey, std::string& error);

// The close box: WM_SYSCOMMAND SC_CLOSE to the top-level window.
bool PressCloseBox(HWND window, std::string& error);

}  // namespace uidriver
