#pragma once
// The setup script's own text syntax: "[section]" headers and "key = value"
// lines, scanned byte by byte. Section and key names are kept exactly as
// written; duplicates all stay, in file order.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace core {

struct FileProfileEntry {
    std::string m_strKey;
    std::string m_strValue;
};

struct FileProfileSection {
    std::string m_strName;
    std::vector<FileProfileEntry> m_arrEntries;
};

using FileProfileSections = std::vector<FileProfileSection>;

// Turns lines into sections and entries, one line at a time.
class ProfileParser {
public:
    void AddLine(std::string_view line);
    // The sections parsed so far; the parser is empty afterwards.
    FileProfileSections TakeSections();
    // The sections parsed so far, for a reader that follows the parse line by line.
    const FileProfileSections& Sections() const { return m_sections; }

private:
    FileProfileSections m_sections;
};

// Parses a whole file's bytes, line by line as the mapped-file reader reads
// them. Reading stops as soon as fewer than two unread bytes remain, so a last
// line of a single byte without a line end is not read. Like the mapped file,
// only the first 2 GiB - 1 bytes count.
FileProfileSections ParseProfileText(std::string_view data);

// First section whose name equals the name exactly (case included), or null.
const FileProfileSection* FindProfileSection(const FileProfileSections& sections, std::string_view name);

}  // namespace core
