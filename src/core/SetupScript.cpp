#include "core/SetupScript.h"

#include "core/GetField.h"
#include "core/MemoryReader.h"
#include "core/ShiftJis.h"

#include <climits>

namespace core {

namespace {

// The line number of each byte offset: line ends are LF, CR LF, or a CR alone.
class LineCounter {
public:
    explicit LineCounter(std::string_view text) : m_text(text) {}
    int LineAt(std::size_t offset) {
        for (; m_offset < offset && m_offset < m_text.size(); ++m_offset) {
            const char c = m_text[m_offset];
            if (c == '\n' || (c == '\r' && (m_offset + 1 >= m_text.size() || m_text[m_offset + 1] != '\n'))) ++m_line;
        }
        return m_line;
    }

private:
    std::string_view m_text;
    std::size_t m_offset = 0;
    int m_line = 1;
};

}  // namespace

const LocatedSection* SetupScript::Find(std::string_view name) const {
    for (const LocatedSection& s : located)
        if (s.section->m_strName == name) return &s;
    return nullptr;
}

const LocatedSection* SetupScript::FindConfig() const {
    for (const LocatedSection& s : located)
        if (EqualsIgnoreAsciiCase(s.section->m_strName, "Config")) return &s;
    return nullptr;
}

std::string SetupScript::ConfigValue(std::string_view key, std::string_view defaultValue) const {
    if (const LocatedSection* config = FindConfig())
        for (const FileProfileEntry& entry : config->section->m_arrEntries)
            if (EqualsIgnoreAsciiCase(entry.m_strKey, key)) return entry.m_strValue;
    return std::string(defaultValue);
}

std::size_t SetupScript::ValueOffset(const LocatedSection& section, std::size_t entry) const {
    const ScriptPlace& place = section.entries[entry];
    return place.start + place.length - section.section->m_arrEntries[entry].m_strValue.size();
}

SetupScript ReadSetupScript(std::string text) {
    SetupScript script;
    script.text = std::move(text);
    std::string_view data = script.text;
    if (data.size() > static_cast<std::size_t>(INT_MAX)) data = data.substr(0, INT_MAX);
    const int length = static_cast<int>(data.size());

    // The installer's parse, line by line as it reads them, noting where each section
    // header and entry came from.
    ProfileParser parser;
    LineCounter counter(data);
    std::vector<ScriptPlace> headers;
    std::vector<std::vector<ScriptPlace>> entries;
    std::string line;
    int position = 0;
    while (position < length - 1) {
        const int start = position;
        ReadLineAt(data, position, line);
        const std::size_t sectionsBefore = parser.Sections().size();
        const std::size_t entriesBefore = sectionsBefore ? parser.Sections().back().m_arrEntries.size() : 0;
        parser.AddLine(line);
        const ScriptPlace place{counter.LineAt(static_cast<std::size_t>(start)), static_cast<std::size_t>(start),
                                line.size()};
        if (parser.Sections().size() != sectionsBefore) {
            headers.push_back(place);
            entries.emplace_back();
        } else if (sectionsBefore && parser.Sections().back().m_arrEntries.size() != entriesBefore) {
            entries.back().push_back(place);
        }
    }
    script.sections = parser.TakeSections();
    for (std::size_t i = 0; i < script.sections.size(); ++i)
        script.located.push_back(LocatedSection{&script.sections[i], headers[i], std::move(entries[i])});
    return script;
}

const std::vector<ItemKind>& ItemKinds() {
    static const std::vector<ItemKind> kinds = {
        {"InstallFiles", "InstallFIles", 9, 6}, {"IniUpdates", "IniUpdates", 4, 1},
        {"RegUpdates", "RegUpdates", 5, 1},     {"Executes", "Executes", 5, 1},
        {"RegisterOcx", "RegisterOcx", 2, 1},   {"RegisterAutomation", "RegisterAutomation", 2, 1},
        {"RegisterCom", "RegisterCom", 1, 1},   {"MakeShortCut", "MakeShortCut", 2, 2},
    };
    return kinds;
}

const std::vector<std::string_view>& FixedSectionNames() {
    static const std::vector<std::string_view> names = {"Config", "Logo", "InstallOption"};
    return names;
}

const std::vector<std::string_view>& ConfigKeys() {
    static const std::vector<std::string_view> keys = {"SrcDir",           "InstallDir",        "Product",
                                                       "GroupName",        "ShowChooseDirPage", "ShowGroupNamePage",
                                                       "ShowUserNamePage", "Uninstall"};
    return keys;
}

bool UninstallEnabled(const SetupScript& script) {
    return GetField(script.ConfigValue("Uninstall", "TRUE"), 0, "", ",") == "TRUE";
}

std::vector<ScriptFileItem> AllFileItems(const SetupScript& script) {
    std::vector<ScriptFileItem> items;
    auto read = [&](const std::string& name) {
        const LocatedSection* section = script.Find(name);
        if (!section) return;
        for (std::size_t i = 0; i < section->section->m_arrEntries.size(); ++i) {
            const FileProfileEntry& entry = section->section->m_arrEntries[i];
            if (entry.m_strValue.empty()) continue;  // no item, as the installer reads it
            items.push_back(ScriptFileItem{FileItemFields(entry.m_strKey, entry.m_strValue), section, i});
        }
    };
    read("InstallFiles");
    read("Common::InstallFiles");
    if (const LocatedSection* options = script.Find("InstallOption"))
        for (const FileProfileEntry& option : options->section->m_arrEntries) read(option.m_strKey + "::InstallFIles");
    if (UninstallEnabled(script))
        items.push_back(ScriptFileItem{UninstallerFileItem(GetField(script.ConfigValue("Uninstall", "TRUE"), 2, "", ",")),
                                       nullptr, 0});
    return items;
}

std::string MediaPath(const FileItemFields& item) {
    std::string path = item.m_strSrcDir;
    while (!path.empty() && path.front() == '\\') path.erase(0, 1);
    if (!path.empty() && !EndsWithBackslash(path)) path += '\\';
    return path + item.m_strSrcFile;
}

bool HasCompressedName(const FileItemFields& item) {
    return !item.m_strSrcFile.empty() && item.m_strSrcFile.back() == '_';
}

std::string ReplaceField(std::string_view text, std::size_t valueOffset, std::size_t valueLength, int index,
                         std::string_view replacement) {
    const std::string_view value = text.substr(valueOffset, valueLength);
    std::vector<FieldSpan> spans = FieldSpans(value);
    std::string result(text.substr(0, valueOffset));
    std::string newValue(value);
    if (index < static_cast<int>(spans.size())) {
        newValue.replace(spans[index].begin, spans[index].end - spans[index].begin, replacement);
    } else {
        // Missing fields are added, empty, up to the one given.
        newValue.append(static_cast<std::size_t>(index) - spans.size() + 1, ',');
        newValue.append(replacement);
    }
    result += newValue;
    result.append(text.substr(valueOffset + valueLength));
    return result;
}

}  // namespace core
