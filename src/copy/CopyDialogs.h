#pragma once
// The copy engine's conflict questions and error messages. Each is built from a template of its own, takes its values as strings
// (the parent window last, optional), and DoModal returns the identifier of the button
// that closed it; the caller decides what the answer means. Esc and the close box give
// IDCANCEL (2) unless a class says otherwise.
#include <windows.h>

#include <string>

#include "common/MessageDialog.h"
#include "common/StopDialogs.h"

// The destination file is in use (154): IDOK "再試行(&R)" (default), 1027 "無視(&I)",
// IDCANCEL "中止(&X)".
class CQueryFileInUseDialog : public CMessageDialog {
public:
    explicit CQueryFileInUseDialog(const std::string& fileName, HWND parent = nullptr);
};

// The two overwrite questions: text 1000 names the file, and beside "現在のファイル" and
// "新しいファイル:" stand the size and date lines of the existing file (the destination
// path) and of the new one (the temporary file the version service left in the
// destination directory). A path that matches no file keeps the template's "Static".
class CFileConflictDialog : public CMessageDialog {
public:
    const std::string& GetExistingFilePath() const { return m_strExistingPath; }
    const std::string& GetNewFilePath() const { return m_strNewPath; }

protected:
    // The temporary name may come with a leading backslash (as Wine's version service
    // returns it) or without (as Windows does).
    CFileConflictDialog(UINT templateId, const std::string& tempFileName, const std::string& destinationPath,
                        HWND parent);
    BOOL OnInitDialog() override;

private:
    std::string m_strExistingPath;
    std::string m_strNewPath;
};

// A different language or code page (153): 1012 "はい(&Y)" (default), 1021 "全てを上書き(&A)",
// 1013 "いいえ(&N)", 1030 "中止(&X)". 1030, Esc and the close box first ask
// CQueryCancelDialog; only its "中止(&X)" ends this dialog with 1030.
class CQueryOverwriteDialog : public CFileConflictDialog {
public:
    CQueryOverwriteDialog(const std::string& tempFileName, const std::string& destinationPath, HWND parent = nullptr);

protected:
    void OnButton(WORD id) override;
};

// The new file is older (162): 1012 "はい(&Y)", 1021 "全てを上書き(&A)", 1013 "いいえ(&N)"
// (default), 1030 "中止(&X)" at once; Esc gives IDCANCEL.
class CQuerySrcOldFileDialog : public CFileConflictDialog {
public:
    CQuerySrcOldFileDialog(const std::string& tempFileName, const std::string& destinationPath, HWND parent = nullptr);
};

// "読み取り専用ファイルの検出" (143): 1012 "はい(&Y)" (default), 1013 "いいえ(&N)",
// IDCANCEL "ｷｬﾝｾﾙ". Only 1012 and 1013 read the check box "次回からこのメッセージを出さない。"
// into m_bDontShowAgain; Cancel leaves it false.
class CDetectReadonlyFileDialog : public CMessageDialog {
public:
    explicit CDetectReadonlyFileDialog(const std::string& destinationPath, HWND parent = nullptr);
    bool m_bDontShowAgain = false;

protected:
    void OnButton(WORD id) override;
};

// A sharing violation on the destination file (158): IDOK "OK".
class CErrorAccessViolationDialog : public CMessageDialog {
public:
    explicit CErrorAccessViolationDialog(const std::string& fileName, HWND parent = nullptr);
};

// The source file is missing from the media (152); the path stands on its own line. IDOK "OK".
class CErrorNoExistSrcFileDialog : public CMessageDialog {
public:
    explicit CErrorNoExistSrcFileDialog(const std::string& sourcePath, HWND parent = nullptr);
};

// The source file cannot be read (161): the path and its directory. IDOK "中止".
class CFailReadFileDialog : public CMessageDialog {
public:
    CFailReadFileDialog(const std::string& sourcePath, const std::string& sourceDirectory, HWND parent = nullptr);
};

// The destination file cannot be written (160): the path, and in the second text the
// destination directory (the path up to its last backslash). IDOK "中止".
class CFailWriteFileDialog : public CMessageDialog {
public:
    explicit CFailWriteFileDialog(const std::string& destinationPath, HWND parent = nullptr);
};

// The messages without values: IDD_CANNOT_CREATE_TEMP_FILE (155), IDD_OUT_OF_MEMORY (156),
// IDD_OUT_OF_DISK_SPACE (157), IDD_DIFFERENT_FILE_TYPE (165). IDOK "OK".
class CPlainDialog : public CMessageDialog {
public:
    explicit CPlainDialog(UINT templateId, HWND parent = nullptr);
};
