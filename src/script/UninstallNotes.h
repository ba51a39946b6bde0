#pragma once
// Where the installation notes what it created, so that the uninstaller can take it
// away again. The phases call these while they work; the application decides whether
// and where the notes are kept.
#include <string>

#include "script/SetupItems.h"

class CUninstallNotes {
public:
    virtual ~CUninstallNotes() = default;

    virtual void RecordDeleteFile(const std::string& path) = 0;
    virtual void RecordDeleteShortcut(const std::string& linkPath) = 0;
    virtual void RecordUnregisterOcx(const COcxItem& item) = 0;
    virtual void RecordUnregisterAutomation(const CAutomationItem& item) = 0;
    virtual void RecordCreatedDirectory(const std::string& path) = 0;
    virtual void RecordDeleteIniFile(const std::string& path) = 0;
    virtual void RecordDeleteIniSection(const CIniItem& item) = 0;
    virtual void RecordDeleteIniKeyword(const CIniItem& item) = 0;
    virtual void RecordDeleteIniValue(const CIniItem& item) = 0;
    virtual void RecordDeleteProgramGroup(const std::string& group) = 0;
};

// The notes of the running installer: its main window, when that keeps them.
CUninstallNotes* GetUninstallNotes();
