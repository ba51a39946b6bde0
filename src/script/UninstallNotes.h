#pragma once
// What the phases of an installation note for the uninstall record. The copy
// engine and the system update reach the notes of the running program through
// FindUninstallNotes and call these operations; the writer decides whether and
// where anything is written. None reports a result: a lost entry is not an error
// of the installation.
#include "script/SetupItems.h"

#include <cstdint>
#include <string>

class CUninstallNotes {
public:
    virtual ~CUninstallNotes() = default;

    // An installed file, full path.
    virtual void RecordDeleteFile(const std::string& path) = 0;
    // A program icon's link file.
    virtual void RecordDeleteShortcut(const std::string& linkPath) = 0;
    // A registered OCX control; noted only when the item asks for it.
    virtual void RecordUnregisterOcx(const COcxItem& item) = 0;
    // A registered automation server; noted only when the item asks for it.
    virtual void RecordUnregisterAutomation(const CAutomationItem& item) = 0;
    // A directory the installation created, full path.
    virtual void RecordCreatedDirectory(const std::string& path) = 0;
    // An INI file the update created, full path as written to.
    virtual void RecordDeleteIniFile(const std::string& path) = 0;
    // An INI update that created the section of an existing file.
    virtual void RecordDeleteIniSection(const CIniItem& item) = 0;
    // An INI update that added the key to an existing section.
    virtual void RecordDeleteIniKeyword(const CIniItem& item) = 0;
    // An INI update that wrote over an existing key's value.
    virtual void RecordDeleteIniValue(const CIniItem& item) = 0;
    // A program-manager group the installation made.
    virtual void RecordDeleteProgramGroup(const std::string& name) = 0;

    // What else the installation changed, so that its removal leaves the system as it was.
    // These notes go into sections of their own after the others.
    // An INI value written over or removed, with the value it had. file, section and key
    // as in the other INI notes.
    virtual void RecordRestoreIniValue(const std::string& file, const std::string& section, const std::string& key,
                                       const std::string& oldValue) = 0;
    // A registry value the installation created; keyPath is "HKEY_...\subkey".
    virtual void RecordDeleteRegValue(const std::string& keyPath, const std::string& valueName) = 0;
    // A registry key the installation created (a parent before its children).
    virtual void RecordDeleteRegKey(const std::string& keyPath) = 0;
    // A registry value written over, with its old type and data.
    virtual void RecordRestoreRegValue(const std::string& keyPath, const std::string& valueName, std::uint32_t type,
                                       const std::string& oldData) = 0;
    // A shared file the installation counted but did not write (the copy there was kept).
    virtual void RecordReleaseSharedFile(const std::string& path) = 0;
    // An icon the installation put into a program-manager group that was there before.
    virtual void RecordDeleteProgramItem(const std::string& group, const std::string& title) = 0;
};

// The notes of the running program: the application's main window when it takes
// notes, else nullptr. Callable from any thread of the installation.
CUninstallNotes* FindUninstallNotes();
