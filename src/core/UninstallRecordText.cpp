#include "core/UninstallRecordText.h"

#include <cstdio>

namespace core {

std::string UninstallKeyPath(std::string_view uninstallKey) {
    std::string path = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
    path += uninstallKey;
    return path;
}

std::string JoinRecordFields(std::string_view first, std::string_view second) {
    std::string joined(first);
    joined += ',';
    joined += second;
    return joined;
}

std::string JoinRecordFields(std::string_view first, std::string_view second, std::string_view third) {
    std::string joined = JoinRecordFields(first, second);
    joined += ',';
    joined += third;
    return joined;
}

std::string RecordEntryKey(int number) { return std::to_string(number); }

bool IsRecordEntryKeyBelow(std::string_view key, int count) {
    if (key.empty() || key.size() > 9) return false;  // nine digits cannot overflow an int
    if (key.size() > 1 && key[0] == '0') return false;
    int number = 0;
    for (char digit : key) {
        if (digit < '0' || digit > '9') return false;
        number = number * 10 + (digit - '0');
    }
    return number < count;
}

}  // namespace core
