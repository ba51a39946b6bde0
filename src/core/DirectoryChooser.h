#pragma once
// Path arithmetic of the directory chooser: where it starts and what its directory list
// shows. Backslashes are found byte by byte without taking the second byte of a
// double-byte character ("ソ" is 0x83 0x5C) for one.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace core {

// Cuts the path at its last backslash (dropping the backslash and what follows) until
// isDirectory accepts it or no backslash is left; returns what remains.
// "C:\A\B\C" with only C:\A existing gives "C:\A".
std::string FindExistingDirectory(std::string_view path, const std::function<bool(const std::string&)>& isDirectory);

// The path as the chooser keeps it: a bare drive "C:" becomes its root "C:\", and a
// trailing backslash is dropped except after the drive ("C:\a\" -> "C:\a").
std::string NormalizeDirectory(std::string_view path);

// The directory with a name appended, with exactly one backslash between them.
std::string JoinPath(std::string_view directory, std::string_view name);

// One level of a directory: its full path and the name the list shows for it.
struct DirectoryLevel {
    std::string path;
    std::string name;
    bool operator==(const DirectoryLevel&) const = default;
};

// The levels from the root down to the directory itself: "C:\a\b" gives
// {"C:\", "C:\"}, {"C:\a", "a"}, {"C:\a\b", "b"}. A UNC root "\\srv\share" is one level.
std::vector<DirectoryLevel> SplitDirectoryLevels(std::string_view path);

}  // namespace core
