#pragma once
// The macro expansion engine behind the setup script's path macros. The caller
// supplies the table (names in the order they are tried, and their values).
#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace core {

struct MacroDefinition {
    std::string_view name;               // "$InstDir$"
    std::function<std::string()> value;  // asked only when the name occurs
};

// The setup script's path macros, in the order the expander tries them.
enum class PathMacro { ProgramFiles, WinDir, SysDir, InstDir, SrcDir, TmpDir, UserName, Desktop, StartMenu, StartUp, SendTo };
constexpr std::size_t kPathMacroCount = 11;

// The macro's name as scripts write it: "$InstDir$" for PathMacro::InstDir.
std::string_view PathMacroName(PathMacro macro);

// The table of every path macro in the expander's order; a macro's value is asked of
// value when its name occurs.
std::vector<MacroDefinition> PathMacroTable(const std::function<std::string(PathMacro)>& value);

// Bounds that stop a runaway expansion (a value that brings its own macro back,
// directly or through another macro, or values that multiply each other).
struct ExpansionLimits {
    size_t maxReplacements = 1024;
    size_t maxLength = 65536;
};

// Position of the first occurrence of name in text, compared without regard to
// case (ToUpperShiftJis); a match never starts on the second byte of a
// double-byte character. std::string_view::npos when there is none.
size_t FindNoCase(std::string_view text, std::string_view name);

// Expands the text in place: the first macro of the table that occurs has its
// leftmost occurrence replaced by its value, then the search starts again with
// the first macro; done when no macro occurs. Returns false, with the text left
// as it was, when the limits are reached before the expansion completes.
bool ExpandMacroText(std::string& text, std::span<const MacroDefinition> table,
                     const ExpansionLimits& limits = {});

struct StoredMacroValue {
    std::string_view name;
    std::string_view value;
};

// True when some value leads back to its own macro, directly ("$InstDir$" inside
// the value of $InstDir$) or through other values of the list.
bool MacroValuesFormCycle(std::span<const StoredMacroValue> values);

}  // namespace core
