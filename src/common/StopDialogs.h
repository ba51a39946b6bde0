#pragma once
// The stop question that every phase asks before it stops, and the abort notice that
// ends a stopped installation. DoModal returns the identifier of the button pressed.
#include <windows.h>

#include <string>

#include "common/MessageDialog.h"

// "セットアップの中止" (136): IDCANCEL "中止(&X)" (default, also Esc), IDOK "再試行(&R)".
class CQueryCancelDialog : public CMessageDialog {
public:
    explicit CQueryCancelDialog(HWND parent = nullptr);
};

// The abort notice (140): both texts name the product. IDOK "OK".
class CErrorExitDialog : public CMessageDialog {
public:
    explicit CErrorExitDialog(const std::string& product, HWND parent = nullptr);
};
