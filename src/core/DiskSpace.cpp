#include "core/DiskSpace.h"

namespace core {

namespace {

constexpr std::uint64_t kBytesPerKilobyte = 1024;

std::uint64_t ClustersToKilobytes(std::uint64_t clusters, std::uint32_t bytesPerCluster) {
    return clusters * bytesPerCluster / kBytesPerKilobyte;
}

}  // namespace

bool IsMeasuredDriveType(unsigned driveType) {
    constexpr unsigned kFixed = 3, kRemote = 4, kRamDisk = 6;
    return driveType == kFixed || driveType == kRemote || driveType == kRamDisk;
}

std::optional<DiskSpaceFields> DiskFromQuery(char drive, bool succeeded, std::uint32_t sectorsPerCluster,
                                             std::uint32_t bytesPerSector, std::uint32_t freeClusters) {
    const std::uint64_t bytesPerCluster = std::uint64_t{sectorsPerCluster} * bytesPerSector;
    if (!succeeded || bytesPerCluster == 0 || bytesPerCluster > UINT32_MAX) return std::nullopt;
    DiskSpaceFields disk;
    disk.m_chDrive = drive;
    disk.m_nBytesPerCluster = static_cast<std::uint32_t>(bytesPerCluster);
    disk.m_nFreeClusters = freeClusters;
    return disk;
}

std::string DiskCheckLocation(std::string_view destDir, std::string_view destFile) {
    std::string location(!destDir.empty() && destDir[0] == '$' ? destDir : std::string_view("$INSTDIR$"));
    location += destFile;
    return location;
}

std::uint64_t ClustersForFile(std::uint32_t size, std::uint32_t bytesPerCluster) {
    if (bytesPerCluster == 0) return size;
    // 64-bit, so a size near 4 GB does not wrap to a handful of clusters.
    return (std::uint64_t{size} + bytesPerCluster - 1) / bytesPerCluster;
}

bool IsShortOfSpace(const DiskSpaceFields& disk) { return disk.m_nFreeClusters < disk.m_nNeedClusters; }

std::uint64_t FreeKilobytes(const DiskSpaceFields& disk) {
    return ClustersToKilobytes(disk.m_nFreeClusters, disk.m_nBytesPerCluster);
}

std::uint64_t NeedKilobytes(const DiskSpaceFields& disk) {
    return ClustersToKilobytes(disk.m_nNeedClusters, disk.m_nBytesPerCluster);
}

std::string ShortageRowText(const DiskSpaceFields& disk) {
    std::string row;
    row += disk.m_chDrive;
    row += ":\\\t";
    row += std::to_string(FreeKilobytes(disk));
    row += "KB\t";
    row += std::to_string(NeedKilobytes(disk));
    row += "KB";
    return row;
}

char UpperDriveLetter(char letter) {
    if (letter >= 'a' && letter <= 'z') return static_cast<char>(letter - 'a' + 'A');
    if (letter >= 'A' && letter <= 'Z') return letter;
    return 0;
}

char DriveLetterOfPath(std::string_view path) {
    if (path.size() < 2 || path[1] != ':') return 0;
    return UpperDriveLetter(path[0]);
}

}  // namespace core
