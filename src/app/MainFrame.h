#pragma once
// The main window: full screen, no caption and no menu; its only child is the view.
#include "framework/Window.h"

class CSetupDoc;

class CMainFrame : public fw::FrameWindow {
public:
    // Creates the frame: title from the first part of string resource `resourceId`,
    // icon `resourceId`.
    BOOL LoadFrame(UINT resourceId);
    // The document of the active view when that is a CSetupView with a CSetupDoc.
    CSetupDoc* GetSetupDoc() const;

protected:
    void PreCreateWindow(CREATESTRUCTA& cs) override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnCreate();
};
