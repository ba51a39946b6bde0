// Cuts every field of arbitrary lines; a field is never longer than its line.
#include "core/GetField.h"
#include "core/ItemRecords.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const char separator[2] = {static_cast<char>(data[0]), '\0'};
    std::string_view line(reinterpret_cast<const char*>(data + 1), size - 1);
    for (int index = -1; index <= 12; ++index) {
        std::string field = core::GetField(line, index, "", separator);
        if (field.size() > line.size()) std::abort();
        if (core::GetField(line, index, "default", ",").empty()) std::abort();
    }
    core::FileItemFields file("k", line);
    core::ExeItemFields exe("k", line);
    core::LogoItemFields logo("k", line);
    return 0;
}
