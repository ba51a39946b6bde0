#pragma once
// Filling the "%s" places of a fixed text with a value. The value is an argument, never
// a format: a '%' inside it is kept as it is.
#include <string>
#include <string_view>

namespace core {

// Every "%s" of the format becomes the value, "%%" becomes "%"; any other byte, and a
// '%' followed by anything else, is copied. Double-byte characters are skipped whole.
std::string FormatPercentS(std::string_view format, std::string_view value);

}  // namespace core
