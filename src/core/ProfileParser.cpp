#include "core/ProfileParser.h"

#include "core/MemoryReader.h"

#include <climits>

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
    if (data.size() > static_cast<std::size_t>(INT_MAX)) data = data.substr(0, INT_MAX);
    const int length = static_cast<int>(data.size());
    ProfileParser parser;
    std::string line;
    int position = 0;
    while (position < length - 1) {
        ReadLineAt(data, position, line);
        parser.AddLine(line);
    }
    return parser.TakeSections();
}

const FileProfileSection* FindProfileSection(const FileProfileSections& sections, std::string_view name) {
    for (const FileProfileSection& section : sections)
        if (section.m_strName == name) return &section;
    return nullptr;
}

}  // namespace core
