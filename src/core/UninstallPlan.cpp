#include "core/UninstallPlan.h"

#include <algorithm>

#include "core/ProgmanCommand.h"
#include "core/RecordPaths.h"
#include "core/ShiftJis.h"
#include "core/UninstallRecordText.h"

namespace core {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The switch at the start of the arguments ("/S" or "/?", followed by a blank or the end).
bool TakeSwitch(std::string_view& arguments, char letter) {
    if (arguments.size() < 2 || arguments[0] != '/') return false;
    const char found = arguments[1] >= 'a' && arguments[1] <= 'z' ? static_cast<char>(arguments[1] - 32) : arguments[1];
    if (found != letter || (arguments.size() > 2 && !IsBlank(arguments[2]))) return false;
    arguments.remove_prefix(2);
    while (!arguments.empty() && IsBlank(arguments.front())) arguments.remove_prefix(1);
    return true;
}

// Rank of a note's kind in the removal order.
int Stage(RecordSection section) {
    switch (section) {
    case RecordSection::UnregisterAutomation: return 0;
    case RecordSection::UnregisterOcx: return 1;
    case RecordSection::DeleteShortCut: return 2;
    case RecordSection::DeleteProgramItem: return 3;
    case RecordSection::DeleteProgramGroup: return 4;
    // What the installation added goes before what it took away comes back: a section it
    // removed and then made anew is taken away, and then its old keys return.
    case RecordSection::DeleteIniValue: return 5;
    case RecordSection::DeleteIniKeyword: return 6;
    case RecordSection::DeleteIniSection: return 7;
    case RecordSection::DeleteIniFile: return 8;
    case RecordSection::RestoreIniValue: return 9;
    case RecordSection::DeleteRegValue: return 10;
    case RecordSection::DeleteRegKey: return 11;
    case RecordSection::RestoreRegValue: return 12;
    case RecordSection::ReleaseSharedFile: return 13;
    case RecordSection::DeleteFile: return 14;
    case RecordSection::DeleteDirectory: return 15;
    }
    return 16;
}

bool DeepestFirst(RecordSection section) {
    return section == RecordSection::DeleteRegKey || section == RecordSection::DeleteDirectory;
}

std::string_view Unquoted(std::string_view field) {
    while (!field.empty() && IsBlank(field.front())) field.remove_prefix(1);
    while (!field.empty() && IsBlank(field.back())) field.remove_suffix(1);
    if (field.size() >= 2 && field.front() == '"' && field.back() == '"') field = field.substr(1, field.size() - 2);
    return field;
}

// The first two fields of an icon line; a quoted field may hold commas.
bool IconFields(std::string_view line, std::string& title, std::string& command) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    bool quoted = false;
    for (std::size_t i = 0; i <= line.size() && fields.size() < 2; ++i) {
        if (i < line.size() && line[i] == '"') quoted = !quoted;
        if (i == line.size() || (line[i] == ',' && !quoted)) {
            fields.emplace_back(Unquoted(line.substr(start, i - start)));
            start = i + 1;
        }
    }
    if (fields.size() < 2 || fields[0].empty() || fields[1].empty()) return false;
    title = fields[0];
    command = fields[1];
    return true;
}

}  // namespace

UninstallerCommand ParseUninstallerCommandLine(std::string_view commandLine) {
    UninstallerCommand command;
    std::string_view arguments = CommandLineArguments(commandLine);
    if (TakeSwitch(arguments, '?')) {
        command.usage = true;
        return command;
    }
    command.silent = TakeSwitch(arguments, 'S');
    if (TakeSwitch(arguments, '?')) command.usage = true;
    if (arguments.size() >= 2 && arguments.front() == '"' && arguments.back() == '"')
        arguments = arguments.substr(1, arguments.size() - 2);
    command.recordPath.assign(arguments);
    return command;
}

std::vector<std::size_t> RemovalOrder(const std::vector<RecordNote>& notes) {
    std::vector<std::size_t> order(notes.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::vector<int> depth(notes.size(), 0);
    for (std::size_t i = 0; i < notes.size(); ++i)
        if (DeepestFirst(notes[i].section) && !notes[i].fields.empty()) depth[i] = PathDepth(notes[i].fields[0]);
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        const int stageA = Stage(notes[a].section), stageB = Stage(notes[b].section);
        if (stageA != stageB) return stageA < stageB;
        return DeepestFirst(notes[a].section) && depth[a] > depth[b];
    });
    return order;
}

bool IsUninstallEntryKey(std::string_view keyPath) {
    const std::string list = ToUpperShiftJis(UninstallKeyPath(""));
    if (keyPath.size() <= list.size() || ToUpperShiftJis(keyPath.substr(0, list.size())) != list) return false;
    const std::string_view name = keyPath.substr(list.size());
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (IsShiftJisLeadByte(static_cast<unsigned char>(name[i]))) {
            ++i;
        } else if (name[i] == '\\') {
            return false;
        }
    }
    return true;
}

std::vector<ProgramIcon> ParseProgramGroupData(std::string_view data) {
    std::vector<ProgramIcon> icons;
    data = data.substr(0, data.find('\0'));
    bool first = true;
    std::size_t start = 0;
    while (start < data.size()) {
        std::size_t end = data.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = data.size();
        const std::string_view line = data.substr(start, end - start);
        start = end + 1;
        if (line.empty()) continue;
        if (first) {  // the group's own line
            first = false;
            continue;
        }
        ProgramIcon icon;
        if (IconFields(line, icon.title, icon.command)) icons.push_back(std::move(icon));
    }
    return icons;
}

std::string AddWininitDeletion(std::string_view wininitText, std::string_view shortPath) {
    const std::string line = "NUL=" + std::string(shortPath) + "\r\n";
    std::size_t start = 0;
    while (start < wininitText.size()) {
        std::size_t end = wininitText.find('\n', start);
        end = end == std::string_view::npos ? wininitText.size() : end + 1;
        std::string_view header = wininitText.substr(start, end - start);
        while (!header.empty() && (IsBlank(header.front()))) header.remove_prefix(1);
        if (ToUpperShiftJis(header.substr(0, 8)) == "[RENAME]") {
            std::string text(wininitText.substr(0, end));
            if (!text.empty() && text.back() != '\n') text += "\r\n";
            text += line;
            text += wininitText.substr(end);
            return text;
        }
        start = end;
    }
    std::string text(wininitText);
    if (!text.empty() && text.back() != '\n') text += "\r\n";
    text += "[rename]\r\n";
    text += line;
    return text;
}

}  // namespace core
