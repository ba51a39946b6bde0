#pragma once
// Path scanning that respects Shift-JIS double-byte characters: the second byte of a
// character such as "ソ" (0x83 0x5C) is not a backslash.
#include <cstddef>
#include <string_view>

namespace core {

// True for a Shift-JIS lead byte (0x81-0x9F, 0xE0-0xFC).
bool IsShiftJisLeadByte(unsigned char byte);

// Index of the last real backslash of the path, or npos.
std::size_t FindLastBackslash(std::string_view path);

}  // namespace core
