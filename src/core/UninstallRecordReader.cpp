#include "core/UninstallRecordReader.h"

#include "core/ShiftJis.h"
#include "core/UninstallRecordText.h"

#include <array>
#include <set>

namespace core {

namespace {

constexpr std::array<std::string_view, kRecordSectionCount> kSectionNames = {
    "DeleteFile",       "DeleteShortCut",   "UnregisterOcx",      "UnregisterAutomation", "DeleteIniFile",
    "DeleteIniSection", "DeleteIniKeyword", "DeleteIniValue",     "DeleteProgramGroup",   "DeleteDirectory",
    "RestoreIniValue",  "DeleteRegValue",   "DeleteRegKey",       "RestoreRegValue",      "ReleaseSharedFile",
    "DeleteProgramItem",
};
constexpr std::string_view kConfig = "Config";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// The section a header names: 0..kRecordSectionCount-1, kRecordSectionCount for Config,
// -1 for any other.
int SectionIndex(std::string_view name) {
    const std::string folded = ToUpperShiftJis(name);
    for (int index = 0; index < kRecordSectionCount; ++index)
        if (folded == ToUpperShiftJis(kSectionNames[index])) return index;
    return folded == ToUpperShiftJis(kConfig) ? kRecordSectionCount : -1;
}

// How many fields a note of the section has; 0 for the sections of one whole value.
int FieldCount(RecordSection section) {
    switch (section) {
    case RecordSection::DeleteIniSection:
    case RecordSection::DeleteRegValue:
    case RecordSection::DeleteProgramItem:
        return 2;
    case RecordSection::DeleteIniKeyword:
    case RecordSection::DeleteIniValue:
        return 3;
    case RecordSection::RestoreIniValue:
    case RecordSection::RestoreRegValue:
        return 4;
    default:
        return 0;
    }
}

// A whole value that is one quoted field, unquoted; any other value as it is.
std::string WholeValue(std::string_view value) {
    std::vector<std::string> fields;
    if (value.size() >= 2 && value.front() == '"' && SplitRecordFields(value, fields) && fields.size() == 1)
        return fields.front();
    return std::string(value);
}

bool IsRegistryKeyPath(std::string_view path) {
    RegistryRoot root;
    std::string subKey;
    return SplitRegistryKeyPath(path, root, subKey);
}

}  // namespace

std::string_view RecordSectionName(RecordSection section) { return kSectionNames[static_cast<int>(section)]; }

bool ReadRecordNote(RecordNote& note) {
    const int count = FieldCount(note.section);
    if (count == 0) {
        note.fields.assign(1, WholeValue(note.value));
        if (note.fields[0].empty()) return false;
        return note.section != RecordSection::DeleteRegKey || IsRegistryKeyPath(note.fields[0]);
    }
    if (!SplitRecordFields(note.value, note.fields) || static_cast<int>(note.fields.size()) != count) return false;
    const std::vector<std::string>& f = note.fields;
    switch (note.section) {
    case RecordSection::DeleteIniSection:
    case RecordSection::DeleteProgramItem:
        return !f[0].empty() && !f[1].empty();
    case RecordSection::DeleteIniKeyword:
    case RecordSection::DeleteIniValue:
    case RecordSection::RestoreIniValue:
        // A key written as nothing would name the whole section to the profile writer.
        return !f[0].empty() && !f[1].empty() && !f[2].empty();
    case RecordSection::DeleteRegValue:
        return IsRegistryKeyPath(f[0]);
    case RecordSection::RestoreRegValue: {
        std::uint32_t type = 0;
        std::string bytes;
        return IsRegistryKeyPath(f[0]) && ParseRecordNumber(f[2], type) && ParseRegistryData(type, f[3], bytes);
    }
    default:
        return false;
    }
}

UninstallRecordContents ReadUninstallRecordText(std::string_view text) {
    UninstallRecordContents contents;
    std::array<std::vector<RecordNote>, kRecordSectionCount> bySection;
    std::array<std::set<std::string>, kRecordSectionCount + 1> keysSeen;
    bool productSeen = false, regSeen = false;
    int current = -1;

    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        line = Trimmed(line);
        if (line.empty()) continue;

        if (line.front() == '[') {
            const std::size_t close = line.find(']');
            if (close == std::string_view::npos) continue;
            current = SectionIndex(Trimmed(line.substr(1, close - 1)));
            if (current == kRecordSectionCount) contents.hasConfig = true;
            continue;
        }
        if (current < 0) continue;
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) continue;
        const std::string_view key = Trimmed(line.substr(0, equals));
        const std::string_view value = Trimmed(line.substr(equals + 1));
        if (!keysSeen[current].insert(ToUpperShiftJis(key)).second) continue;  // the first one counts

        if (current == kRecordSectionCount) {
            const std::string name = ToUpperShiftJis(key);
            if (name == "PRODUCT" && !productSeen) {
                contents.product.assign(value);
                productSeen = true;
            } else if (name == "REG" && !regSeen) {
                contents.reg.assign(value);
                regSeen = true;
            }
            continue;
        }
        if (value.empty()) continue;
        RecordNote note;
        note.section = static_cast<RecordSection>(current);
        note.value.assign(value);
        if (ReadRecordNote(note))
            bySection[current].push_back(std::move(note));
        else
            contents.unreadable.push_back(std::move(note));
    }
    for (std::vector<RecordNote>& notes : bySection)
        for (RecordNote& note : notes) contents.notes.push_back(std::move(note));
    return contents;
}

std::string WriteUninstallRecordText(const std::vector<RecordNote>& notes, const UninstallRecordContents& config) {
    std::string text;
    for (int index = 0; index < kRecordSectionCount; ++index) {
        int number = 0;
        for (const RecordNote& note : notes) {
            if (static_cast<int>(note.section) != index) continue;
            if (number == 0) {
                text += '[';
                text += kSectionNames[index];
                text += "]\r\n";
            }
            text += RecordEntryKey(number++);
            text += '=';
            text += note.value;
            text += "\r\n";
        }
    }
    if (config.hasConfig) {
        text += "[Config]\r\nProduct=";
        text += config.product;
        text += "\r\n";
        if (!config.reg.empty()) {
            text += "Reg=";
            text += config.reg;
            text += "\r\n";
        }
    }
    return text;
}

}  // namespace core
