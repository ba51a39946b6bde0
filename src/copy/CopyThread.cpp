#include "copy/CopyThread.h"

#include "common/FileUtils.h"
#include "common/Messages.h"
#include "copy/CopyDialog.h"
#include "copy/CopyPrompts.h"
#include "copy/VersionService.h"
#include "core/CopyDecision.h"
#include "core/DirectoryTree.h"
#include "core/ShiftJis.h"
#include "core/TextFormat.h"
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

std::string WindowsDirectory() {
    char buffer[MAX_PATH] = "";
    const UINT length = GetWindowsDirectoryA(buffer, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::string(buffer, length) : std::string();
}

// Sizes come from the script as numbers that may be negative; those count as nothing.
std::uint64_t ItemBytes(const CFileItem& item) { return item.m_nSize > 0 ? static_cast<std::uint64_t>(item.m_nSize) : 0; }

}  // namespace

CCopyThread::~CCopyThread() { Stop(); }

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

void CCopyThread::OnCopyStart() { PostToThread(WM_COPY_NEXT); }

void CCopyThread::OnCopyCancel() { m_bCancel = 1; }

void CCopyThread::OnCopyNext() {
    if (!m_pCopyDialog) return;
    // No item starts while the user is asked whether to stop. A step queued before the
    // stop was confirmed still runs in full; the stop counts from the next one.
    WaitWhilePaused();
    if (m_bCancel) {
        PostToDialog(WM_COPY_ABORTED);
        return;
    }
    const int count = m_pFileItems ? static_cast<int>(m_pFileItems->size()) : 0;
    if (m_nCurrent >= count) {
        PostToDialog(WM_COPY_FINISHED);
        return;
    }
    if (!EnsureSourceDisk()) return;
    if (const CFileItem* item = (*m_pFileItems)[m_nCurrent]) m_pCopyDialog->SetFileName(item->m_strName);
    if (InstallFile() == -1) {
        PostToDialog(WM_COPY_ABORTED);
        return;
    }
    if (++m_nCurrent == count)
        PostToDialog(WM_COPY_FINISHED);
    else
        PostToThread(WM_COPY_NEXT);
}

int CCopyThread::EnsureSourceDisk() {
    if (!m_pFileItems || m_nCurrent >= static_cast<int>(m_pFileItems->size())) return 1;
    const CFileItem* item = (*m_pFileItems)[m_nCurrent];
    if (!item || item->m_nDisk == m_nCurrentDisk) return 1;
    const std::string tag = Expanded(core::FormatWithNumber("$SRCDIR$\\DISK%d", item->m_nDisk));
    for (;;) {
        if (m_pPrompts->ChangeDisk(item->m_nDisk) == IDOK) {
            if (FileExists(tag)) {
                m_nCurrentDisk = item->m_nDisk;
                return 1;
            }
            continue;  // not that disk yet: the same request again
        }
        if (m_pPrompts->QueryCancel() == IDCANCEL) {
            PostToDialog(WM_COPY_ABORTED);
            return 0;
        }
    }
}

int CCopyThread::InstallFile() {
    if (!m_pFileItems || m_nCurrent >= static_cast<int>(m_pFileItems->size())) return 0;
    const CFileItem* file = (*m_pFileItems)[m_nCurrent];
    if (!file) return 0;

    Item item{file, Expanded(file->GetSourcePath()), Expanded(file->GetDestPath()), {}, {}, file->IsSharedFile(), {}, {}, {}, 0};
    if (!FileExists(item.src)) {
        m_pPrompts->SourceMissing(item.src);
        return -1;
    }
    item.srcDir = Expanded(file->GetSourceDir());
    item.appDir = Expanded(file->GetAppDir());

    const int located = Locate(item);
    if (located != 1) return located;
    // The file goes where the service put it; every later step works on that copy.
    if (lstrcmpiA(item.destDir.c_str(), item.appDir.c_str()) != 0) item.dst = JoinPath(item.destDir, file->m_strDestFile);
    CreateDestinationDirectories(item);
    return Install(item);
}

int CCopyThread::Locate(Item& item) {
    const std::string windows = WindowsDirectory();
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
            const INT_PTR answer = m_pPrompts->FileInUse(item.file->m_strDestFile);
            if (answer == IDCANCEL) return -1;
            if (answer == core::kAnswerIgnore) {
                ReportProgress(ItemBytes(*item.file));
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
    for (const std::string& directory : core::DirectoryTreePrefixes(item.destDir)) {
        if (DirectoryExists(directory) || !CreateDirectoryA(directory.c_str(), nullptr)) continue;
        if ((item.file->m_nFlags & FILEITEM_UNINSTALL) && m_pUninstallNotes)
            m_pUninstallNotes->RecordCreatedDirectory(directory);
    }
}

int CCopyThread::Install(Item& item) {
    const CFileItem& file = *item.file;
    DWORD force = 0;
    for (;;) {
        const DWORD bits = m_pVersionService->InstallFile(force, file.m_strSrcFile, file.m_strDestFile, item.srcDir,
                                                          item.destDir, item.curDir, item.tmpFile);
        item.lastResult = bits;
        const std::string temporary(core::BareTemporaryName(item.tmpFile));

        core::CopyAction action = core::CopyAction::Complete;
        switch (core::ClassifyInstallResult(bits)) {
        case core::InstallRow::Installed:
        case core::InstallRow::InUse:
        case core::InstallRow::Other:
            break;
        case core::InstallRow::SourceOlder:
            action = g_bOverwriteAllOlder ? core::CopyAction::Replace
                                          : core::ActionForConflictAnswer(static_cast<int>(m_pPrompts->SourceOlder(temporary, item.dst)));
            if (action == core::CopyAction::ReplaceAll) g_bOverwriteAllOlder = 1;
            break;
        case core::InstallRow::DifferentLanguage:
            action = g_bOverwriteAllDiffer
                         ? core::CopyAction::Replace
                         : core::ActionForConflictAnswer(static_cast<int>(m_pPrompts->DifferentLanguage(temporary, item.dst)));
            if (action == core::CopyAction::ReplaceAll) g_bOverwriteAllDiffer = 1;
            break;
        case core::InstallRow::WriteProtected: {
            int answer = g_nReadonlyAnswer;
            if (answer == -1) {
                bool dontAskAgain = false;
                answer = static_cast<int>(m_pPrompts->ReadOnly(item.dst, dontAskAgain));
                if (dontAskAgain && (answer == core::kAnswerYes || answer == core::kAnswerNo)) g_nReadonlyAnswer = answer;
            }
            action = core::ActionForReadonlyAnswer(answer);
            if (action == core::CopyAction::AskStop)
                action = core::ActionForStopAnswer(static_cast<int>(m_pPrompts->QueryCancel()));
            break;
        }
        case core::InstallRow::DifferentType:
            m_pPrompts->Message(IDD_DIFFERENT_FILE_TYPE);
            return StopItem(item);
        case core::InstallRow::OutOfSpace:
            m_pPrompts->Message(IDD_OUT_OF_DISK_SPACE);
            return StopItem(item);
        case core::InstallRow::AccessViolation:
            m_pPrompts->AccessViolation(file.m_strDestFile);
            return StopItem(item);
        case core::InstallRow::CannotCreate:
        case core::InstallRow::CannotDeleteOrRename:
            m_pPrompts->Message(IDD_CANNOT_CREATE_TEMP_FILE);
            return StopItem(item);
        case core::InstallRow::CannotDeleteCurrent:
            action = core::ActionForCannotDeleteCurrentAnswer(
                static_cast<int>(m_pPrompts->CannotDeleteCurrent(file.m_strDestFile)));
            break;
        case core::InstallRow::OutOfMemory:
            m_pPrompts->Message(IDD_OUT_OF_MEMORY);
            return StopItem(item);
        case core::InstallRow::CannotReadSource:
            m_pPrompts->CannotReadSource(item.src, item.srcDir);
            return StopItem(item);
        case core::InstallRow::CannotReadDest:
            m_pPrompts->CannotWriteDestination(item.dst);
            return StopItem(item);
        }

        switch (action) {
        case core::CopyAction::Complete:
            return Complete(item);
        case core::CopyAction::Replace:
        case core::CopyAction::ReplaceAll:
            if (!DeleteDestination(item)) {
                m_pPrompts->Message(IDD_CANNOT_CREATE_TEMP_FILE);
                return StopItem(item);
            }
            if (item.lastResult & core::kVifTempFile) {
                // The new file waits beside the old one: it takes the old one's place.
                MoveFileA(TemporaryPath(item).c_str(), item.dst.c_str());
                item.lastResult &= ~core::kVifTempFile;
                return Complete(item);
            }
            force = core::kViffForceInstall;
            break;
        case core::CopyAction::RetryForced:
            force = core::kViffForceInstall;
            break;
        case core::CopyAction::Retry:
            break;
        case core::CopyAction::AskStop:
        case core::CopyAction::Stop:
            return StopItem(item);
        }
    }
}

int CCopyThread::Complete(Item& item) {
    const CFileItem& file = *item.file;
    const DWORD attributes = GetFileAttributesA(item.src.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES)
        SetFileAttributesA(item.dst.c_str(), attributes & ~(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
    if ((file.m_nFlags & FILEITEM_SHAREDDLL) && !item.shared) {
        CRegProfile shared(kSharedDllsKey, HKEY_LOCAL_MACHINE);
        shared.WriteInt(item.dst.c_str(), shared.GetInt(item.dst.c_str(), 0) + 1);
    }
    if ((file.m_nFlags & FILEITEM_UNINSTALL) && m_pUninstallNotes) m_pUninstallNotes->RecordDeleteFile(item.dst);
    ReportProgress(ItemBytes(file));
    if (item.lastResult & core::kVifTempFile) DeleteFileA(TemporaryPath(item).c_str());
    return 1;
}

int CCopyThread::StopItem(Item& item) {
    if (item.lastResult & core::kVifTempFile) DeleteFileA(TemporaryPath(item).c_str());
    return -1;
}

std::string CCopyThread::TemporaryPath(const Item& item) const {
    return JoinPath(item.destDir, std::string(core::BareTemporaryName(item.tmpFile)));
}

bool CCopyThread::DeleteDestination(const Item& item) {
    const DWORD attributes = GetFileAttributesA(item.dst.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return true;
    SetFileAttributesA(item.dst.c_str(), attributes & ~(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM));
    return DeleteFileA(item.dst.c_str()) != FALSE;
}

void CCopyThread::ReportProgress(std::uint64_t bytes) {
    WaitWhilePaused();
    if (m_pCopyDialog && m_pCopyDialog->GetHwnd())
        SendMessageA(m_pCopyDialog->GetHwnd(), WM_COPY_PROGRESS, static_cast<WPARAM>(bytes), 0);
}

void CCopyThread::PostToDialog(UINT msg) {
    if (m_pCopyDialog && m_pCopyDialog->GetHwnd()) PostMessageA(m_pCopyDialog->GetHwnd(), msg, 0, 0);
}
