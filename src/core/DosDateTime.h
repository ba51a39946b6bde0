#pragma once
// File dates as the FAT file system packs them, and the size and date lines that the
// overwrite questions show for a file.
#include <cstdint>
#include <optional>
#include <string>

namespace core {

// A local time, field by field (as the platform's SYSTEMTIME has them).
struct LocalDateTime {
    int year = 1980;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// Packed date: bits 15-9 years since 1980, 8-5 month, 4-0 day.
// Packed time: bits 15-11 hour, 10-5 minute, 4-0 seconds / 2.
struct DosDateTime {
    std::uint16_t date = 0;
    std::uint16_t time = 0;
};

// Packs a local time; the seconds are halved, so an odd second becomes the even one
// below it. Nothing for years outside 1980..2107 or fields out of their range.
std::optional<DosDateTime> PackDosDateTime(const LocalDateTime& local);
// The fields of a packed date and time (seconds always even).
LocalDateTime UnpackDosDateTime(DosDateTime packed);

// "%d年%d月%d日 %d時%d分%d秒" of a packed date and time.
std::string FormatDateLine(DosDateTime packed);
// "ｻｲｽﾞ %d" of the low 32 bits of a file size, shown unsigned (a size of 2 GiB or more
// never turns negative).
std::string FormatSizeLine(std::uint64_t size);

}  // namespace core
