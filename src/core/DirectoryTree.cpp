#include "core/DirectoryTree.h"

#include "core/ShiftJis.h"

namespace core {

std::vector<std::string> DirectoryTreePrefixes(std::string_view path) {
    // The first four bytes hold the drive and root ("C:\x") or the UNC start.
    constexpr size_t kFirstSeparatorIndex = 4;
    std::vector<std::string> prefixes;
    for (size_t i = 0; i < path.size(); ++i) {
        if (IsShiftJisLeadByte(static_cast<unsigned char>(path[i]))) {
            ++i;
        } else if (path[i] == '\\' && i >= kFirstSeparatorIndex) {
            prefixes.emplace_back(path.substr(0, i));
        }
    }
    prefixes.emplace_back(path);
    return prefixes;
}

}  // namespace core
