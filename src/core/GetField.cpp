#include "core/GetField.h"

namespace core {

std::vector<FieldSpan> FieldSpans(std::string_view line, std::string_view separator, bool* insideQuotes) {
    const char separatorByte = separator.empty() ? '\0' : separator.front();
    const bool splits = !separator.empty();
    std::vector<FieldSpan> spans;
    std::size_t start = 0;
    bool quoted = false;
    for (std::size_t position = 0; position < line.size(); ++position) {
        char c = line[position];
        if (c == '"') {
            quoted = !quoted;
        } else if (splits && c == separatorByte && !quoted) {
            spans.push_back({start, position});
            start = position + 1;
        }
    }
    spans.push_back({start, line.size()});
    if (insideQuotes) *insideQuotes = quoted;
    return spans;
}

std::string GetField(std::string_view line, int index, std::string_view defaultValue, std::string_view separator) {
    if (index < 0) return std::string(defaultValue);
    const std::vector<FieldSpan> spans = FieldSpans(line, separator);
    if (static_cast<std::size_t>(index) >= spans.size()) return std::string(defaultValue);  // the field is missing
    std::string_view field = line.substr(spans[index].begin, spans[index].end - spans[index].begin);
    if (!field.empty() && field.front() == '"' && field.back() == '"') {
        field = field.size() == 1 ? std::string_view() : field.substr(1, field.size() - 2);
    }
    if (field.empty()) return std::string(defaultValue);
    return std::string(field);
}

}  // namespace core
