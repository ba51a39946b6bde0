#pragma once
// The copy engine: a worker thread that installs the install-file list in steps of
// WM_COPY_NEXT (as many items as fit in a short slice), while the progress dialog stays
// responsive. For each item it makes sure
// the right disk is in the drive, lets the version service locate and install the file
// (expanding it), settles conflicts with the user, sets the file's attributes, counts
// shared files, notes the file for the uninstaller and reports the bytes done.
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <string>

#include "core/CopyDecision.h"
#include "framework/Thread.h"
#include "script/SetupItems.h"

class CCopyDialog;
class CCopyPrompts;
class CUninstallNotes;
class CVersionService;

// Answers the user asked to have remembered; they hold for the whole run.
// -1 asks; 1012 (overwrite) or 1013 (leave) after the read-only question was answered
// with "次回からこのメッセージを出さない。" ticked.
extern int g_nReadonlyAnswer;
// "全てを上書き(&A)" in the language / code-page question.
extern int g_bOverwriteAllDiffer;
// "全てを上書き(&A)" in the older-file question.
extern int g_bOverwriteAllOlder;

// The registry key (under HKEY_LOCAL_MACHINE) that counts the programs sharing a file.
inline constexpr const char kSharedDllsKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";

class CCopyThread : public fw::UiThread {
public:
    CCopyThread() = default;
    ~CCopyThread() override;

    CCopyDialog* m_pCopyDialog = nullptr;    // the progress dialog; set by it
    int m_nCurrent = 0;                      // index of the item being processed
    int m_bCancel = 0;                       // 1 after WM_COPY_CANCEL
    CFileItemArray* m_pFileItems = nullptr;  // the document's list; not owned
    int m_nCurrentDisk = 1;                  // the source disk last seen in the drive

    // What the engine talks to; the dialog sets them (production: the platform's
    // service, the real dialogs and the main window's uninstall notes).
    CVersionService* m_pVersionService = nullptr;
    CCopyPrompts* m_pPrompts = nullptr;
    CUninstallNotes* m_pUninstallNotes = nullptr;

    // Thread messages.
    void OnCopyStart();
    void OnCopyNext();
    // One item, or the end; false once the copy has ended.
    bool CopyNextItem();
    static constexpr DWORD kItemSliceMs = 50;  // items in one step at most this long
    void OnCopyCancel();

    // Called by the progress dialog the moment the user confirmed the stop (it posts
    // WM_COPY_CANCEL as well): from then on no item starts, whatever is queued.
    void RequestCancel() { m_bCancelRequested = true; }
    // How the copy ended, once the worker said so: 0 while it runs, then SETUP_DONE or
    // SETUP_STOPPED. Set before the end is posted, so the dialog can tell the worker's
    // end message from a foreign one.
    WPARAM Outcome() const { return m_nOutcome; }

    // 1 when the current item's disk is present (or none is needed); 0 when the user
    // gave up (WM_COPY_ABORTED is then posted already).
    int EnsureSourceDisk();
    // 1 done (installed, or left in place on the user's answer); 0 skipped as in use (or
    // no item); -1 the installation must stop.
    int InstallFile();

protected:
    void OnThreadMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    bool AcceptsMessage(UINT msg) const override;

private:
    // The state of the item being installed.
    struct Item {
        const CFileItem* file;
        std::string src, dst, srcDir, appDir;
        bool shared;
        std::string curDir, destDir;
        std::string tmpFile;          // the temporary file the service left, as it named it
        std::uint32_t lastResult = 0; // the last install result, VIF_TEMPFILE cleared once used
        std::string oldCopy;          // the existing file, moved aside while it is replaced
        DWORD oldAttributes = 0;      // its attributes, given back when it returns
        DWORD srcAttributes = INVALID_FILE_ATTRIBUTES;
        bool foundInSystem = false;   // a shared file's destination held a copy before
    };

    bool StopWasRequested() const { return m_bCancel || m_bCancelRequested; }
    // The item's name on the progress dialog's file line: at once when asked (the last
    // item), else offered for the dialog's next tick.
    void ShowItemName(const std::string& name, bool now);
    // The questions and messages, with the file line first made to show the item they
    // concern (an offered name may not have been shown yet).
    CCopyPrompts& Ask();
    // The write-failure question for the item: retry, leave it out (Skip) or stop.
    core::CopyAction AskInUse(const Item& item);
    // Posts the copy's end to the dialog (SETUP_DONE or SETUP_STOPPED).
    void End(WPARAM outcome);

    // Steps of InstallFile; the int results are InstallFile's.
    int Locate(Item& item);
    void CreateDestinationDirectories(const Item& item);
    int Install(Item& item);
    // Puts the new file that waits as a temporary file in the existing one's place; the
    // existing one stays until the new one is there. False when that cannot be done.
    bool ReplaceWithTemporary(Item& item);
    // Moves the existing file aside before a forced install; false when it cannot be moved.
    bool MoveExistingAside(Item& item);
    // The item is done. written: this installation wrote the file (else an existing file
    // was kept, and keeps its attributes).
    int Complete(Item& item, bool written);
    // The file is left out on the user's word: nothing installed, noted or counted.
    int Skip(Item& item);
    // Stops the item: its temporary file is taken away and an existing file moved aside
    // comes back.
    int StopItem(Item& item);
    // Takes away what an unfinished item left: the temporary file, and the moved-aside
    // existing file (put back unless the new file took its place).
    void DropLeftovers(Item& item, bool newFileInPlace);
    // The existing file held aside: deleted once the new one is in place, else put back
    // as it was.
    void SettleOldCopy(Item& item, bool newFileInPlace);
    // The path of the temporary file the service left.
    std::string TemporaryPath(const Item& item) const;

    // Adds the item's bytes to the progress; the dialog hears of them when its bar would
    // move, and of the rest at the end.
    void ReportProgress(std::uint64_t bytes);
    void SendProgress();
    void PostToDialog(UINT msg);

    std::string m_strWindowsDir;
    std::string m_strReadyDir;     // the destination directory last made sure of
    std::string m_strItemName;     // the name last given to the file line
    bool m_bItemNameShown = true;  // ... and known to be shown
    std::uint64_t m_nTotalBytes = 0;
    std::uint64_t m_nDoneBytes = 0;    // reported by the items so far
    std::uint64_t m_nUnsentBytes = 0;  // of those, not yet sent to the dialog

    std::atomic<bool> m_bCancelRequested{false};
    std::atomic<WPARAM> m_nOutcome{0};
};
