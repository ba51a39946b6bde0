#pragma once
// Path scanning that respects Shift-JIS double-byte characters: the second byte of a
// character such as "ソ" (0x83 0x5C) is not a backslash.
#include <cstddef>
#include <string_view>

namespace core {

// Index of the last real backslash of the path, or npos.
std::size_t FindLastBackslash(std::string_view path);

}  // namespace core
