#pragma once
#include <windows.h>

// The caption of every message box the installer shows.
inline constexpr const char kSetupCaption[] = "セットアップ";

// Shows a message box with the installer's caption; the text is shown as it is
// (never used as a format). Returns the identifier of the button pressed.
int SetupMessageBox(const char* text, UINT type = MB_OK, HWND owner = nullptr);
