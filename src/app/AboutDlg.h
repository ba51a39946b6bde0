#pragma once
// The about box (template 100): the application icon, the version line and OK.
#include "framework/Dialog.h"

class CAboutDlg : public fw::Dialog {
public:
    CAboutDlg();
};
