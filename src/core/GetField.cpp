#include "core/GetField.h"

namespace core {

namespace {

// Walks the fields of a line as GetField cuts them, calling found(span) for each until it
// returns false; tells whether the line ends inside quotes.
template <typename Found>
bool ForEachField(std::string_view line, std::string_view separator, Found found) {
    const char separatorByte = separator.empty() ? '\0' : separator.front();
    const bool splits = !separator.empty();
    std::size_t start = 0;
    bool quoted = false;
    for (std::size_t position = 0; position < line.size(); ++position) {
        const char c = line[position];
        if (c == '"') {
            quoted = !quoted;
        } else if (splits && c == separatorByte && !quoted) {
            if (!found(FieldSpan{start, position})) return quoted;
            start = position + 1;
        }
    }
    found(FieldSpan{start, line.size()});
    return quoted;
}

}  // namespace

std::vector<FieldSpan> FieldSpans(std::string_view line, std::string_view separator, bool* insideQuotes) {
    std::vector<FieldSpan> spans;
    const bool quoted = ForEachField(line, separator, [&](FieldSpan span) {
        spans.push_back(span);
        return true;
    });
    if (insideQuotes) *insideQuotes = quoted;
    return spans;
}

std::string GetField(std::string_view line, int index, std::string_view defaultValue, std::string_view separator) {
    if (index < 0) return std::string(defaultValue);
    // Read up to the field wanted, no further: item lines are cut field by field.
    int number = 0;
    bool present = false;
    FieldSpan wanted;
    ForEachField(line, separator, [&](FieldSpan span) {
        if (number++ < index) return true;
        wanted = span;
        present = true;
        return false;
    });
    if (!present) return std::string(defaultValue);  // the field is missing
    std::string_view field = line.substr(wanted.begin, wanted.end - wanted.begin);
    if (!field.empty() && field.front() == '"' && field.back() == '"') {
        field = field.size() == 1 ? std::string_view() : field.substr(1, field.size() - 2);
    }
    if (field.empty()) return std::string(defaultValue);
    return std::string(field);
}

}  // namespace core
