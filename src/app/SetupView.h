#pragma once
// The single view of the main window. It will drive the installation's phases; for now
// it only exists as the frame's child.
#include "framework/Window.h"

class CSetupDoc;

class CSetupView : public fw::View {
public:
    // The view's document when it is a CSetupDoc, else nullptr.
    CSetupDoc* GetSetupDoc() const;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
};
