#include "core/ShiftJis.h"

namespace core {

std::string ToUpperShiftJis(std::string_view text) {
    std::string upper(text);
    for (size_t i = 0; i < upper.size(); ++i) {
        if (IsShiftJisLeadByte(static_cast<unsigned char>(upper[i]))) {
            ++i;  // keep the trail byte as it is
        } else if (upper[i] >= 'a' && upper[i] <= 'z') {
            upper[i] = static_cast<char>(upper[i] - 'a' + 'A');
        }
    }
    return upper;
}

bool EndsWithBackslash(std::string_view text) {
    bool lastIsBackslash = false;
    for (size_t i = 0; i < text.size(); ++i) {
        lastIsBackslash = text[i] == '\\';
        if (IsShiftJisLeadByte(static_cast<unsigned char>(text[i]))) {
            ++i;
            lastIsBackslash = false;
        }
    }
    return lastIsBackslash;
}

std::string_view CutShiftJis(std::string_view text, std::size_t maxBytes) {
    std::size_t length = 0;
    while (length < text.size()) {
        const std::size_t width =
            IsShiftJisLeadByte(static_cast<unsigned char>(text[length])) && length + 1 < text.size() ? 2 : 1;
        if (length + width > maxBytes) break;
        length += width;
    }
    return text.substr(0, length);
}

}  // namespace core
