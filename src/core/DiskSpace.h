#pragma once
// The arithmetic of the free-space check: files occupy whole clusters of their drive,
// and a drive is short when the install files need more clusters than it has free.
// Sums and kilobyte values are 64-bit, so drives and totals beyond 4 GB come out true.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace core {

// One measured drive.
struct DiskSpaceFields {
    char m_chDrive = 'A';                 // upper case
    std::uint32_t m_nBytesPerCluster = 0; // sectors per cluster * bytes per sector
    std::uint32_t m_nFreeClusters = 0;
    std::uint64_t m_nNeedClusters = 0;    // sum over the files going to the drive
};

// Drive kinds the check measures, as the platform numbers them: fixed (3), network (4)
// and RAM disk (6). Removable, CD-ROM and absent drives are not measured.
bool IsMeasuredDriveType(unsigned driveType);

// The record of a drive from its free-space query: nothing when the query failed or gave
// a cluster size of 0 or beyond 32 bits, so such a drive is never counted or listed.
std::optional<DiskSpaceFields> DiskFromQuery(char drive, bool succeeded, std::uint32_t sectorsPerCluster,
                                             std::uint32_t bytesPerSector, std::uint32_t freeClusters);

// Where the check counts a file (macros not yet expanded): the destination directory
// followed by the file name when the directory starts with a macro ("$SysDir$..."),
// otherwise "$INSTDIR$" followed by the file name. Only the drive is read from it, so
// no separator is put between the parts.
std::string DiskCheckLocation(std::string_view destDir, std::string_view destFile);

// The bytes of a file item: its size field, a number the script may give as negative,
// which counts as nothing (in the free-space check as in the progress).
inline std::uint32_t FileItemBytes(int sizeField) { return sizeField > 0 ? static_cast<std::uint32_t>(sizeField) : 0; }

// Whole clusters a file of `size` bytes occupies: rounded up, and 0 for an empty file.
// A cluster size of 0 (no real drive reports one) counts every byte as a cluster.
std::uint64_t ClustersForFile(std::uint32_t size, std::uint32_t bytesPerCluster);

// The install files need more clusters than the drive has free.
bool IsShortOfSpace(const DiskSpaceFields& disk);

// Free and needed space in KB (1024 bytes), rounded down.
std::uint64_t FreeKilobytes(const DiskSpaceFields& disk);
std::uint64_t NeedKilobytes(const DiskSpaceFields& disk);

// The shortage list's row of a drive: the letter, ":\", a tab, the free KB and "KB",
// a tab, the needed KB and "KB" (for example "D:\<tab>1024KB<tab>4096KB").
std::string ShortageRowText(const DiskSpaceFields& disk);

// A drive letter in upper case ('c' gives 'C'); 0 for anything but a letter.
char UpperDriveLetter(char letter);

// The drive a path names: its first letter in upper case when a colon follows it
// ("c:\x" gives 'C'), else 0 (a UNC or relative path names no drive).
char DriveLetterOfPath(std::string_view path);

}  // namespace core
