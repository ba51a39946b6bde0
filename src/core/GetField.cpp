#include "core/GetField.h"

namespace core {

std::string GetField(std::string_view line, int index, std::string_view defaultValue, std::string_view separator) {
    if (index < 0) return std::string(defaultValue);
    const char separatorByte = separator.empty() ? '\0' : separator.front();
    const bool splits = !separator.empty();

    std::size_t start = 0;
    int separatorsSeen = 0;
    bool quoted = false;
    std::size_t position = 0;
    // Find the start of the field: just after the index-th counted separator.
    for (; separatorsSeen < index && position < line.size(); ++position) {
        char c = line[position];
        if (c == '"') {
            quoted = !quoted;
        } else if (splits && c == separatorByte && !quoted) {
            ++separatorsSeen;
            start = position + 1;
        }
    }
    if (separatorsSeen < index) return std::string(defaultValue);  // the field is missing

    std::size_t end = start;
    for (; end < line.size(); ++end) {
        char c = line[end];
        if (c == '"') {
            quoted = !quoted;
        } else if (splits && c == separatorByte && !quoted) {
            break;
        }
    }
    std::string_view field = line.substr(start, end - start);
    if (!field.empty() && field.front() == '"' && field.back() == '"') {
        field = field.size() == 1 ? std::string_view() : field.substr(1, field.size() - 2);
    }
    if (field.empty()) return std::string(defaultValue);
    return std::string(field);
}

}  // namespace core
