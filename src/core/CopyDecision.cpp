#include "core/CopyDecision.h"

namespace core {

LocateStep ClassifyLocateResult(std::uint32_t bits) {
    if (bits == 0 || (bits & kVffCurNeDest)) return LocateStep::UseDestDir;
    if (bits & kVffBuffTooSmall) return LocateStep::UseAppDir;
    if (bits & kVffFileInUse) return LocateStep::AskFileInUse;
    return LocateStep::LocateAgain;
}

InstallRow ClassifyInstallResult(std::uint32_t bits) {
    struct Row {
        std::uint32_t bits;
        InstallRow row;
    };
    static constexpr Row kRows[] = {
        {kVifSrcOld, InstallRow::SourceOlder},
        {kVifDiffLang | kVifDiffCodePage, InstallRow::DifferentLanguage},
        {kVifDiffType, InstallRow::DifferentType},
        {kVifWriteProt, InstallRow::WriteProtected},
        {kVifFileInUse, InstallRow::InUse},
        {kVifOutOfSpace, InstallRow::OutOfSpace},
        {kVifAccessViolation | kVifSharingViolation, InstallRow::AccessViolation},
        {kVifCannotCreate, InstallRow::CannotCreate},
        {kVifCannotDelete | kVifCannotRename, InstallRow::CannotDeleteOrRename},
        {kVifCannotDeleteCur, InstallRow::CannotDeleteCurrent},
        {kVifOutOfMemory, InstallRow::OutOfMemory},
        {kVifCannotReadSrc, InstallRow::CannotReadSource},
        {kVifCannotReadDst, InstallRow::CannotReadDest},
        {kVifBuffTooSmall | kVifCannotLoadLz32, InstallRow::NotInstalled},
    };
    if (bits == 0) return InstallRow::Installed;
    for (const Row& row : kRows)
        if (bits & row.bits) return row.row;
    return InstallRow::Other;
}

CopyAction ActionForConflictAnswer(int answer) {
    switch (answer) {
    case kAnswerYes:
        return CopyAction::Replace;
    case kAnswerOverwriteAll:
        return CopyAction::ReplaceAll;
    case kAnswerStop:
        return CopyAction::Stop;
    default:
        return CopyAction::Complete;
    }
}

CopyAction ActionForReadonlyAnswer(int answer) {
    switch (answer) {
    case kAnswerYes:
        return CopyAction::Replace;
    case kAnswerCancel:
        return CopyAction::AskStop;
    default:
        return CopyAction::Complete;
    }
}

CopyAction ActionForStopAnswer(int answer) { return answer == kAnswerCancel ? CopyAction::Stop : CopyAction::Retry; }

CopyAction ActionForInUseAnswer(int answer) {
    switch (answer) {
    case kAnswerIgnore:
        return CopyAction::Skip;
    case kAnswerCancel:
        return CopyAction::Stop;
    default:
        return CopyAction::Retry;
    }
}

std::string_view BareTemporaryName(std::string_view name) {
    while (!name.empty() && name.front() == '\\') name.remove_prefix(1);
    return name;
}

int ProgressPercent(std::uint64_t done, std::uint64_t total) {
    if (total == 0 || done >= total) return 100;
    if (done <= UINT64_MAX / 100) return static_cast<int>(done * 100 / total);
    // Sizes this large cannot be multiplied first; dividing the total first can only
    // round up, and as done < total the bar is not full yet.
    const std::uint64_t percent = done / (total / 100);
    return percent > 99 ? 99 : static_cast<int>(percent);
}

}  // namespace core
