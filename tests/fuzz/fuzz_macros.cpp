// Macro expansion over arbitrary text and arbitrary stored values, including
// values that name their own macro or each other. Input: up to four values and
// the text, separated by 0 bytes. The expansion must end within its limits, and
// a finished expansion leaves no macro behind.
#include "core/MacroExpansion.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> parts;
    while (parts.size() < 4) {
        const size_t end = input.find('\0');
        if (end == std::string_view::npos) break;
        parts.emplace_back(input.substr(0, end));
        input.remove_prefix(end + 1);
    }
    parts.resize(4);
    std::string text(input);

    static constexpr std::array<std::string_view, 4> kNames = {"$InstDir$", "$SrcDir$", "$TmpDir$", "$UserName$"};
    std::vector<core::MacroDefinition> table = {{"$ProgramFiles$", [] { return std::string("C:\\Program Files"); }},
                                                {"$WinDir$", [] { return std::string("C:\\WINDOWS"); }}};
    std::vector<core::StoredMacroValue> stored;
    for (size_t i = 0; i < kNames.size(); ++i) {
        const std::string* value = &parts[i];
        table.push_back({kNames[i], [value] { return *value; }});
        stored.push_back({kNames[i], parts[i]});
    }

    // Small limits keep each run fast; the bound itself is what is tested.
    const core::ExpansionLimits limits{64, 4096};
    const std::string original = text;
    if (core::ExpandMacroText(text, table, limits)) {
        // Complete: no macro is left, and the result kept within the bound.
        if (text.size() > limits.maxLength) __builtin_trap();
        for (const core::MacroDefinition& macro : table)
            if (core::FindNoCase(text, macro.name) != std::string_view::npos) __builtin_trap();
    } else if (text != original) {
        __builtin_trap();  // a stopped expansion leaves the text as it was
    }
    // The cycle check must stand any value.
    core::MacroValuesFormCycle(stored);
    return 0;
}
