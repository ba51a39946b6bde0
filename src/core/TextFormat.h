#pragma once
// Filling a dialog text that carries "%s" or "%d" with one value.
#include <string>
#include <string_view>

namespace core {

// The text with every "%s" replaced by the argument and "%%" by "%"; any other "%" stays
// as it is. The argument is copied verbatim, never read as a format, so a file name with
// "%" in it comes out unchanged. Safe on Shift-JIS: "%" is never the second byte of a
// double-byte character.
std::string FormatWithArgument(std::string_view format, std::string_view argument);
// The text with every "%d" replaced by the number in decimal and "%%" by "%".
std::string FormatWithNumber(std::string_view format, long long number);

}  // namespace core
