#include "core/PercentFormat.h"

#include "core/ShiftJis.h"

namespace core {

std::string FormatPercentS(std::string_view format, std::string_view value) {
    std::string result;
    result.reserve(format.size() + value.size());
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char byte = format[i];
        if (IsShiftJisLeadByte(static_cast<unsigned char>(byte)) && i + 1 < format.size()) {
            result += byte;
            result += format[++i];
        } else if (byte == '%' && i + 1 < format.size() && format[i + 1] == 's') {
            result += value;
            ++i;
        } else if (byte == '%' && i + 1 < format.size() && format[i + 1] == '%') {
            result += '%';
            ++i;
        } else {
            result += byte;
        }
    }
    return result;
}

}  // namespace core
