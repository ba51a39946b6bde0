#pragma once
// What the copy engine does with each answer of the platform's version service
// (where a file belongs, and how installing it went) and with each answer of the user.
// Only the decisions live here; the engine makes the calls and shows the questions.
#include <cstdint>
#include <string>
#include <string_view>

namespace core {

// Result bits of locating a file (the platform's VFF_ values).
constexpr std::uint32_t kVffCurNeDest = 0x1;
constexpr std::uint32_t kVffFileInUse = 0x2;
constexpr std::uint32_t kVffBuffTooSmall = 0x4;

// Result bits of installing a file (the platform's VIF_ values).
constexpr std::uint32_t kVifTempFile = 0x1;
constexpr std::uint32_t kVifMismatch = 0x2;
constexpr std::uint32_t kVifSrcOld = 0x4;
constexpr std::uint32_t kVifDiffLang = 0x8;
constexpr std::uint32_t kVifDiffCodePage = 0x10;
constexpr std::uint32_t kVifDiffType = 0x20;
constexpr std::uint32_t kVifWriteProt = 0x40;
constexpr std::uint32_t kVifFileInUse = 0x80;
constexpr std::uint32_t kVifOutOfSpace = 0x100;
constexpr std::uint32_t kVifAccessViolation = 0x200;
constexpr std::uint32_t kVifSharingViolation = 0x400;
constexpr std::uint32_t kVifCannotCreate = 0x800;
constexpr std::uint32_t kVifCannotDelete = 0x1000;
constexpr std::uint32_t kVifCannotRename = 0x2000;
constexpr std::uint32_t kVifCannotDeleteCur = 0x4000;
constexpr std::uint32_t kVifOutOfMemory = 0x8000;
constexpr std::uint32_t kVifCannotReadSrc = 0x10000;
constexpr std::uint32_t kVifCannotReadDst = 0x20000;
constexpr std::uint32_t kVifBuffTooSmall = 0x40000;
constexpr std::uint32_t kVifCannotLoadLz32 = 0x80000;

// The flag that makes the version service install without comparing (VIFF_FORCEINSTALL),
// and the one that keeps it from deleting a copy found elsewhere (VIFF_DONTDELETEOLD).
constexpr std::uint32_t kViffForceInstall = 0x1;
constexpr std::uint32_t kViffDontDeleteOld = 0x2;

// Answers (button identifiers) the decisions look at.
constexpr int kAnswerOk = 1;              // also "再試行(&R)", "はい(&Y)" where they are 1
constexpr int kAnswerCancel = 2;          // "中止(&X)" of the stop question, "ｷｬﾝｾﾙ"
constexpr int kAnswerYes = 1012;
constexpr int kAnswerNo = 1013;
constexpr int kAnswerOverwriteAll = 1021;
constexpr int kAnswerIgnore = 1027;
constexpr int kAnswerStop = 1030;

// What to do after locating a file.
enum class LocateStep {
    UseDestDir,   // install into the directory the service named
    UseAppDir,    // the service's buffers were too small: install into the item's directory
    AskFileInUse, // the existing copy is in use: ask the user
    LocateAgain,  // none of the known bits: ask the service again
};
LocateStep ClassifyLocateResult(std::uint32_t bits);
// Asking again for an answer without any known bit is bounded: after this many tries
// the engine goes on with the directory the service named rather than loop forever.
constexpr int kMaxLocateTries = 3;

// The rows of the installation table: the first row whose bits are set decides.
enum class InstallRow {
    Installed,            // 0: the file is in place
    SourceOlder,          // VIF_SRCOLD
    DifferentLanguage,    // VIF_DIFFLANG or VIF_DIFFCODEPG
    DifferentType,        // VIF_DIFFTYPE
    WriteProtected,       // VIF_WRITEPROT
    InUse,                // VIF_FILEINUSE: the existing file is in use, the new one not installed
    OutOfSpace,           // VIF_OUTOFSPACE
    AccessViolation,      // VIF_ACCESSVIOLATION or VIF_SHARINGVIOLATION
    CannotCreate,         // VIF_CANNOTCREATE
    CannotDeleteOrRename, // VIF_CANNOTDELETE or VIF_CANNOTRENAME
    CannotDeleteCurrent,  // VIF_CANNOTDELETECUR
    OutOfMemory,          // VIF_OUTOFMEMORY
    CannotReadSource,     // VIF_CANNOTREADSRC
    CannotReadDest,       // VIF_CANNOTREADDST
    NotInstalled,         // VIF_BUFFTOOSMALL or VIF_CANNOTLOADLZ32: the new file was not installed
    Other,                // anything else (VIF_TEMPFILE with VIF_MISMATCH alone, ...): the existing file stays
};
InstallRow ClassifyInstallResult(std::uint32_t bits);

// What the engine does next with the file it is installing.
enum class CopyAction {
    Complete,      // the item is done; an existing file may have been left in place
    Replace,       // replace the existing file with the new one
    ReplaceAll,    // replace, and from now on replace without asking for this kind of conflict
    Retry,         // install again with the same arguments
    AskStop,       // ask the stop question: stop on "中止(&X)", else retry
    Stop,          // stop the installation
    Skip,          // leave this file out: not installed, not noted, its bytes count as done
};

// The actions behind the questions.
// The older-file and the language / code-page questions: yes, overwrite all, stop, or
// (anything else, no or Esc) keep the existing file.
CopyAction ActionForConflictAnswer(int answer);
// The read-only question: yes replaces, no keeps, cancel asks the stop question;
// anything else keeps the existing file.
CopyAction ActionForReadonlyAnswer(int answer);
// The stop question asked from the read-only question: stop, or install again.
CopyAction ActionForStopAnswer(int answer);
// The question about a file that is in use (or could not be written): ignore leaves the
// file out, stop stops, anything else ("再試行(&R)") tries again.
CopyAction ActionForInUseAnswer(int answer);

// The temporary file name the version service reports: Windows returns a bare name,
// Wine one with a leading backslash. Returns the bare name.
std::string_view BareTemporaryName(std::string_view name);

// Whole percentage of done over total, rounded down, 0..100 for any 64-bit sizes.
// An empty total counts as complete.
int ProgressPercent(std::uint64_t done, std::uint64_t total);

}  // namespace core
