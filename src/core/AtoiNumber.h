#pragma once
#include <string_view>

namespace core {

// Converts a number field as the C library's atoi reads it: leading blanks
// skipped, an optional sign, then the leading decimal digits; 0 without digits.
// Well defined for any input: values beyond the range of int saturate.
int AtoiNumber(std::string_view text);

}  // namespace core
