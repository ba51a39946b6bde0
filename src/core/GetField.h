#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace core {

// Where one field of an item line lies: bytes [begin, end) of the line, enclosing
// double quotes included.
struct FieldSpan {
    std::size_t begin = 0;
    std::size_t end = 0;
};

// The fields of an item line, as GetField cuts them: a double quote toggles quoting,
// and separators inside quotes do not split. Only the first byte of separator counts;
// an empty separator makes the whole line one field. insideQuotes, when given, tells
// whether the line ends with a quote still open (its later separators then did not count).
std::vector<FieldSpan> FieldSpans(std::string_view line, std::string_view separator = ",",
                                  bool* insideQuotes = nullptr);

// Cuts field number index (from 0) out of an item line. Only the first byte of
// separator counts. A double quote toggles quoting, and separators inside
// quotes do not split; one enclosing pair of double quotes is removed from the
// field; nothing is trimmed. A missing or empty field gives the default.
std::string GetField(std::string_view line, int index, std::string_view defaultValue = {},
                     std::string_view separator = ",");

}  // namespace core
