#include "core/CopyDecision.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "core/ItemRecords.h"
#include "core/TextFormat.h"

using namespace core;

TEST(CopyDecision, TheFirstMatchingRowOfTheTableDecides) {
    EXPECT_EQ(ClassifyInstallResult(0), InstallRow::Installed);
    // Several bits at once: the earlier row wins.
    EXPECT_EQ(ClassifyInstallResult(kVifSrcOld | kVifDiffLang | kVifTempFile), InstallRow::SourceOlder);
    EXPECT_EQ(ClassifyInstallResult(kVifDiffCodePage | kVifDiffType), InstallRow::DifferentLanguage);
    EXPECT_EQ(ClassifyInstallResult(kVifDiffType | kVifWriteProt), InstallRow::DifferentType);
    EXPECT_EQ(ClassifyInstallResult(kVifWriteProt | kVifFileInUse), InstallRow::WriteProtected);
    EXPECT_EQ(ClassifyInstallResult(kVifFileInUse | kVifOutOfSpace), InstallRow::InUse);
    EXPECT_EQ(ClassifyInstallResult(kVifOutOfSpace | kVifSharingViolation), InstallRow::OutOfSpace);
    EXPECT_EQ(ClassifyInstallResult(kVifSharingViolation | kVifCannotCreate), InstallRow::AccessViolation);
    EXPECT_EQ(ClassifyInstallResult(kVifCannotCreate | kVifCannotRename), InstallRow::CannotCreate);
    EXPECT_EQ(ClassifyInstallResult(kVifCannotRename | kVifCannotDeleteCur), InstallRow::CannotDeleteOrRename);
    EXPECT_EQ(ClassifyInstallResult(kVifCannotDeleteCur | kVifOutOfMemory), InstallRow::CannotDeleteCurrent);
    EXPECT_EQ(ClassifyInstallResult(kVifOutOfMemory | kVifCannotReadSrc), InstallRow::OutOfMemory);
    EXPECT_EQ(ClassifyInstallResult(kVifCannotReadSrc | kVifCannotReadDst), InstallRow::CannotReadSource);
    EXPECT_EQ(ClassifyInstallResult(kVifCannotReadDst), InstallRow::CannotReadDest);
    EXPECT_EQ(ClassifyInstallResult(kVifTempFile | kVifMismatch), InstallRow::Other);
    // The new file was not installed: never taken for done.
    EXPECT_EQ(ClassifyInstallResult(kVifBuffTooSmall | kVifTempFile), InstallRow::NotInstalled);
    EXPECT_EQ(ClassifyInstallResult(kVifCannotLoadLz32), InstallRow::NotInstalled);
}

TEST(CopyDecision, LocatingAndAnswers) {
    EXPECT_EQ(ClassifyLocateResult(0), LocateStep::UseDestDir);
    EXPECT_EQ(ClassifyLocateResult(kVffCurNeDest | kVffFileInUse), LocateStep::UseDestDir);
    EXPECT_EQ(ClassifyLocateResult(kVffBuffTooSmall | kVffFileInUse), LocateStep::UseAppDir);
    EXPECT_EQ(ClassifyLocateResult(kVffFileInUse), LocateStep::AskFileInUse);
    EXPECT_EQ(ClassifyLocateResult(0x10), LocateStep::LocateAgain);

    EXPECT_EQ(ActionForConflictAnswer(kAnswerYes), CopyAction::Replace);
    EXPECT_EQ(ActionForConflictAnswer(kAnswerOverwriteAll), CopyAction::ReplaceAll);
    EXPECT_EQ(ActionForConflictAnswer(kAnswerStop), CopyAction::Stop);
    EXPECT_EQ(ActionForConflictAnswer(kAnswerCancel), CopyAction::Complete);  // Esc keeps the old file
    EXPECT_EQ(ActionForReadonlyAnswer(kAnswerNo), CopyAction::Complete);
    EXPECT_EQ(ActionForReadonlyAnswer(kAnswerCancel), CopyAction::AskStop);
    EXPECT_EQ(ActionForStopAnswer(kAnswerOk), CopyAction::Retry);
    EXPECT_EQ(ActionForInUseAnswer(kAnswerOk), CopyAction::Retry);
    EXPECT_EQ(ActionForInUseAnswer(kAnswerIgnore), CopyAction::Skip);
    EXPECT_EQ(ActionForInUseAnswer(kAnswerCancel), CopyAction::Stop);
}

TEST(CopyDecision, TemporaryNamesFromWineAndWindows) {
    EXPECT_EQ(BareTemporaryName("\\ver1a.tmp"), "ver1a.tmp");
    EXPECT_EQ(BareTemporaryName("ver1a.tmp"), "ver1a.tmp");
    EXPECT_EQ(BareTemporaryName(""), "");
}

TEST(CopyDecision, ProgressNeverDividesByZeroNorOverflows) {
    EXPECT_EQ(ProgressPercent(30, 50), 60);
    EXPECT_EQ(ProgressPercent(0, 0), 100);
    const std::uint64_t big = 6'000'000'000ull;  // beyond 32 bits
    EXPECT_EQ(ProgressPercent(big / 2, big), 50);
    EXPECT_EQ(ProgressPercent(UINT64_MAX - 1, UINT64_MAX), 99);
    EXPECT_EQ(ProgressPercent(big + 1, big), 100);
}

TEST(CopyDecision, FileItemPathsAndSharedDirectories) {
    const FileItemFields plain("A", "1,\\DATA,A.DA_,0,,A.DAT,10,1");
    EXPECT_EQ(plain.GetSourcePath(), "$SRCDIR$\\DATA\\A.DA_");
    EXPECT_EQ(plain.GetDestPath(), "$INSTDIR$\\A.DAT");
    const FileItemFields sub("B", "1,,B.DA_,0,DATA\\SUB,B.DAT");
    EXPECT_EQ(sub.GetAppDir(), "$INSTDIR$\\DATA\\SUB");
    const FileItemFields system("C", "1,,C.DL_,0,$sysdir$,C.DLL");
    EXPECT_EQ(system.GetDestPath(), "$sysdir$\\C.DLL");
    EXPECT_TRUE(system.IsSharedFile());
    EXPECT_FALSE(FileItemFields("D", "1,,D.DL_,0,$SysDir$\\SUB,D.DLL").IsSharedFile());
    EXPECT_EQ(FormatWithNumber("%d 枚目", 12), "12 枚目");
}
