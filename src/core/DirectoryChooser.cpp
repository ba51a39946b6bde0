#include "core/DirectoryChooser.h"

#include "core/ShiftJis.h"
#include "core/ShiftJisPath.h"

namespace core {

namespace {

bool HasDrivePrefix(std::string_view path) {
    if (path.size() < 2 || path[1] != ':') return false;
    const char letter = path[0];
    return (letter >= 'A' && letter <= 'Z') || (letter >= 'a' && letter <= 'z');
}

// Positions of the real backslashes of the path.
std::vector<std::size_t> BackslashPositions(std::string_view path) {
    std::vector<std::size_t> positions;
    for (std::size_t i = 0; i < path.size(); ++i) {
        const unsigned char byte = static_cast<unsigned char>(path[i]);
        if (IsShiftJisLeadByte(byte) && i + 1 < path.size())
            ++i;
        else if (byte == '\\')
            positions.push_back(i);
    }
    return positions;
}

}  // namespace

std::string FindExistingDirectory(std::string_view path, const std::function<bool(const std::string&)>& isDirectory) {
    std::string current(path);
    while (!isDirectory(current)) {
        const std::size_t cut = FindLastBackslash(current);
        if (cut == std::string::npos) break;
        current.erase(cut);
    }
    return current;
}

std::string NormalizeDirectory(std::string_view path) {
    std::string result(path);
    if (HasDrivePrefix(result) && result.size() == 2) return result + '\\';
    while (EndsWithBackslash(result)) {
        const bool driveRoot = HasDrivePrefix(result) && result.size() == 3;
        if (driveRoot || result.size() == 1) break;
        result.pop_back();
    }
    return result;
}

std::string JoinPath(std::string_view directory, std::string_view name) {
    std::string result(directory);
    if (!result.empty() && !EndsWithBackslash(result)) result += '\\';
    result += name;
    return result;
}

std::vector<DirectoryLevel> SplitDirectoryLevels(std::string_view path) {
    const std::string normalized = NormalizeDirectory(path);
    const std::vector<std::size_t> backslashes = BackslashPositions(normalized);
    std::vector<DirectoryLevel> levels;
    if (normalized.empty()) return levels;

    // The root and where the first name after it starts.
    std::size_t rootEnd = 0;  // bytes of the root as it appears in the path
    std::string root;
    std::size_t next = 0;  // index into backslashes of the first one after the root
    if (HasDrivePrefix(normalized)) {
        root = normalized.substr(0, 2) + '\\';
        rootEnd = normalized.size() > 2 && normalized[2] == '\\' ? 3 : 2;
        while (next < backslashes.size() && backslashes[next] < rootEnd) ++next;
    } else if (normalized.rfind("\\\\", 0) == 0) {
        // \\server\share: the root ends at the backslash after the share name.
        while (next < backslashes.size() && backslashes[next] < 2) ++next;
        std::size_t shareEnd = normalized.size();
        if (next + 1 < backslashes.size()) {
            shareEnd = backslashes[next + 1];
            next += 2;
        } else {
            next = backslashes.size();
        }
        root = normalized.substr(0, shareEnd);
        rootEnd = shareEnd < normalized.size() ? shareEnd + 1 : shareEnd;
    } else {
        // A relative path: its first name is the top level.
        const std::size_t firstEnd = backslashes.empty() ? normalized.size() : backslashes[0];
        root = normalized.substr(0, firstEnd);
        rootEnd = firstEnd < normalized.size() ? firstEnd + 1 : firstEnd;
        next = backslashes.empty() ? 0 : 1;
    }
    levels.push_back({root, root});

    std::string current = root;
    std::size_t start = rootEnd;
    while (start < normalized.size()) {
        const std::size_t end = next < backslashes.size() ? backslashes[next++] : normalized.size();
        if (end > start) {
            const std::string name = normalized.substr(start, end - start);
            current = JoinPath(current, name);
            levels.push_back({current, name});
        }
        start = end + 1;
    }
    return levels;
}

}  // namespace core
