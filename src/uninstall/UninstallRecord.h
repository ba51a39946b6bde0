#pragma once
// The uninstall record: UNINSTAL.INF in the installation directory, written entry by
// entry while the installation runs, and completed at its end with the product's
// entry in the platform's list of uninstallable programs. Directories created are
// noted in WIN.INI until completion.
#include "script/UninstallNotes.h"

#include <string>
#include <utility>
#include <vector>

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
    void RecordRestoreIniValue(const std::string& file, const std::string& section, const std::string& key,
                               const std::string& oldValue) override;
    void RecordDeleteRegValue(const std::string& keyPath, const std::string& valueName) override;
    void RecordDeleteRegKey(const std::string& keyPath) override;
    void RecordRestoreRegValue(const std::string& keyPath, const std::string& valueName, std::uint32_t type,
                               const std::string& oldData) override;
    void RecordReleaseSharedFile(const std::string& path) override;
    void RecordDeleteProgramItem(const std::string& group, const std::string& title) override;

    // Completes the record: the registry entry, the directory notes moved from WIN.INI
    // into the record, the Config section, the notes of the sections that follow the
    // original ones (held until now, so that those sections come last in the file), the
    // record file listed in itself and hidden.
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
        // The sections after the original ones.
        kRestoreIniValue,
        kDeleteRegValue,
        kDeleteRegKey,
        kRestoreRegValue,
        kReleaseSharedFile,
        kDeleteProgramItem,
        kCounterCount
    };

    // Writes value under the counter's next key; a failed write loses the entry,
    // the number is used up all the same.
    void Note(Counter counter, const std::string& value);
    // Holds a note of a section after the original ones until the record is completed.
    void NoteLater(Counter counter, const std::string& value);
    void MoveDirectoryNotes();
    void WriteRegistryEntry(const std::string& keyPath);

    Settings m_settings;
    int m_nNextKey[kCounterCount] = {};
    std::vector<std::pair<Counter, std::string>> m_laterNotes;
};
