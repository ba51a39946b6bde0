#include "copy/CopyPrompts.h"

#include "copy/ChangeDiskDialog.h"
#include "copy/CopyDialogs.h"

namespace {

// A question that could not be shown counts as "stop": asking again would only fail again.
INT_PTR Answer(INT_PTR result) { return result == -1 ? IDCANCEL : result; }

}  // namespace

INT_PTR CCopyPrompts::ChangeDisk(int disk) { return Answer(CChangeDiskDialog(disk).DoModal()); }

INT_PTR CCopyPrompts::QueryCancel() { return Answer(CQueryCancelDialog().DoModal()); }

INT_PTR CCopyPrompts::FileInUse(const std::string& fileName) { return Answer(CQueryFileInUseDialog(fileName).DoModal()); }

INT_PTR CCopyPrompts::SourceOlder(const std::string& tempFileName, const std::string& destinationPath) {
    return Answer(CQuerySrcOldFileDialog(tempFileName, destinationPath).DoModal());
}

INT_PTR CCopyPrompts::DifferentLanguage(const std::string& tempFileName, const std::string& destinationPath) {
    return Answer(CQueryOverwriteDialog(tempFileName, destinationPath).DoModal());
}

INT_PTR CCopyPrompts::ReadOnly(const std::string& destinationPath, bool& dontAskAgain) {
    CDetectReadonlyFileDialog dialog(destinationPath);
    const INT_PTR answer = Answer(dialog.DoModal());
    dontAskAgain = dialog.m_bDontShowAgain;
    return answer;
}

void CCopyPrompts::SourceMissing(const std::string& sourcePath) { CErrorNoExistSrcFileDialog(sourcePath).DoModal(); }

void CCopyPrompts::AccessViolation(const std::string& fileName) { CErrorAccessViolationDialog(fileName).DoModal(); }

void CCopyPrompts::CannotReadSource(const std::string& sourcePath, const std::string& sourceDir) {
    CFailReadFileDialog(sourcePath, sourceDir).DoModal();
}

void CCopyPrompts::CannotWriteDestination(const std::string& destinationPath) {
    CFailWriteFileDialog(destinationPath).DoModal();
}

void CCopyPrompts::Message(UINT templateId) { CPlainDialog(templateId).DoModal(); }
