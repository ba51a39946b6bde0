#pragma once
// Byte-level helpers for Shift-JIS (code page 932) texts.
#include <cstddef>
#include <string>
#include <string_view>

namespace core {

// True for the first byte of a double-byte character (0x81-0x9F, 0xE0-0xFC). Inline, so
// that code scanning paths needs nothing else of this unit (the group helper links no
// C++ library, which the std::string functions below need).
inline bool IsShiftJisLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Upper-cases the ASCII letters of a text the way CharUpperA does on code page
// 932: the second byte of a double-byte character is never changed, even when
// it lies in 'a'..'z' (so "ッ", 0x83 0x61, does not turn into "ア", 0x83 0x41).
std::string ToUpperShiftJis(std::string_view text);

// True when the last character of the text is a backslash that is not the
// second byte of a double-byte character ("ソ" is 0x83 0x5C).
bool EndsWithBackslash(std::string_view text);

// The longest leading part of the text that has at most maxBytes bytes and does not
// end in the middle of a double-byte character.
std::string_view CutShiftJis(std::string_view text, std::size_t maxBytes);

}  // namespace core
