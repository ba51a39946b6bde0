#pragma once
// Paths named by the uninstall record, judged before anything is removed: the
// uninstaller acts only on full paths, never on a drive root or a folder the system
// needs, and compares paths the way the file system does (ASCII letters in any case,
// "/" as "\", a trailing backslash ignored). Second bytes of Shift-JIS characters
// ("ソ" is 0x83 0x5C) are never taken for separators.
#include <string>
#include <string_view>
#include <vector>

namespace core {

enum class RecordPathProblem {
    None,
    Relative,          // no drive and no server: it would depend on the current directory
    ParentReference,   // a part made of dots only ("..", "."): it would lead elsewhere
    DriveRoot,         // "C:\" or "\\server\share" itself
    ProtectedFolder,   // one of the protected folders itself, or a folder above one
};

// What keeps the uninstaller from acting on the path; None when it may.
RecordPathProblem CheckRecordPath(std::string_view path, const std::vector<std::string>& protectedFolders);

// The path as the file system compares it: "C:\A\B" for "c:/a\b\"; parts joined with
// single backslashes, ASCII letters upper-cased, trailing blanks and dots of each part
// dropped (the system drops them too). "" for a path of no parts.
std::string ComparablePath(std::string_view path);
// True when both name the same file or folder.
bool SamePath(std::string_view a, std::string_view b);
// True when the path lies below the folder (not the folder itself).
bool IsBelowFolder(std::string_view path, std::string_view folder);

// The folder that holds the path: up to, not including, its last backslash ("" without one).
std::string ParentFolder(std::string_view path);
// The name after the last backslash (the whole path without one).
std::string_view FileNameOf(std::string_view path);
// How many parts the path has ("C:\a\b" has three): deeper paths have more.
int PathDepth(std::string_view path);

// The INI file an INI note names: a name whose second character is ':' or '&' as it
// is, any other name in the Windows directory.
std::string IniNoteFile(std::string_view fileName, std::string_view windowsDirectory);

}  // namespace core
