#pragma once
// The main window: full screen, no caption and no menu; its only child is the view,
// which paints the background and drives the installation.
#include "framework/Window.h"

class CSetupDoc;
class CDDEClient;
class CDDEClientConv;

class CMainFrame : public fw::FrameWindow {
public:
    // Creates the frame: title from the first part of string resource `resourceId`,
    // icon `resourceId`.
    BOOL LoadFrame(UINT resourceId);
    // The document of the active view when that is a CSetupView with a CSetupDoc.
    CSetupDoc* GetSetupDoc() const;

    // Writes the uninstall record of the finished installation when the document asks
    // for one. The installer keeps no record yet, so there is nothing to write.
    void WriteUninstallRecord();

    // The program manager conversation and its DDE client, used for program groups on
    // Windows NT below 4.0. The installer does not talk to the program manager yet, so
    // both stay null.
    CDDEClientConv* m_pProgmanConv = nullptr;
    CDDEClient* m_pDdeClient = nullptr;

protected:
    void PreCreateWindow(CREATESTRUCTA& cs) override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnCreate();
};
