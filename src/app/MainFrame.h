#pragma once
// The main window: full screen, no caption and no menu; its only child is the view,
// which paints the background and drives the installation.
#include "framework/Window.h"
#include "script/UninstallNotes.h"
#include "uninstall/UninstallRecord.h"

class CSetupDoc;
class CDDEClient;
class CDDEClientConv;

// It also takes the installation's notes for the uninstall record: every thread finds
// them as the application's main window (FindUninstallNotes).
class CMainFrame : public fw::FrameWindow, public CUninstallNotes {
public:
    // Creates the frame: title from the first part of string resource `resourceId`,
    // icon `resourceId`.
    BOOL LoadFrame(UINT resourceId);
    // The document of the active view when that is a CSetupView with a CSetupDoc.
    CSetupDoc* GetSetupDoc() const;

    // The uninstall record's operations: each does nothing without a document or when
    // the document's uninstall switch is off, and otherwise writes with the document's
    // current record path, product and uninstall key.
    void RecordDeleteFile(const std::string& path) override;
    void RecordDeleteShortcut(const std::string& linkPath) override;
    void RecordUnregisterOcx(const COcxItem& item) override;
    void RecordUnregisterAutomation(const CAutomationItem& item) override;
    void RecordCreatedDirectory(const std::string& path) override;
    void RecordDeleteIniFile(const std::string& path) override;
    void RecordDeleteIniSection(const CIniItem& item) override;
    void RecordDeleteIniKeyword(const CIniItem& item) override;
    void RecordDeleteIniValue(const CIniItem& item) override;
    void RecordDeleteProgramGroup(const std::string& name) override;
    void RecordRestoreIniValue(const std::string& file, const std::string& section, const std::string& key,
                               const std::string& oldValue) override;
    void RecordDeleteRegValue(const std::string& keyPath, const std::string& valueName) override;
    void RecordDeleteRegKey(const std::string& keyPath) override;
    void RecordRestoreRegValue(const std::string& keyPath, const std::string& valueName, std::uint32_t type,
                               const std::string& oldData) override;
    void RecordReleaseSharedFile(const std::string& path) override;
    void RecordDeleteProgramItem(const std::string& group, const std::string& title) override;
    // Completes the uninstall record of the finished installation (same conditions).
    void WriteUninstallRecord();

    // The conversation with the program manager (service and topic "Progman") and the
    // DDE client that owns it, used for program groups on Windows NT below 4.0. Made when
    // the window is created on that system (kept even when no program manager answered),
    // deleted when it is destroyed; null on every other system.
    CDDEClientConv* m_pProgmanConv = nullptr;
    CDDEClient* m_pDdeClient = nullptr;

    ~CMainFrame() override;

protected:
    void PreCreateWindow(CREATESTRUCTA& cs) override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnCreate();
    void OnDestroy();

private:
    // The record set up from the document, or nullptr when nothing is to be recorded.
    CUninstallRecord* ActiveRecord();

    // Its counters live as long as the frame: one installation per process.
    CUninstallRecord m_uninstallRecord;
};
