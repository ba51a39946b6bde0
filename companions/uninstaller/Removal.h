#pragma once
// The uninstaller's work: undoing the notes of an uninstall record, in the reverse
// order of installing, and writing back what remains. The platform's file deletion is
// reached through CFileRemoval (tests put a stand-in there); the user through CRemovalUi
// (none in the silent mode).
#include <windows.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "core/PlatformFlags.h"
#include "core/UninstallRecordReader.h"

class CDDEClient;
class CDDEClientConv;

// The whole file; false when it cannot be opened.
bool ReadFileText(const std::string& path, std::string& text);

// Deleting one file, and having the system delete it when it next starts.
class CFileRemoval {
public:
    enum class Result { Removed, Missing, InUse, Failed };
    virtual ~CFileRemoval() = default;
    // Deletes the file, read-only or not. A file another program holds open (or runs)
    // is InUse.
    virtual Result DeleteFile(const std::string& path);
    // Windows NT: MoveFileEx with MOVEFILE_DELAY_UNTIL_REBOOT (an empty directory too);
    // Windows 95: "NUL=<short name>" in the [rename] section of WININIT.INI.
    virtual bool ScheduleDeletion(const std::string& path, bool windowsNT);
};

// What the user sees while the record is worked through.
enum class SharedFileAnswer { Yes, No, YesToAll, NoToAll };
class CRemovalUi {
public:
    virtual ~CRemovalUi() = default;
    // The item being undone; done of total items so far.
    virtual void ShowProgress(const std::string& item, int done, int total) = 0;
    // A shared file that no program is counted for any more: delete it?
    virtual SharedFileAnswer AskRemoveSharedFile(const std::string& path) = 0;
};

struct RemovalSettings {
    std::string recordPath;                     // UNINSTAL.INF as given on the command line
    core::PlatformFlags platform;               // program groups by DDE below Windows NT 4.0
    std::string windowsDirectory;               // where INI notes with bare names live
    std::vector<std::string> protectedFolders;  // never acted on (RecordPaths.h)
    std::string programsFolder;                 // the shell's Programs folder ("" when unknown)
};

// Exit codes of the uninstaller.
enum RemovalExitCode : int {
    kRemoved = 0,
    kCancelled = 1,
    kRecordUnreadable = 2,
    kSomethingRemains = 3,
    kRestartCompletes = 4,
};

struct RemovalReport {
    int exitCode = kRemoved;
    std::vector<std::string> remaining;  // "item (reason)"
    std::vector<std::string> scheduled;  // deleted when the system next starts
};

class CRemoval {
public:
    // ui may be null (the silent mode: shared files whose count reaches 0 are kept).
    CRemoval(core::UninstallRecordContents record, RemovalSettings settings, CFileRemoval& files, CRemovalUi* ui);
    ~CRemoval();
    CRemoval(const CRemoval&) = delete;
    CRemoval& operator=(const CRemoval&) = delete;

    // A path or key of the record that must not be acted on, with why; "" when the record
    // may be worked through. Nothing is removed from a record that names one.
    std::string RefusedItem() const;
    // Undoes every note; when something stays, the record (and the product's entry in the
    // uninstall list) stay too, holding only what remains.
    RemovalReport Run();

private:
    enum class Outcome { Done, Remains, Scheduled, AfterRecord };
    struct Result {
        Outcome outcome;
        const char* reason;
    };

    Result Undo(const core::RecordNote& note);
    Result UnregisterAutomation(const std::string& path);
    Result UnregisterOcx(const std::string& path);
    Result DeleteProgramItem(const std::string& group, const std::string& title);
    Result DeleteProgramGroup(const std::string& name);
    Result ReleaseSharedFile(const std::string& path);
    Result UndoIniNote(const core::RecordNote& note);
    Result UndoRegistryNote(const core::RecordNote& note);
    Result DeleteRecordedFile(const std::string& path);
    Result DeleteFileOrSchedule(const std::string& path);
    Result DeleteDirectory(const std::string& path);
    bool OnlyScheduledOrRecordIn(const std::string& directory, bool& holdsRecord) const;
    bool DeleteUninstallEntry();
    void TakeDirectoryNotesOfWinIni();
    void ForgetDirectoryNotesOfWinIni();
    void WriteRemainingRecord(const std::vector<core::RecordNote>& remaining);
    bool IsRecordFile(const std::string& path) const;
    bool ProgramManagerConnected();
    bool SendToProgramManager(const std::string& command);
    std::vector<std::string> ProgramGroupIcons(const std::string& name, std::vector<std::string>& titles);

    core::UninstallRecordContents m_record;
    RemovalSettings m_settings;
    CFileRemoval& m_files;
    CRemovalUi* m_pUi;
    bool m_bYesToAll = false;
    bool m_bNoToAll = false;
    std::set<std::string> m_setScheduled;       // comparable paths
    std::vector<std::string> m_arrWinIniKeys;   // directory notes taken from WIN.INI
    std::unique_ptr<CDDEClient> m_pDdeClient;
    std::unique_ptr<CDDEClientConv> m_pProgman;
};
