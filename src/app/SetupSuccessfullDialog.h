#pragma once
// The final message (template 139): setup is complete; OK. It brings itself to the top
// of the window order when it opens.
#include <windows.h>

#include "common/MessageDialog.h"

class CSetupSuccessfullDialog : public CMessageDialog {
public:
    explicit CSetupSuccessfullDialog(HWND parent = nullptr);

protected:
    BOOL OnInitDialog() override;
};
