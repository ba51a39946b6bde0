#pragma once
// Finding and reading windows of another process: top-level windows by title,
// class and the controls they hold; controls anywhere in a window's child tree
// (property-sheet pages are child dialogs of the sheet). Texts are CP932.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace uidriver {

class ProgramProcesses;

// Sends a message with a time limit, so a hung program cannot hang the driver.
LRESULT SendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool* delivered = nullptr);

// The same in Unicode: under Wine, list-box texts and typed double-byte
// characters do not cross processes correctly through the ANSI messages.
LRESULT SendWideWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool* delivered = nullptr);

std::string WindowText(HWND window);  // by WM_GETTEXT, so edit controls answer too
std::string ClassName(HWND window);
int ControlId(HWND window);
bool IsShown(HWND window);    // IsWindowVisible: the window and all its parents are visible
bool IsEnabled(HWND window);  // the window and its top-level ancestors accept input

enum class ListKind { None, ListBox, ComboBox };
ListKind ListKindOf(HWND window);
std::vector<std::string> ListItems(HWND window);
int ListSelection(HWND window);  // -1: nothing selected
bool IsCheckable(HWND window);
int CheckState(HWND window);  // BST_UNCHECKED / BST_CHECKED / BST_INDETERMINATE

// What a step names a top-level window by; every given part must match.
struct WindowQuery {
    std::optional<std::string> title;      // exact window text
    std::optional<std::string> className;  // exact class name, any case
    std::vector<int> controlIds;           // controls it must hold somewhere in its child tree
    std::optional<std::string> controlText;  // a control with this exact text
};

// What a step names a control by: its id, and/or its exact text, and/or its class.
struct ControlQuery {
    std::optional<int> id;
    std::optional<std::string> text;
    std::optional<std::string> className;
    std::string Describe() const;  // "id=1001 text=\"OK\"" (UTF-8), for messages
};

// Visible top-level windows, topmost first.
std::vector<HWND> VisibleTopLevelWindows();
// Every descendant of a window (children, their children, ...).
std::vector<HWND> Descendants(HWND window);

// The program's visible top-level window matching the query; enabled windows
// (not blocked by a modal dialog) win over disabled ones, then the topmost.
HWND FindProgramWindow(const WindowQuery& query, ProgramProcesses& processes);
// A control of the window matching the query; visible controls win over hidden
// ones (a wizard keeps pages it has shown as hidden children).
HWND FindControl(HWND window, const ControlQuery& query);

// A readable listing (UTF-8) of one window and, when withControls, its controls.
std::string DescribeWindow(HWND window, bool withControls);
// Every visible top-level window (title, class, process); controls of the program's windows.
std::string DescribeScreen(ProgramProcesses& processes, HWND current);

}  // namespace uidriver
