#include "core/DosDateTime.h"

namespace core {

namespace {
bool InRange(int value, int low, int high) { return value >= low && value <= high; }
}  // namespace

std::optional<DosDateTime> PackDosDateTime(const LocalDateTime& local) {
    if (!InRange(local.year, 1980, 1980 + 127) || !InRange(local.month, 1, 12) || !InRange(local.day, 1, 31) ||
        !InRange(local.hour, 0, 23) || !InRange(local.minute, 0, 59) || !InRange(local.second, 0, 59))
        return std::nullopt;
    DosDateTime packed;
    packed.date = static_cast<std::uint16_t>(((local.year - 1980) << 9) | (local.month << 5) | local.day);
    packed.time = static_cast<std::uint16_t>((local.hour << 11) | (local.minute << 5) | (local.second / 2));
    return packed;
}

LocalDateTime UnpackDosDateTime(DosDateTime packed) {
    LocalDateTime local;
    local.year = 1980 + (packed.date >> 9);
    local.month = (packed.date >> 5) & 0x0F;
    local.day = packed.date & 0x1F;
    local.hour = packed.time >> 11;
    local.minute = (packed.time >> 5) & 0x3F;
    local.second = (packed.time & 0x1F) * 2;
    return local;
}

std::string FormatDateLine(DosDateTime packed) {
    const LocalDateTime t = UnpackDosDateTime(packed);
    return std::to_string(t.year) + "年" + std::to_string(t.month) + "月" + std::to_string(t.day) + "日 " +
           std::to_string(t.hour) + "時" + std::to_string(t.minute) + "分" + std::to_string(t.second) + "秒";
}

std::string FormatSizeLine(std::uint64_t size) {
    return "ｻｲｽﾞ " + std::to_string(static_cast<std::uint32_t>(size & 0xFFFFFFFFu));
}

}  // namespace core
