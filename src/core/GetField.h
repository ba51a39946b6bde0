#pragma once
#include <string>
#include <string_view>

namespace core {

// Cuts field number index (from 0) out of an item line. Only the first byte of
// separator counts. A double quote toggles quoting, and separators inside
// quotes do not split; one enclosing pair of double quotes is removed from the
// field; nothing is trimmed. A missing or empty field gives the default.
std::string GetField(std::string_view line, int index, std::string_view defaultValue = {},
                     std::string_view separator = ",");

}  // namespace core
