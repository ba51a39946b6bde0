#include "copy/CopyDialogs.h"

#include "core/DosDateTime.h"
#include "core/ShiftJisPath.h"
#include "framework/Handles.h"
#include "resources/dialog_ids.h"

namespace {

// The size and date lines of the file the path names, from a directory search: entries
// whose name begins with a dot are skipped and the last match counts. False when nothing
// matches; the date line stays empty when the time has no packed FAT form.
bool ReadFileLines(const std::string& path, std::string& sizeLine, std::string& dateLine) {
    WIN32_FIND_DATAA data = {};
    fw::FindHandle find(FindFirstFileA(path.c_str(), &data));
    if (!find) return false;
    bool found = false;
    WIN32_FIND_DATAA last = {};
    do {
        if (data.cFileName[0] == '.') continue;
        last = data;
        found = true;
    } while (FindNextFileA(find.Get(), &data));
    if (!found) return false;

    sizeLine = core::FormatSizeLine((static_cast<std::uint64_t>(last.nFileSizeHigh) << 32) | last.nFileSizeLow);
    dateLine.clear();
    FILETIME local = {};
    core::DosDateTime packed;
    if (FileTimeToLocalFileTime(&last.ftLastWriteTime, &local) &&
        FileTimeToDosDateTime(&local, &packed.date, &packed.time))
        dateLine = core::FormatDateLine(packed);
    return true;
}

// The parts of a path before and after its last backslash (Shift-JIS aware); without a
// backslash the whole path is the name.
std::string DirectoryPart(const std::string& path) {
    const std::size_t slash = core::FindLastBackslash(path);
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string NamePart(const std::string& path) {
    const std::size_t slash = core::FindLastBackslash(path);
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

CQueryFileInUseDialog::CQueryFileInUseDialog(const std::string& fileName, HWND parent)
    : CMessageDialog(IDD_QUERY_FILE_IN_USE, parent) {
    FillFormat(IDC_MESSAGE_TEXT, fileName);
}

CFileConflictDialog::CFileConflictDialog(UINT templateId, const std::string& tempFileName,
                                         const std::string& destinationPath, HWND parent)
    : CMessageDialog(templateId, parent), m_strExistingPath(destinationPath) {
    const std::string directory = DirectoryPart(destinationPath);
    const bool tempHasBackslash = !tempFileName.empty() && tempFileName.front() == '\\';
    m_strNewPath = directory + (tempHasBackslash ? "" : "\\") + tempFileName;
    FillFormat(IDC_MESSAGE_TEXT, NamePart(destinationPath));
}

BOOL CFileConflictDialog::OnInitDialog() {
    const BOOL result = CMessageDialog::OnInitDialog();
    struct Lines {
        const std::string& path;
        int sizeId;
        int dateId;
    };
    for (const Lines& lines : {Lines{m_strExistingPath, IDC_CURRENT_FILE_SIZE, IDC_CURRENT_FILE_DATE},
                               Lines{m_strNewPath, IDC_NEW_FILE_SIZE, IDC_NEW_FILE_DATE}}) {
        std::string size, date;
        if (!ReadFileLines(lines.path, size, date)) continue;
        SetItemText(lines.sizeId, size);
        if (!date.empty()) SetItemText(lines.dateId, date);
    }
    return result;
}

CQueryOverwriteDialog::CQueryOverwriteDialog(const std::string& tempFileName, const std::string& destinationPath,
                                             HWND parent)
    : CFileConflictDialog(IDD_QUERY_OVERWRITE, tempFileName, destinationPath, parent) {}

void CQueryOverwriteDialog::OnButton(WORD id) {
    if (id == IDC_ANSWER_STOP || id == IDCANCEL) {
        // Only a confirmed stop ends the question; "再試行(&R)" leaves it open.
        CQueryCancelDialog question(m_hWnd);
        if (question.DoModal() == IDCANCEL) EndDialog(IDC_ANSWER_STOP);
        return;
    }
    CFileConflictDialog::OnButton(id);
}

CQuerySrcOldFileDialog::CQuerySrcOldFileDialog(const std::string& tempFileName, const std::string& destinationPath,
                                               HWND parent)
    : CFileConflictDialog(IDD_QUERY_SRC_OLD_FILE, tempFileName, destinationPath, parent) {}

CDetectReadonlyFileDialog::CDetectReadonlyFileDialog(const std::string& destinationPath, HWND parent)
    : CMessageDialog(IDD_DETECT_READONLY_FILE, parent) {
    FillFormat(IDC_READONLY_FILE_TEXT, destinationPath);
}

void CDetectReadonlyFileDialog::OnButton(WORD id) {
    if (id == IDC_ANSWER_YES || id == IDC_ANSWER_NO) m_bDontShowAgain = IsDlgButtonChecked(m_hWnd, IDC_DONT_SHOW_AGAIN) == BST_CHECKED;
    CMessageDialog::OnButton(id);
}

CErrorAccessViolationDialog::CErrorAccessViolationDialog(const std::string& fileName, HWND parent)
    : CMessageDialog(IDD_ERROR_ACCESS_VIOLATION, parent) {
    FillFormat(IDC_MESSAGE_TEXT, fileName);
}

CErrorNoExistSrcFileDialog::CErrorNoExistSrcFileDialog(const std::string& sourcePath, HWND parent)
    : CMessageDialog(IDD_ERROR_NO_EXIST_SRC_FILE, parent) {
    FillText(IDC_SOURCE_PATH, sourcePath);
}

CFailReadFileDialog::CFailReadFileDialog(const std::string& sourcePath, const std::string& sourceDirectory,
                                         HWND parent)
    : CMessageDialog(IDD_FAIL_READ_FILE, parent) {
    FillFormat(IDC_MESSAGE_TEXT, sourcePath);
    FillFormat(IDC_MESSAGE_TEXT2, sourceDirectory);
}

CFailWriteFileDialog::CFailWriteFileDialog(const std::string& destinationPath, HWND parent)
    : CMessageDialog(IDD_FAIL_WRITE_FILE, parent) {
    FillFormat(IDC_MESSAGE_TEXT, destinationPath);
    FillFormat(IDC_MESSAGE_TEXT2, DirectoryPart(destinationPath));
}

CPlainDialog::CPlainDialog(UINT templateId, HWND parent) : CMessageDialog(templateId, parent) {}
