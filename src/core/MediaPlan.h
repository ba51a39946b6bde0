#pragma once
// Laying files out on installation disks: what a file takes of a FAT12 floppy (whole
// clusters, directory entries, long-name entries), and which disk each file goes to.
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace core {

// A FAT12 floppy's room: the 1.44 MB disk has 2,847 data clusters of 512 bytes and
// 224 entries in its root directory.
struct DiskGeometry {
    std::uint64_t clusterBytes = 512;
    std::uint64_t clusters = 2847;
    int rootEntries = 224;

    // A disk of about the given number of bytes, clusters and root as on the 1.44 MB one.
    // Up to that disk's whole size (1,474,560 bytes) it is made on a 1.44 MB disk, whose
    // boot sector, tables and root take their part: never more than its 2,847 clusters.
    static DiskGeometry WithCapacity(std::uint64_t bytes);
};

// Directory entries a name takes: one for an upper-case 8.3 name, otherwise one more
// per 13 characters of its long name. The name is Shift-JIS (a double-byte character
// counts once).
int DirectoryEntriesForName(std::string_view name);

// What the files on one disk take.
class DiskUsage {
public:
    explicit DiskUsage(const DiskGeometry& geometry) : m_geometry(geometry) {}
    // Whether a file of that size at the path (Shift-JIS, backslashes between
    // folders) fits beside what is there; Add puts it there.
    bool Fits(std::string_view path, std::uint64_t size) const;
    void Add(std::string_view path, std::uint64_t size);
    std::uint64_t UsedBytes() const { return ClustersUsed() * m_geometry.clusterBytes; }
    std::uint64_t FreeBytes() const { return (m_geometry.clusters - ClustersUsed()) * m_geometry.clusterBytes; }
    int RootEntries() const { return EntriesIn(""); }

private:
    std::uint64_t ClustersUsed() const;
    int EntriesIn(const std::string& folder) const;

    DiskGeometry m_geometry;
    std::uint64_t m_fileClusters = 0;
    std::map<std::string, int> m_entries;  // folder ("" the root) -> entries it holds
};

struct PlannedFile {
    std::string path;        // on the disk, Shift-JIS, backslashes
    std::uint64_t size = 0;  // bytes on the disk
    int disk = 0;            // the disk written in the script, 0 for any
};

struct DiskPlan {
    std::vector<int> disks;  // the disk of each file, in the order given
    std::string error;       // empty when every file found a place
    int failed = -1;         // the file that did not fit
};

// Places files on disks in their order: a file with a disk goes there; one without
// goes on the disk of the file before it (disk 1 for the first), or the next disk when
// it does not fit. reserved are files already on each disk (disk 1's programs and
// script) before any other.
DiskPlan PlanDisks(const std::vector<PlannedFile>& files, const DiskGeometry& geometry,
                   const std::vector<PlannedFile>& reserved);

}  // namespace core
