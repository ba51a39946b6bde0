#include "core/ShiftJisPath.h"

#include "core/ShiftJis.h"

namespace core {

std::size_t FindLastBackslash(std::string_view path) {
    std::size_t last = std::string_view::npos;
    for (std::size_t i = 0; i < path.size(); ++i) {
        const unsigned char byte = static_cast<unsigned char>(path[i]);
        if (IsShiftJisLeadByte(byte) && i + 1 < path.size()) {
            ++i;  // skip the trail byte
        } else if (byte == '\\') {
            last = i;
        }
    }
    return last;
}

}  // namespace core
