#include "core/MediaPlan.h"

#include "core/ShiftJis.h"
#include "core/RecordPaths.h"

#include <algorithm>

namespace core {

namespace {

constexpr std::uint64_t kEntryBytes = 32;

bool IsShortNameByte(char c) {
    if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return true;
    return std::string_view("!#$%&'()-@^_`{}~").find(c) != std::string_view::npos;
}

std::uint64_t ClustersFor(std::uint64_t bytes, std::uint64_t clusterBytes) { return (bytes + clusterBytes - 1) / clusterBytes; }

}  // namespace

DiskGeometry DiskGeometry::WithCapacity(std::uint64_t bytes) {
    DiskGeometry geometry;
    constexpr std::uint64_t kFloppyBytes = 1474560;
    geometry.clusters = bytes <= kFloppyBytes ? std::min(bytes / geometry.clusterBytes, geometry.clusters)
                                              : bytes / geometry.clusterBytes;
    return geometry;
}

int DirectoryEntriesForName(std::string_view name) {
    const std::size_t dot = name.find('.');
    const std::string_view base = name.substr(0, dot);
    const std::string_view extension = dot == std::string_view::npos ? std::string_view() : name.substr(dot + 1);
    const bool shortName = !base.empty() && base.size() <= 8 && extension.size() <= 3 &&
                           extension.find('.') == std::string_view::npos &&
                           std::all_of(base.begin(), base.end(), IsShortNameByte) &&
                           std::all_of(extension.begin(), extension.end(), IsShortNameByte);
    if (shortName) return 1;
    int characters = 0;
    for (std::size_t i = 0; i < name.size(); ++i, ++characters)
        if (IsShiftJisLeadByte(static_cast<unsigned char>(name[i]))) ++i;
    return 1 + (characters + 12) / 13;
}

int DiskUsage::EntriesIn(const std::string& folder) const {
    auto found = m_entries.find(folder);
    return found == m_entries.end() ? 0 : found->second;
}

std::uint64_t DiskUsage::ClustersUsed() const {
    // Every folder but the root is a file of 32-byte entries, "." and ".." among them.
    std::uint64_t clusters = m_fileClusters;
    for (const auto& [folder, entries] : m_entries)
        if (!folder.empty()) clusters += ClustersFor((entries + 2) * kEntryBytes, m_geometry.clusterBytes);
    return clusters;
}

// The entries that a file at the path adds: its own in its folder, and for each folder
// on the way that is new, the folder's entry in its parent.
static void AddEntries(std::map<std::string, int>& entries, std::string_view path) {
    for (std::string child = ParentFolder(path); !child.empty() && !entries.count(child);) {
        entries[child] = 0;
        const std::string parent = ParentFolder(child);
        entries[parent] += DirectoryEntriesForName(FileNameOf(child));
        child = parent;
    }
    entries[ParentFolder(path)] += DirectoryEntriesForName(FileNameOf(path));
}

bool DiskUsage::Fits(std::string_view path, std::uint64_t size) const {
    DiskUsage next = *this;
    next.Add(path, size);
    return next.ClustersUsed() <= m_geometry.clusters && next.RootEntries() <= m_geometry.rootEntries;
}

void DiskUsage::Add(std::string_view path, std::uint64_t size) {
    AddEntries(m_entries, path);
    m_fileClusters += ClustersFor(size, m_geometry.clusterBytes);
}

DiskPlan PlanDisks(const std::vector<PlannedFile>& files, const DiskGeometry& geometry,
                   const std::vector<PlannedFile>& reserved) {
    DiskPlan plan;
    std::vector<DiskUsage> disks;
    auto disk = [&](int number) -> DiskUsage& {
        while (static_cast<int>(disks.size()) < number) disks.emplace_back(geometry);
        return disks[static_cast<std::size_t>(number - 1)];
    };
    for (const PlannedFile& file : reserved) {
        DiskUsage& usage = disk(std::max(1, file.disk));
        if (!usage.Fits(file.path, file.size)) {
            plan.error = file.path + " does not fit on disk " + std::to_string(std::max(1, file.disk));
            return plan;
        }
        usage.Add(file.path, file.size);
    }
    const DiskUsage empty(geometry);
    int current = 1;
    for (std::size_t i = 0; i < files.size(); ++i) {
        const PlannedFile& file = files[i];
        if (!empty.Fits(file.path, file.size)) {
            plan.error = file.path + " (" + std::to_string(file.size) +
                         " bytes) is larger than a whole disk; the installer cannot spread a file over two disks";
            plan.failed = static_cast<int>(i);
            return plan;
        }
        int number = file.disk > 0 ? file.disk : current;
        if (file.disk > 0) {
            if (!disk(number).Fits(file.path, file.size)) {
                plan.error = file.path + " does not fit on disk " + std::to_string(number) +
                             ", the disk the script gives it";
                plan.failed = static_cast<int>(i);
                return plan;
            }
        } else {
            while (!disk(number).Fits(file.path, file.size)) ++number;
        }
        disk(number).Add(file.path, file.size);
        current = std::max(current, number);
        plan.disks.push_back(number);
    }
    return plan;
}

}  // namespace core
