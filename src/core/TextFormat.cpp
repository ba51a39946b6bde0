#include "core/TextFormat.h"

namespace core {

namespace {

std::string Fill(std::string_view format, char conversion, std::string_view argument) {
    std::string result;
    result.reserve(format.size() + argument.size());
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        if (c == '%' && i + 1 < format.size()) {
            if (format[i + 1] == conversion) {
                result.append(argument);
                ++i;
                continue;
            }
            if (format[i + 1] == '%') {
                result.push_back('%');
                ++i;
                continue;
            }
        }
        result.push_back(c);
    }
    return result;
}

}  // namespace

std::string FormatWithArgument(std::string_view format, std::string_view argument) {
    return Fill(format, 's', argument);
}

std::string FormatWithNumber(std::string_view format, long long number) {
    return Fill(format, 'd', std::to_string(number));
}

}  // namespace core
