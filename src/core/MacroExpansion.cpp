#include "core/MacroExpansion.h"

#include "core/ShiftJis.h"

#include <array>

namespace core {

namespace {

// FindNoCase over a text and a name that are both upper-cased already.
size_t FindUpper(std::string_view upperText, std::string_view upperName) {
    if (upperName.empty()) return 0;
    size_t boundary = 0;  // a character start at or before the next hit
    for (size_t hit = upperText.find(upperName); hit != std::string_view::npos;
         hit = upperText.find(upperName, hit + 1)) {
        while (boundary < hit) boundary += IsShiftJisLeadByte(static_cast<unsigned char>(upperText[boundary])) ? 2 : 1;
        if (boundary == hit) return hit;
    }
    return std::string_view::npos;
}

}  // namespace

std::string_view PathMacroName(PathMacro macro) {
    static constexpr std::array<std::string_view, kPathMacroCount> kNames = {
        "$ProgramFiles$", "$WinDir$", "$SysDir$",    "$InstDir$", "$SrcDir$", "$TmpDir$",
        "$UserName$",     "$Desktop$", "$StartMenu$", "$StartUp$", "$SendTo$"};
    return kNames[static_cast<std::size_t>(macro)];
}

std::vector<MacroDefinition> PathMacroTable(const std::function<std::string(PathMacro)>& value) {
    std::vector<MacroDefinition> table;
    for (std::size_t i = 0; i < kPathMacroCount; ++i) {
        const auto macro = static_cast<PathMacro>(i);
        table.push_back({PathMacroName(macro), [value, macro] { return value(macro); }});
    }
    return table;
}

size_t FindNoCase(std::string_view text, std::string_view name) {
    return FindUpper(ToUpperShiftJis(text), ToUpperShiftJis(name));
}

bool ExpandMacroText(std::string& text, std::span<const MacroDefinition> table,
                     const ExpansionLimits& limits) {
    std::vector<std::string> upperNames;
    upperNames.reserve(table.size());
    for (const MacroDefinition& macro : table) upperNames.push_back(ToUpperShiftJis(macro.name));

    std::string expanded = text;
    for (size_t replacements = 0;; ++replacements) {
        const std::string upperText = ToUpperShiftJis(expanded);
        size_t index = 0;
        size_t position = std::string_view::npos;
        for (; index < table.size(); ++index) {
            if (table[index].name.empty()) continue;
            position = FindUpper(upperText, upperNames[index]);
            if (position != std::string_view::npos) break;
        }
        if (index == table.size()) break;  // a full pass found no macro

        if (replacements == limits.maxReplacements) return false;
        const std::string value = table[index].value ? table[index].value() : std::string();
        const size_t nameLength = table[index].name.size();
        if (expanded.size() - nameLength + value.size() > limits.maxLength) return false;
        expanded.replace(position, nameLength, value);
    }
    text = std::move(expanded);
    return true;
}

bool MacroValuesFormCycle(std::span<const StoredMacroValue> values) {
    // refersTo[a][b]: the value of macro a holds the name of macro b.
    const size_t count = values.size();
    std::vector<std::vector<bool>> refersTo(count, std::vector<bool>(count, false));
    for (size_t a = 0; a < count; ++a)
        for (size_t b = 0; b < count; ++b)
            refersTo[a][b] = !values[b].name.empty() &&
                             FindNoCase(values[a].value, values[b].name) != std::string_view::npos;

    // Depth-first search for a back edge.
    enum class Mark { Unvisited, OnPath, Done };
    std::vector<Mark> marks(count, Mark::Unvisited);
    std::function<bool(size_t)> reachesPath = [&](size_t node) {
        marks[node] = Mark::OnPath;
        for (size_t next = 0; next < count; ++next) {
            if (!refersTo[node][next]) continue;
            if (marks[next] == Mark::OnPath) return true;
            if (marks[next] == Mark::Unvisited && reachesPath(next)) return true;
        }
        marks[node] = Mark::Done;
        return false;
    };
    for (size_t node = 0; node < count; ++node)
        if (marks[node] == Mark::Unvisited && reachesPath(node)) return true;
    return false;
}

}  // namespace core
