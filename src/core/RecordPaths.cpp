#include "core/RecordPaths.h"

#include "core/ShiftJis.h"
#include "core/ShiftJisPath.h"
#include "core/UpdateCommands.h"

namespace core {

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// The parts between separators, empty ones left out.
std::vector<std::string_view> PathParts(std::string_view path) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= path.size(); ++i) {
        if (i < path.size() && IsShiftJisLeadByte(static_cast<unsigned char>(path[i])) && i + 1 < path.size()) {
            ++i;
            continue;
        }
        if (i == path.size() || IsSeparator(path[i])) {
            if (i > start) parts.push_back(path.substr(start, i - start));
            start = i + 1;
        }
    }
    return parts;
}

bool IsDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool IsUncPath(std::string_view path) { return path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1]); }

// The part without the trailing blanks and dots the file system ignores.
std::string_view WithoutTrailingDots(std::string_view part) {
    while (!part.empty() && (part.back() == '.' || part.back() == ' ')) part.remove_suffix(1);
    return part;
}

}  // namespace

std::string ComparablePath(std::string_view path) {
    std::string comparable = IsUncPath(path) ? "\\\\" : "";
    bool first = true;
    for (std::string_view part : PathParts(path)) {
        if (!first) comparable += '\\';
        first = false;
        comparable += ToUpperShiftJis(WithoutTrailingDots(part));
    }
    return comparable;
}

bool SamePath(std::string_view a, std::string_view b) { return ComparablePath(a) == ComparablePath(b); }

bool IsBelowFolder(std::string_view path, std::string_view folder) {
    const std::string inner = ComparablePath(path);
    const std::string outer = ComparablePath(folder);
    return !outer.empty() && inner.size() > outer.size() + 1 && inner.compare(0, outer.size(), outer) == 0 &&
           inner[outer.size()] == '\\';
}

RecordPathProblem CheckRecordPath(std::string_view path, const std::vector<std::string>& protectedFolders) {
    const std::vector<std::string_view> parts = PathParts(path);
    std::size_t rootParts = 0;
    if (IsUncPath(path)) {
        rootParts = 2;  // server and share
        if (!parts.empty() && (parts[0] == "?" || parts[0] == ".")) return RecordPathProblem::Relative;
    } else if (path.size() >= 3 && IsDriveLetter(path[0]) && path[1] == ':' && IsSeparator(path[2])) {
        rootParts = 1;
    } else {
        return RecordPathProblem::Relative;
    }
    for (std::string_view part : parts)
        if (WithoutTrailingDots(part).empty()) return RecordPathProblem::ParentReference;
    if (parts.size() <= rootParts) return RecordPathProblem::DriveRoot;
    for (const std::string& folder : protectedFolders) {
        if (ComparablePath(folder).empty()) continue;
        if (SamePath(path, folder) || IsBelowFolder(folder, path)) return RecordPathProblem::ProtectedFolder;
    }
    return RecordPathProblem::None;
}

std::string ParentFolder(std::string_view path) {
    const std::size_t slash = FindLastBackslash(path);
    return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash));
}

std::string_view FileNameOf(std::string_view path) {
    const std::size_t slash = FindLastBackslash(path);
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

int PathDepth(std::string_view path) { return static_cast<int>(PathParts(path).size()); }

std::string IniNoteFile(std::string_view fileName, std::string_view windowsDirectory) {
    if (IsIniPathAsGiven(fileName)) return std::string(fileName);
    std::string path(windowsDirectory);
    path += '\\';
    path += fileName;
    return path;
}

}  // namespace core
