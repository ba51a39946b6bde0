#pragma once
// Everything the copy engine asks the user or tells them, one operation per dialog.
// Each shows its dialog modally on the calling thread (the copy worker) without an
// owner and returns the button that closed it (IDCANCEL when it could not be shown).
// Tests replace them with scripted answers.
#include <windows.h>

#include <string>

class CCopyPrompts {
public:
    virtual ~CCopyPrompts() = default;

    // "%d 枚目のディスクに交換してください。": IDOK or IDCANCEL.
    virtual INT_PTR ChangeDisk(int disk);
    // The stop question: IDCANCEL "中止(&X)" or IDOK "再試行(&R)".
    virtual INT_PTR QueryCancel();
    // The existing file is in use (or the new one could not be put in place): IDOK retry,
    // 1027 ignore, IDCANCEL stop.
    virtual INT_PTR FileInUse(const std::string& fileName);
    // The new file is older: 1012, 1021, 1013, 1030 or IDCANCEL.
    virtual INT_PTR SourceOlder(const std::string& tempFileName, const std::string& destinationPath);
    // Another language or code page: 1012, 1021, 1013 or 1030.
    virtual INT_PTR DifferentLanguage(const std::string& tempFileName, const std::string& destinationPath);
    // A read-only file: 1012, 1013 or IDCANCEL; dontAskAgain tells whether the box was ticked.
    virtual INT_PTR ReadOnly(const std::string& destinationPath, bool& dontAskAgain);
    // Messages that end the installation.
    virtual void SourceMissing(const std::string& sourcePath);
    virtual void AccessViolation(const std::string& fileName);
    virtual void CannotReadSource(const std::string& sourcePath, const std::string& sourceDir);
    virtual void CannotWriteDestination(const std::string& destinationPath);
    // The messages without values: templates 155, 156, 157 and 165.
    virtual void Message(UINT templateId);
};
