#include "copy/CopyThread.h"

#include "common/FileUtils.h"
#include "common/Messages.h"
#include "copy/CopyDialog.h"
#include "copy/CopyPrompts.h"
#include "copy/VersionService.h"
#include "core/CopyDecision.h"
#include "core/DirectoryTree.h"
#include "core/DiskSpace.h"
#include "core/ShiftJisPath.h"
#include "core/ShiftJis.h"
#include "core/TextFormat.h"
#include "framework/SystemFunction.h"
#include "framework/SystemPaths.h"
#include "resources/dialog_ids.h"
#include "script/PathMacros.h"
#include "script/Profile.h"
#include "script/UninstallNotes.h"

int g_nReadonlyAnswer = -1;
int g_bOverwriteAllDiffer = 0;
int g_bOverwriteAllOlder = 0;

namespace {

std::string JoinPath(const std::string& directory, const std::string& name) {
    return core::EndsWithBackslash(directory) ? directory + name : directory + "\\" + name;
}

// A name beside the file that nothing uses, for holding the file aside while it is
// replaced ("" when none is free).
std::string UnusedNameBeside(const std::string& path) {
    const size_t slash = core::FindLastBackslash(path);
    const std::string directory = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    for (int number = 0; number < 1000; ++number) {
        const std::string candidate = directory + core::FormatWithNumber("~ORV%03d.OLD", number);
        if (GetFileAttributesA(candidate.c_str()) == INVALID_FILE_ATTRIBUTES) return candidate;
    }
    return std::string();
}

// Deletes a file now, or, when it is in use, at the next start of the system where the
// system offers that (Windows NT; Windows 95 has no such call, and the file stays).
void DeleteNowOrAtRestart(const std::string& path) {
    if (DeleteFileA(path.c_str())) return;
    const auto moveFileEx = fw::SystemFunction<decltype(&::MoveFileExA)>("kernel32.dll", "MoveFileExA");
    if (moveFileEx) moveFileEx(path.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
}

}  // namespace

CCopyThread::~CCopyThread() { Stop(); }

bool CCopyThread::AcceptsMessage(UINT msg) const {
    return msg == WM_COPY_START || msg == WM_COPY_NEXT || msg == WM_COPY_CANCEL;
}

void CCopyThread::OnThreadMessage(UINT msg, WPARAM, LPARAM) {
    switch (msg) {
    case WM_COPY_START:
        OnCopyStart();
        break;
    case WM_COPY_NEXT:
        OnCopyNext();
        break;
    case WM_COPY_CANCEL:
        OnCopyCancel();
        break;
    }
}

void CCopyThread::OnCopyStart() {
    m_strWindowsDir = fw::WindowsDirectory();
    m_nTotalBytes = 0;
    if (m_pFileItems)
        for (const CFileItem* item : *m_pFileItems)
            if (item) m_nTotalBytes += core::FileItemBytes(item->m_nSize);
    PostToThread(WM_COPY_NEXT);
}

void CCopyThread::OnCopyCancel() { m_bCancel = 1; }

void CCopyThread::OnCopyNext() {
    // Small items go several to a step: a message to itself per item costs about as much
    // as copying a small file. A stop or a pause is still seen before every item (both are
    // flags), and what is sent to the thread waits at most one slice.
    const DWORD sliceStart = GetTickCount();
    while (CopyNextItem()) {
        if (GetTickCount() - sliceStart >= kItemSliceMs) {
            PostToThread(WM_COPY_NEXT);
            return;
        }
    }
}

bool CCopyThread::CopyNextItem() {
    if (!m_pCopyDialog || m_nOutcome) return false;
    // No item starts while the user is asked whether to stop, and none after the user
    // confirmed it; the item in progress when the stop came has been finished.
    WaitWhilePaused();
    if (StopWasRequested()) {
        End(SETUP_STOPPED);
        return false;
    }
    const int count = m_pFileItems ? static_cast<int>(m_pFileItems->size()) : 0;
    // The end is a step of its own, so a stop confirmed during the last item counts too.
    if (m_nCurrent >= count) {
        End(SETUP_DONE);
        return false;
    }
    if (!EnsureSourceDisk()) return false;
    if (StopWasRequested()) {  // confirmed while the disk was asked for
        End(SETUP_STOPPED);
        return false;
    }
    if (const CFileItem* item = (*m_pFileItems)[m_nCurrent]) ShowItemName(item->m_strName, m_nCurrent + 1 == count);
    if (InstallFile() == -1) {
        End(SETUP_STOPPED);
        return false;
    }
    ++m_nCurrent;
    return true;
}

void CCopyThread::End(WPARAM outcome) {
    SendProgress();
    m_nOutcome = outcome;
    PostToDialog(outcome == SETUP_DONE ? WM_COPY_FINISHED : WM_COPY_ABORTED);
}

int CCopyThread::EnsureSourceDisk() {
    if (!m_pFileItems || m_nCurrent >= static_cast<int>(m_pFileItems->size())) return 1;
    const CFileItem* item = (*m_pFileItems)[m_nCurrent];
    if (!item || item->m_nDisk == m_nCurrentDisk) return 1;
    const std::string tag = Expanded(core::FormatWithNumber("$SRCDIR$\\DISK%d", item->m_nDisk));
    // A disk that is already there (every disk of a CD) is not asked for.
    if (FileExists(tag)) {
        m_nCurrentDisk = item->m_nDisk;
        return 1;
    }
    for (;;) {
        if (Ask().ChangeDisk(item->m_nDisk) == IDOK) {
            if (FileExists(tag)) {
                m_nCurrentDisk = item->m_nDisk;
                return 1;
            }
            continue;  // not that disk yet: the same request again
        }
        if (Ask().QueryCancel() == IDCANCEL) {
            End(SETUP_STOPPED);
            return 0;
        }
    }
}

int CCopyThread::InstallFile() {
    if (!m_pFileItems || m_nCurrent >= static_cast<int>(m_pFileItems->size())) return 0;
    const CFileItem* file = (*m_pFileItems)[m_nCurrent];
    if (!file) return 0;

    Item item{file, Expanded(file->GetSourcePath()), Expanded(file->GetDestPath()), {}, {}, file->IsSharedFile(), {}, {}, {}, 0, {}};
    item.srcAttributes = GetFileAttributesA(item.src.c_str());
    if (item.srcAttributes == INVALID_FILE_ATTRIBUTES || (item.srcAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        Ask().SourceMissing(item.src);
        return -1;
    }
    item.srcDir = Expanded(file->GetSourceDir());
    item.appDir = Expanded(file->GetAppDir());

    const int located = Locate(item);
    if (located != 1) return located;
    // The file goes where the service put it; every later step works on that copy.
    if (lstrcmpiA(item.destDir.c_str(), item.appDir.c_str()) != 0) item.dst = JoinPath(item.destDir, file->m_strDestFile);
    CreateDestinationDirectories(item);
    item.foundInSystem = item.shared && FileExists(item.dst);
    return Install(item);
}

int CCopyThread::Locate(Item& item) {
    const std::string& windows = m_strWindowsDir;
    const DWORD flags = item.shared ? VFFF_ISSHAREDFILE : 0;
    for (int tries = 1;; ++tries) {
        std::string current, destination;
        const DWORD bits =
            m_pVersionService->FindFile(flags, item.file->m_strDestFile, windows, item.appDir, current, destination);
        item.curDir = current;
        item.destDir = destination.empty() ? item.appDir : destination;
        switch (core::ClassifyLocateResult(bits)) {
        case core::LocateStep::UseDestDir:
            return 1;
        case core::LocateStep::UseAppDir:
            item.destDir = item.appDir;
            return 1;
        case core::LocateStep::AskFileInUse: {
            const core::CopyAction answer = AskInUse(item);
            if (answer == core::CopyAction::Stop) return -1;
            if (answer == core::CopyAction::Skip) {
                ReportProgress(core::FileItemBytes(item.file->m_nSize));
                return 0;
            }
            break;  // "再試行(&R)": look again
        }
        case core::LocateStep::LocateAgain:
            if (tries >= core::kMaxLocateTries) return 1;
            break;
        }
    }
}

void CCopyThread::CreateDestinationDirectories(const Item& item) {
    // Most items go where the one before went: that directory chain is there already.
    if (lstrcmpiA(item.destDir.c_str(), m_strReadyDir.c_str()) == 0) return;
    for (const std::string& directory : core::DirectoryTreePrefixes(item.destDir)) {
        if (DirectoryExists(directory) || !CreateDirectoryA(directory.c_str(), nullptr)) continue;
        if ((item.file->m_nFlags & FILEITEM_UNINSTALL) && m_pUninstallNotes)
            m_pUninstallNotes->RecordCreatedDirectory(directory);
    }
    m_strReadyDir = DirectoryExists(item.destDir) ? item.destDir : std::string();
}

int CCopyThread::Install(Item& item) {
    const CFileItem& file = *item.file;
    DWORD flags = 0;
    for (;;) {
        const DWORD bits = m_pVersionService->InstallFile(flags, file.m_strSrcFile, file.m_strDestFile, item.srcDir,
                                                          item.destDir, item.curDir, item.tmpFile);
        item.lastResult = bits;
        const std::string temporary(core::BareTemporaryName(item.tmpFile));

        core::CopyAction action = core::CopyAction::Complete;
        switch (core::ClassifyInstallResult(bits)) {
        case core::InstallRow::Installed:
            return Complete(item, true);
        case core::InstallRow::Other:
            break;  // the existing file stays
        case core::InstallRow::InUse:
        case core::InstallRow::NotInstalled:
            // The new file is not in place: the user decides (close the program and retry,
            // leave the file out, or stop); it never counts as installed.
            action = AskInUse(item);
            break;
        case core::InstallRow::SourceOlder:
            action = g_bOverwriteAllOlder ? core::CopyAction::Replace
                                          : core::ActionForConflictAnswer(static_cast<int>(Ask().SourceOlder(temporary, item.dst)));
            if (action == core::CopyAction::ReplaceAll) g_bOverwriteAllOlder = 1;
            break;
        case core::InstallRow::DifferentLanguage:
            action = g_bOverwriteAllDiffer
                         ? core::CopyAction::Replace
                         : core::ActionForConflictAnswer(static_cast<int>(Ask().DifferentLanguage(temporary, item.dst)));
            if (action == core::CopyAction::ReplaceAll) g_bOverwriteAllDiffer = 1;
            break;
        case core::InstallRow::WriteProtected: {
            int answer = g_nReadonlyAnswer;
            if (answer == -1) {
                bool dontAskAgain = false;
                answer = static_cast<int>(Ask().ReadOnly(item.dst, dontAskAgain));
                if (dontAskAgain && (answer == core::kAnswerYes || answer == core::kAnswerNo)) g_nReadonlyAnswer = answer;
            }
            action = core::ActionForReadonlyAnswer(answer);
            if (action == core::CopyAction::AskStop)
                action = core::ActionForStopAnswer(static_cast<int>(Ask().QueryCancel()));
            break;
        }
        case core::InstallRow::CannotDeleteCurrent:
            // The new file is in place; only an old copy elsewhere could not be deleted.
            if (!(bits & core::kVifTempFile)) return Complete(item, true);
            // Still waiting as a temporary file: install it once more without deleting the
            // old copy, which cannot answer with this again.
            if (flags & core::kViffDontDeleteOld) {
                action = AskInUse(item);
                break;
            }
            flags |= core::kViffForceInstall | core::kViffDontDeleteOld;
            continue;
        case core::InstallRow::DifferentType:
            Ask().Message(IDD_DIFFERENT_FILE_TYPE);
            return StopItem(item);
        case core::InstallRow::OutOfSpace:
            Ask().Message(IDD_OUT_OF_DISK_SPACE);
            return StopItem(item);
        case core::InstallRow::AccessViolation:
            Ask().AccessViolation(file.m_strDestFile);
            return StopItem(item);
        case core::InstallRow::CannotCreate:
        case core::InstallRow::CannotDeleteOrRename:
            Ask().Message(IDD_CANNOT_CREATE_TEMP_FILE);
            return StopItem(item);
        case core::InstallRow::OutOfMemory:
            Ask().Message(IDD_OUT_OF_MEMORY);
            return StopItem(item);
        case core::InstallRow::CannotReadSource:
            Ask().CannotReadSource(item.src, item.srcDir);
            return StopItem(item);
        case core::InstallRow::CannotReadDest:
            Ask().CannotWriteDestination(item.dst);
            return StopItem(item);
        }

        switch (action) {
        case core::CopyAction::Complete:
            return Complete(item, false);
        case core::CopyAction::Replace:
        case core::CopyAction::ReplaceAll:
            if (item.lastResult & core::kVifTempFile) {
                // The new file waits beside the old one and takes its place; when that
                // fails the user decides, as for a file in use.
                for (;;) {
                    if (ReplaceWithTemporary(item)) return Complete(item, true);
                    const core::CopyAction next = AskInUse(item);
                    if (next == core::CopyAction::Skip) return Skip(item);
                    if (next == core::CopyAction::Stop) return StopItem(item);
                }
            }
            // Installed afresh without comparing, the existing file held aside until then.
            while (!MoveExistingAside(item)) {
                const core::CopyAction next = AskInUse(item);
                if (next == core::CopyAction::Skip) return Skip(item);
                if (next == core::CopyAction::Stop) return StopItem(item);
            }
            flags |= core::kViffForceInstall;
            break;
        case core::CopyAction::Retry:
            break;
        case core::CopyAction::Skip:
            return Skip(item);
        case core::CopyAction::AskStop:
        case core::CopyAction::Stop:
            return StopItem(item);
        }
    }
}

bool CCopyThread::ReplaceWithTemporary(Item& item) {
    if (!MoveExistingAside(item)) return false;
    if (!MoveFileA(TemporaryPath(item).c_str(), item.dst.c_str())) {
        SettleOldCopy(item, false);  // the temporary file stays for another try
        return false;
    }
    item.lastResult &= ~core::kVifTempFile;
    return true;
}

bool CCopyThread::MoveExistingAside(Item& item) {
    const DWORD attributes = GetFileAttributesA(item.dst.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return true;  // nothing there to keep
    item.oldCopy = UnusedNameBeside(item.dst);
    if (item.oldCopy.empty()) return false;
    item.oldAttributes = attributes;
    SetFileAttributesA(item.dst.c_str(), attributes & ~(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM));
    if (MoveFileA(item.dst.c_str(), item.oldCopy.c_str())) return true;
    SetFileAttributesA(item.dst.c_str(), attributes);
    item.oldCopy.clear();
    return false;
}

int CCopyThread::Complete(Item& item, bool written) {
    const CFileItem& file = *item.file;
    if (written) {
        // The source's attributes, but never read-only or hidden; written only when the
        // platform did not leave the file so already.
        const DWORD source = item.srcAttributes;
        const DWORD wanted = source & ~(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
        if (source != INVALID_FILE_ATTRIBUTES && GetFileAttributesA(item.dst.c_str()) != wanted)
            SetFileAttributesA(item.dst.c_str(), wanted);
    }
    DropLeftovers(item, written);
    const bool counted = (file.m_nFlags & FILEITEM_SHAREDDLL) && !item.shared;
    if (counted) {
        CRegProfile shared(kSharedDllsKey, HKEY_LOCAL_MACHINE);
        shared.WriteInt(item.dst.c_str(), shared.GetInt(item.dst.c_str(), 0) + 1);
    }
    // Only a file this installation wrote is the uninstaller's to delete; a copy that was
    // kept only gives its count back. A copy in the system's directories that was there
    // before belongs to the system or to other programs, which it does not count: written
    // over with this version, it stays when the product is removed.
    if ((file.m_nFlags & FILEITEM_UNINSTALL) && m_pUninstallNotes) {
        if (written && !item.foundInSystem)
            m_pUninstallNotes->RecordDeleteFile(item.dst);
        else if (counted)
            m_pUninstallNotes->RecordReleaseSharedFile(item.dst);
    }
    ReportProgress(core::FileItemBytes(file.m_nSize));
    return 1;
}

int CCopyThread::Skip(Item& item) {
    DropLeftovers(item, false);
    ReportProgress(core::FileItemBytes(item.file->m_nSize));
    return 0;
}

int CCopyThread::StopItem(Item& item) {
    DropLeftovers(item, false);
    return -1;
}

void CCopyThread::DropLeftovers(Item& item, bool newFileInPlace) {
    if (item.lastResult & core::kVifTempFile) DeleteFileA(TemporaryPath(item).c_str());
    item.lastResult &= ~core::kVifTempFile;
    SettleOldCopy(item, newFileInPlace);
}

void CCopyThread::SettleOldCopy(Item& item, bool newFileInPlace) {
    if (item.oldCopy.empty()) return;
    if (newFileInPlace) {
        DeleteNowOrAtRestart(item.oldCopy);
    } else if (GetFileAttributesA(item.dst.c_str()) == INVALID_FILE_ATTRIBUTES &&
               MoveFileA(item.oldCopy.c_str(), item.dst.c_str())) {
        SetFileAttributesA(item.dst.c_str(), item.oldAttributes);
    }
    item.oldCopy.clear();
}

std::string CCopyThread::TemporaryPath(const Item& item) const {
    return JoinPath(item.destDir, std::string(core::BareTemporaryName(item.tmpFile)));
}

void CCopyThread::ShowItemName(const std::string& name, bool now) {
    m_strItemName = name;
    m_bItemNameShown = now;
    if (now)
        m_pCopyDialog->SetFileName(name);
    else
        m_pCopyDialog->OfferFileName(name);
}

core::CopyAction CCopyThread::AskInUse(const Item& item) {
    return core::ActionForInUseAnswer(static_cast<int>(Ask().FileInUse(item.file->m_strDestFile)));
}

CCopyPrompts& CCopyThread::Ask() {
    if (!m_bItemNameShown && m_pCopyDialog) {
        m_pCopyDialog->SetFileName(m_strItemName);
        m_bItemNameShown = true;
    }
    return *m_pPrompts;
}

void CCopyThread::ReportProgress(std::uint64_t bytes) {
    WaitWhilePaused();
    const std::uint64_t shown = m_nDoneBytes - m_nUnsentBytes;
    m_nDoneBytes += bytes;
    m_nUnsentBytes += bytes;
    if (core::ProgressPercent(m_nDoneBytes, m_nTotalBytes) != core::ProgressPercent(shown, m_nTotalBytes)) SendProgress();
}

void CCopyThread::SendProgress() {
    if (m_nUnsentBytes && m_pCopyDialog && m_pCopyDialog->GetHwnd())
        SendMessageA(m_pCopyDialog->GetHwnd(), WM_COPY_PROGRESS, static_cast<WPARAM>(m_nUnsentBytes), 0);
    m_nUnsentBytes = 0;
}

void CCopyThread::PostToDialog(UINT msg) {
    if (m_pCopyDialog && m_pCopyDialog->GetHwnd()) PostMessageA(m_pCopyDialog->GetHwnd(), msg, 0, 0);
}
