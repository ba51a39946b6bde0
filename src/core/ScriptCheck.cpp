#include "core/ScriptCheck.h"

#include "core/AtoiNumber.h"
#include "core/GetField.h"
#include "core/MacroExpansion.h"
#include "core/Szdd.h"

#include <algorithm>
#include <cctype>

namespace core {

namespace {

// Paths the platform's LZ copy opens must stay under 128 bytes; no path may pass 259.
constexpr std::size_t kLzPathLimit = 127, kPathLimit = 259;

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

std::size_t EditDistance(std::string_view a, std::string_view b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            const bool same = a[i - 1] == b[j - 1];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (same ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

// The known name nearest to a misspelt one, when it is near enough to be meant.
std::string Nearest(std::string_view name, const std::vector<std::string>& known) {
    std::string best;
    std::size_t bestDistance = 0;
    for (const std::string& candidate : known) {
        std::string lowerName(name), lowerCandidate(candidate);
        for (char& c : lowerName) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        for (char& c : lowerCandidate) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        const std::size_t distance = EditDistance(lowerName, lowerCandidate) + (lowerName == lowerCandidate ? 0 : 1);
        if (best.empty() || distance < bestDistance) {
            best = candidate;
            bestDistance = distance;
        }
    }
    return bestDistance <= std::max<std::size_t>(2, name.size() / 4) + 1 ? best : std::string();
}

// True when the text is a whole number as the installer reads one: blanks, a sign, digits.
bool IsNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    const std::size_t digits = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
    return i > digits && i == text.size();
}

bool LooksMeantAsTrue(std::string_view value) {
    for (std::string_view yes : {"true", "yes", "on", "1", "y"})
        if (EqualsIgnoreAsciiCase(value, yes)) return true;
    return false;
}

std::string Suggestion(const std::string& nearest, std::string_view open = "[", std::string_view close = "]") {
    return nearest.empty() ? std::string() : "; did you mean " + std::string(open) + nearest + std::string(close) + "?";
}

// A finding of the kind, an error or a warning as the kind is.
Finding MakeFinding(int line, std::string_view kind, std::string text) {
    bool error = true;
    for (const FindingKind& known : FindingKinds())
        if (known.name == kind) error = known.error;
    return Finding{line, error, kind, std::move(text)};
}

class Checker {
public:
    explicit Checker(const SetupScript& script) : m_script(script) {
        if (const LocatedSection* options = script.Find("InstallOption"))
            for (const FileProfileEntry& entry : options->section->m_arrEntries) m_options.push_back(entry.m_strKey);
        for (std::string_view name : FixedSectionNames()) m_known.emplace_back(name);
        for (const ItemKind& kind : ItemKinds()) {
            m_known.emplace_back(kind.plain);
            m_known.push_back("Common::" + std::string(kind.plain));
            for (const std::string& option : m_options) m_known.push_back(option + "::" + std::string(kind.option));
        }
    }

    std::vector<Finding> Run() {
        CheckSections();
        CheckConfig();
        for (const LocatedSection& section : m_script.located) {
            if (m_script.Find(section.section->m_strName) != &section) continue;  // a repeat is never read
            if (const ItemKind* kind = KindOfSection(section.section->m_strName)) CheckItems(section, *kind);
            if (section.section->m_strName == "Logo" || section.section->m_strName == "InstallOption")
                CheckFieldSyntax(section, section.section->m_strName == "Logo" ? 4 : 2, 1);
        }
        std::stable_sort(m_findings.begin(), m_findings.end(),
                         [](const Finding& a, const Finding& b) { return a.line < b.line; });
        return std::move(m_findings);
    }

private:
    void Add(int line, std::string_view kind, std::string text) { m_findings.push_back(MakeFinding(line, kind, std::move(text))); }

    bool IsOption(std::string_view name) const {
        return std::find(m_options.begin(), m_options.end(), name) != m_options.end();
    }

    // The kind whose item section this is, as the installer reads it.
    const ItemKind* KindOfSection(const std::string& name) const {
        for (const ItemKind& kind : ItemKinds()) {
            if (name == kind.plain || name == "Common::" + std::string(kind.plain)) return &kind;
            const std::size_t colons = name.find("::");
            if (colons != std::string::npos && name.substr(colons + 2) == kind.option && IsOption(name.substr(0, colons)))
                return &kind;
        }
        return nullptr;
    }

    void CheckSections() {
        for (const LocatedSection& section : m_script.located) {
            const std::string& name = section.section->m_strName;
            const int line = section.header.line;
            const bool isConfig = EqualsIgnoreAsciiCase(name, "Config");
            if (isConfig ? m_script.FindConfig() != &section : m_script.Find(name) != &section) {
                Add(line, "repeated-section", "[" + name + "] appears again: the installer reads only the first one");
                continue;
            }
            if (isConfig || std::find(m_known.begin(), m_known.end(), name) != m_known.end()) continue;
            const std::size_t colons = name.find("::");
            const std::string prefix = colons == std::string::npos ? "" : name.substr(0, colons);
            const std::string suffix = colons == std::string::npos ? name : name.substr(colons + 2);
            if (colons == std::string::npos && name == "InstallFIles") {
                Add(line, "plain-files-section",
                    "[InstallFIles] is never read: the plain section of files to install is [InstallFiles]");
            } else if (colons != std::string::npos && prefix != "Common" && suffix == "InstallFiles") {
                Add(line, "option-files-section",
                    "[" + name + "] is never read: the files of option " + Quoted(prefix) + " go in [" + prefix +
                        "::InstallFIles], with a capital I in \"FIles\"" +
                        (IsOption(prefix) ? "" : ", and InstallOption does not list that option"));
            } else if (colons != std::string::npos && !IsOption(prefix) && IsKindSuffix(suffix) &&
                       EditDistance(prefix, "Common") > 2) {
                Add(line, "unlisted-option",
                    "[" + name + "] is never read: " + Quoted(prefix) + " is no option listed in [InstallOption]");
            } else if (std::string nearest = Nearest(name, m_known); !nearest.empty()) {
                Add(line, "misspelt-section", "[" + name + "] is never read" + Suggestion(nearest));
            } else {
                Add(line, "unknown-section", "[" + name + "] is no section the installer reads");
            }
        }
    }

    static bool IsKindSuffix(std::string_view suffix) {
        for (const ItemKind& kind : ItemKinds())
            if (suffix == kind.option) return true;
        return false;
    }

    void CheckConfig() {
        const LocatedSection* config = m_script.FindConfig();
        if (!config) return;
        std::vector<std::string> keys(ConfigKeys().begin(), ConfigKeys().end());
        std::vector<std::string> seen;
        for (std::size_t i = 0; i < config->section->m_arrEntries.size(); ++i) {
            const FileProfileEntry& entry = config->section->m_arrEntries[i];
            const int line = config->entries[i].line;
            auto known = std::find_if(keys.begin(), keys.end(),
                                      [&](const std::string& k) { return EqualsIgnoreAsciiCase(k, entry.m_strKey); });
            if (known == keys.end()) {
                Add(line, "unknown-config-key",
                    "Config key " + entry.m_strKey + " is never read" + Suggestion(Nearest(entry.m_strKey, keys), "", ""));
                continue;
            }
            if (std::find(seen.begin(), seen.end(), *known) != seen.end()) continue;  // the first one counts
            seen.push_back(*known);
            const std::string& key = *known;
            const bool switchInField = key == "ShowUserNamePage" || key == "Uninstall";
            if (key.rfind("Show", 0) == 0 || key == "Uninstall") {
                const std::string flag = switchInField ? GetField(entry.m_strValue, 0, "", ",") : entry.m_strValue;
                if (flag != "TRUE" && LooksMeantAsTrue(flag))
                    Add(line, "config-not-true",
                        key + " is off: its switch reads " + Quoted(flag) + ", and only TRUE (in capitals) is on");
            }
            if (key == "ShowUserNamePage") {
                const int minimum = AtoiNumber(GetField(entry.m_strValue, 1, "", ","));
                const int maximum = AtoiNumber(GetField(entry.m_strValue, 2, "", ","));
                if (maximum > 0 && minimum > maximum)
                    Add(line, "user-name-range",
                        "the user name must have at least " + std::to_string(minimum) + " bytes but may have at most " +
                            std::to_string(maximum) + ": the user name page could never go on");
                CheckNumbers(entry.m_strValue, line, {1, 2});
            }
            if (key == "InstallDir") CheckMacros(entry.m_strValue, line);
        }
    }

    void CheckMacros(std::string_view text, int line) {
        std::vector<std::string> names;
        for (const MacroDefinition& macro : PathMacroTable({})) names.emplace_back(macro.name);
        for (std::size_t open = text.find('$'); open != std::string_view::npos;) {
            const std::size_t close = text.find('$', open + 1);
            if (close == std::string_view::npos) break;
            const std::string_view inner = text.substr(open + 1, close - open - 1);
            const bool word = !inner.empty() && std::all_of(inner.begin(), inner.end(), [](char c) {
                return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
            });
            if (!word) {
                open = close;
                continue;
            }
            const std::string macro(text.substr(open, close - open + 1));
            const bool known = std::any_of(names.begin(), names.end(),
                                           [&](const std::string& n) { return EqualsIgnoreAsciiCase(n, macro); });
            if (!known)
                Add(line, "unknown-macro",
                    "unknown macro " + macro + " stays as it is" + Suggestion(Nearest(macro, names), "", ""));
            open = text.find('$', close + 1);
        }
    }

    void CheckNumbers(std::string_view value, int line, std::initializer_list<int> fields) {
        for (int index : fields) {
            const std::string field = GetField(value, index, "", ",");
            if (!field.empty() && !IsNumber(field))
                Add(line, "number-field",
                    "field " + std::to_string(index + 1) + " should be a number: " + Quoted(field) + " is read as " +
                        std::to_string(AtoiNumber(field)));
        }
    }

    // Quotes and the number of fields; for each entry, whether its fields can be trusted.
    std::vector<bool> CheckFieldSyntax(const LocatedSection& section, int maxFields, int minFields) {
        std::vector<bool> sound(section.section->m_arrEntries.size(), true);
        for (std::size_t i = 0; i < section.section->m_arrEntries.size(); ++i) {
            const std::string& value = section.section->m_arrEntries[i].m_strValue;
            if (value.empty()) continue;
            const int line = section.entries[i].line;
            bool open = false;
            const std::size_t count = FieldSpans(value, ",", &open).size();
            if (open) {
                Add(line, "unbalanced-quote", "a double quote is not closed: the commas after it do not separate fields");
                sound[i] = false;
            } else if (static_cast<int>(count) > maxFields) {
                Add(line, "field-count",
                    std::to_string(count) + " fields where this line has at most " + std::to_string(maxFields) +
                        ": quote a text with a comma in it");
                sound[i] = false;
            } else if (static_cast<int>(count) < minFields) {
                Add(line, "field-count",
                    std::to_string(count) + " fields where this line needs " + std::to_string(minFields));
                sound[i] = false;
            }
        }
        return sound;
    }

    void CheckItems(const LocatedSection& section, const ItemKind& kind) {
        const std::vector<bool> sound = CheckFieldSyntax(section, kind.maxFields, kind.minFields);
        for (std::size_t i = 0; i < section.section->m_arrEntries.size(); ++i) {
            const FileProfileEntry& entry = section.section->m_arrEntries[i];
            if (entry.m_strValue.empty() || !sound[i]) continue;
            const int line = section.entries[i].line;
            const std::string& value = entry.m_strValue;
            CheckMacros(entry.m_strKey, line);
            CheckMacros(value, line);
            if (kind.plain == "InstallFiles") {
                CheckNumbers(value, line, {0, 3, 6, 7});
                const FileItemFields item(entry.m_strKey, value);
                // An empty disk number is left for orvmedia build to fill in.
                if (item.m_nDisk < 1 && !GetField(value, 0, "", ",").empty())
                    Add(line, "disk-number",
                        "disk number " + std::to_string(item.m_nDisk) + ": disks are numbered from 1");
                CheckPath(item, line);
            } else if (kind.plain == "IniUpdates") {
                CheckNumbers(value, line, {3});
            } else if (kind.plain == "RegUpdates") {
                static const std::vector<std::string> roots = {"CLASSES_ROOT", "CURRENT_USER", "LOCAL_MACHINE", "USERS"};
                if (std::find(roots.begin(), roots.end(), entry.m_strKey) == roots.end())
                    Add(line, "registry-root",
                        "registry root " + Quoted(entry.m_strKey) +
                            " is not CLASSES_ROOT, CURRENT_USER, LOCAL_MACHINE or USERS: the value goes under "
                            "CURRENT_USER" +
                            Suggestion(Nearest(entry.m_strKey, roots), "", ""));
                const std::string type = GetField(value, 2, "", ",");
                if (!type.empty() && type != "SZ" && type != "DWORD" && type != "BINARY")
                    Add(line, "registry-type", "value type " + Quoted(type) + " is not SZ, DWORD or BINARY: it is written as SZ");
                CheckNumbers(value, line, {4});
            } else if (kind.plain == "Executes") {
                const std::string wait = GetField(value, 1, "", ",");
                if (!wait.empty() && wait != "SYNC" && wait != "\x93\xAF\x8A\xFA" && wait != "ASYNC")
                    Add(line, "execute-keyword",
                        "wait keyword " + Quoted(wait) + " is not SYNC, \x93\xAF\x8A\xFA or ASYNC: the program runs without a wait");
                const std::string show = GetField(value, 2, "", ",");
                if (!show.empty() && show != "SHOW" && show != "HIDE" && show != "MIN" && show != "MAX")
                    Add(line, "show-keyword", "show keyword " + Quoted(show) + " is not SHOW, HIDE, MIN or MAX");
                CheckNumbers(value, line, {3});
            } else if (kind.plain == "RegisterAutomation") {
                CheckNumbers(value, line, {1});
            }
        }
    }

    void CheckPath(const FileItemFields& item, int line) {
        const std::string path = DefaultDestPath(m_script, item);
        if (path.size() > kPathLimit) {
            Add(line, "path-too-long",
                "the destination path has " + std::to_string(path.size()) + " bytes, more than the 259 a path may have: " + path);
        } else if (path.size() > kLzPathLimit) {
            Add(line, "path-lz-limit",
                "the destination path has " + std::to_string(path.size()) +
                    " bytes under the default installation directory; the platform's LZ copy refuses more than 127: " + path);
        }
    }

    const SetupScript& m_script;
    std::vector<std::string> m_options;
    std::vector<std::string> m_known;
    std::vector<Finding> m_findings;
};

}  // namespace

const std::vector<FindingKind>& FindingKinds() {
    static const std::vector<FindingKind> kinds = {
        {"repeated-section", false},   {"plain-files-section", true}, {"option-files-section", true},
        {"unlisted-option", true},     {"misspelt-section", true},    {"unknown-section", false},
        {"unknown-config-key", false}, {"config-not-true", false},    {"user-name-range", true},
        {"unknown-macro", false},      {"number-field", true},        {"unbalanced-quote", true},
        {"field-count", true},         {"disk-number", true},         {"registry-root", true},
        {"registry-type", false},      {"execute-keyword", false},    {"show-keyword", false},
        {"path-lz-limit", true},       {"path-too-long", true},       {"missing-source", true},
        {"missing-disk", true},        {"size-mismatch", false},      {"not-compressed", true},
        {"missing-uninstaller", true}, {"missing-group-helper", true}};
    return kinds;
}

std::vector<Finding> CheckScript(const SetupScript& script) { return Checker(script).Run(); }

namespace {

// The macros as a Windows 95 installation on drive C: gives them, with the installation
// directory given.
std::vector<MacroDefinition> DefaultMacros(const std::string& instDir) {
    return PathMacroTable([instDir](PathMacro macro) -> std::string {
        switch (macro) {
        case PathMacro::ProgramFiles: return "C:\\Program Files";
        case PathMacro::WinDir: return "C:\\WINDOWS";
        case PathMacro::SysDir: return "C:\\WINDOWS\\SYSTEM";
        case PathMacro::InstDir: return instDir;
        case PathMacro::SrcDir: return "A:";
        case PathMacro::TmpDir: return "C:\\WINDOWS\\SetupTmp";
        case PathMacro::UserName: return "";
        case PathMacro::Desktop: return "C:\\WINDOWS\\Desktop";
        case PathMacro::StartMenu: return "C:\\WINDOWS\\Start Menu";
        case PathMacro::StartUp: return "C:\\WINDOWS\\Start Menu\\Programs\\StartUp";
        case PathMacro::SendTo: return "C:\\WINDOWS\\SendTo";
        }
        return "";
    });
}

}  // namespace

std::string DefaultInstallDir(const SetupScript& script) {
    std::string dir = script.ConfigValue("InstallDir", "");
    ExpandMacroText(dir, DefaultMacros(""));
    return dir;
}

std::string DefaultDestPath(const SetupScript& script, const FileItemFields& item) {
    std::string path = item.GetDestPath();
    ExpandMacroText(path, DefaultMacros(DefaultInstallDir(script)));
    return path;
}

std::vector<Finding> CheckMedia(const SetupScript& script, const MediaFolder& media) {
    std::vector<Finding> findings;
    auto add = [&](int line, std::string_view kind, std::string text) {
        findings.push_back(MakeFinding(line, kind, std::move(text)));
    };
    bool icons = false;
    for (const ScriptFileItem& file : AllFileItems(script)) {
        const FileItemFields& item = file.fields;
        const int line = file.section ? file.section->entries[file.entry].line : 0;
        if (!item.m_strIconTitle.empty()) icons = true;
        if (!file.section) {
            int configLine = 0;
            if (const LocatedSection* config = script.FindConfig())
                for (std::size_t i = 0; i < config->section->m_arrEntries.size() && !configLine; ++i)
                    if (EqualsIgnoreAsciiCase(config->section->m_arrEntries[i].m_strKey, "Uninstall"))
                        configLine = config->entries[i].line;
            if (!media.Exists(1, "ORVUN100.EX_"))
                add(configLine, "missing-uninstaller",
                    "Uninstall is TRUE, but disk 1 has no ORVUN100.EX_, the uninstaller the installer copies from it");
            continue;
        }
        if (item.m_nDisk < 1) continue;  // reported with the script
        if (!media.HasDisk(item.m_nDisk)) {
            add(line, "missing-disk", "the file is on disk " + std::to_string(item.m_nDisk) +
                                          ", which the media do not have (no tag file DISK" +
                                          std::to_string(item.m_nDisk) + ")");
            continue;
        }
        const std::string path = MediaPath(item);
        const std::optional<std::string> bytes = media.Read(item.m_nDisk, path);
        if (!bytes) {
            add(line, "missing-source", path + " is not on disk " + std::to_string(item.m_nDisk));
            continue;
        }
        std::uint64_t size = bytes->size();
        if (IsSzdd(*bytes)) {
            SzddContent content;
            ExpandSzdd(*bytes, content);
            size = content.data.size();
        } else if (HasCompressedName(item)) {
            add(line, "not-compressed", path + " has a compressed name but is no compressed (SZDD) file");
        }
        if (size != static_cast<std::uint64_t>(static_cast<std::int64_t>(item.m_nSize)))
            add(line, "size-mismatch",
                "the script gives the size " + std::to_string(item.m_nSize) + ", the installed file has " +
                    std::to_string(size) + " bytes");
    }
    if (icons && !media.Exists(1, "__SETUP.EXE"))
        add(0, "missing-group-helper",
            "the script makes program icons, but disk 1 has no __SETUP.EXE, which makes the program group on "
            "Windows NT 3.51");
    std::stable_sort(findings.begin(), findings.end(), [](const Finding& a, const Finding& b) { return a.line < b.line; });
    return findings;
}

}  // namespace core
