#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace core {

// The directories to create, parents first, for a path such as "C:\a\b\c": the
// prefix before each backslash found from the fifth byte on ("C:\a", "C:\a\b"),
// then the whole path. The second byte of a double-byte character is never
// taken for a backslash ("C:\ソフト" keeps its "ソ", 0x83 0x5C).
std::vector<std::string> DirectoryTreePrefixes(std::string_view path);

}  // namespace core
