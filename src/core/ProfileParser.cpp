#include "core/ProfileParser.h"

namespace core {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Value of an entry line: after the first "=" that follows the key, with the
// blanks after "=" skipped; "" when a ";" or the end comes first.
std::string_view EntryValue(std::string_view line, std::size_t keyEnd) {
    if (keyEnd >= line.size() || line[keyEnd] == ';') return {};
    std::size_t equals = line.find('=', keyEnd);
    if (equals == std::string_view::npos) return {};
    std::size_t start = equals + 1;
    while (start < line.size() && IsBlank(line[start])) ++start;
    if (start >= line.size() || line[start] == ';') return {};
    return line.substr(start);
}

}  // namespace

std::string_view ReadTextLine(std::string_view data, std::size_t& position) {
    if (position >= data.size()) return {};
    std::size_t end = position;
    while (end < data.size() && data[end] != '\0' && data[end] != '\n' && data[end] != '\r') ++end;
    std::string_view line = data.substr(position, end - position);
    if (end >= data.size()) {
        position = data.size();
        return line;
    }
    position = end + 1;
    if (data[end] == '\n' && position < data.size() && data[position] == '\r') ++position;
    return line;
}

void ProfileParser::AddLine(std::string_view line) {
    std::size_t start = 0;
    while (start < line.size() && IsBlank(line[start])) ++start;
    line.remove_prefix(start);
    if (line.empty() || line.front() == ';') return;

    if (line.front() == '[') {
        std::string_view name = line.substr(1);
        name = name.substr(0, name.find(']'));
        m_sections.push_back(FileProfileSection{std::string(name), {}});
        return;
    }
    if (m_sections.empty()) return;  // lines before the first header

    std::size_t keyEnd = 0;
    while (keyEnd < line.size() && !IsBlank(line[keyEnd]) && line[keyEnd] != ';' && line[keyEnd] != '=') ++keyEnd;
    m_sections.back().m_arrEntries.push_back(
        FileProfileEntry{std::string(line.substr(0, keyEnd)), std::string(EntryValue(line, keyEnd))});
}

FileProfileSections ProfileParser::TakeSections() {
    FileProfileSections sections = std::move(m_sections);
    m_sections.clear();
    return sections;
}

FileProfileSections ParseProfileText(std::string_view data) {
    ProfileParser parser;
    std::size_t position = 0;
    // "position < length - 1" of the file reader, without unsigned wrap-around.
    while (position + 1 < data.size()) parser.AddLine(ReadTextLine(data, position));
    return parser.TakeSections();
}

const FileProfileSection* FindProfileSection(const FileProfileSections& sections, std::string_view name) {
    for (const FileProfileSection& section : sections)
        if (section.m_strName == name) return &section;
    return nullptr;
}

}  // namespace core
