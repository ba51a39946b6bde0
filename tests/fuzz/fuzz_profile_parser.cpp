// Any bytes must parse without a crash or hang, and the parsed content can
// never hold more text than the file had.
#include "core/ProfileParser.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    core::FileProfileSections sections = core::ParseProfileText(text);
    size_t textBytes = 0;
    for (const auto& section : sections) {
        textBytes += section.m_strName.size();
        for (const auto& entry : section.m_arrEntries) textBytes += entry.m_strKey.size() + entry.m_strValue.size();
        if (!section.m_arrEntries.empty()) core::FindProfileSection(sections, section.m_strName);
    }
    if (textBytes > size) std::abort();
    return 0;
}
