#pragma once
// The uninstall record: UNINSTAL.INF in the installation directory, written entry by
// entry while the installation runs, and completed at its end with the product's
// entry in the platform's list of uninstallable programs. Directories created are
// noted in WIN.INI until completion.
#include "script/UninstallNotes.h"

#include <string>

class CUninstallRecord : public CUninstallNotes {
public:
    // What the record needs from the setup document, as its owner last saw it.
    struct Settings {
        bool enabled = false;        // the script's uninstall switch
        std::string recordPath;      // the record file, full path
        std::string product;         // product name, macros unexpanded
        std::string uninstallKey;    // name of the product's entry in the uninstall list
    };

    // Takes effect for the next operations. Until set, the record is disabled.
    void Configure(const Settings& settings) { m_settings = settings; }

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

    // Completes the record: the registry entry, the directory notes moved from WIN.INI
    // into the record, the Config section, the record file listed in itself and hidden.
    void WriteUninstallRecord();

    // Where directory notes wait for completion: this section of the Windows directory's WIN.INI.
    static constexpr char kDirectoryNotesFile[] = "WIN.INI";
    static constexpr char kDirectoryNotesSection[] = "OrvanSetupDeleteDirectory";

private:
    // One numbered section each; the keys of each run 0, 1, 2, ... in the order noted.
    enum Counter {
        kDeleteFile,
        kDeleteShortCut,
        kUnregisterOcx,
        kUnregisterAutomation,
        kDeleteIniFile,
        kDeleteIniSection,
        kDeleteIniKeyword,
        kDeleteIniValue,
        kDeleteProgramGroup,
        kDirectoryNotes,
        kCounterCount
    };

    // Writes value under the counter's next key; a failed write loses the entry,
    // the number is used up all the same.
    void Note(Counter counter, const std::string& value);
    void MoveDirectoryNotes();
    void WriteRegistryEntry(const std::string& keyPath);

    Settings m_settings;
    int m_nNextKey[kCounterCount] = {};
};
