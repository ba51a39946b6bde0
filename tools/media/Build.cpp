#include "Build.h"

#include "Files.h"
#include "core/AtoiNumber.h"
#include "core/GetField.h"
#include "core/MediaPlan.h"
#include "core/SetupScript.h"
#include "core/ShiftJis.h"
#include "core/Szdd.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <map>

namespace media {

namespace {

constexpr std::uint64_t kProgressBytes = 8u << 20;  // sets larger than this show their progress

void Say(const std::string& text) { std::fputs((ForTerminal(text) + "\n").c_str(), stdout); }
void Fail(const std::string& text) { std::fputs(("orvmedia: error: " + ForTerminal(text) + "\n").c_str(), stderr); }

std::string WithSeparators(std::uint64_t number) {
    std::string digits = std::to_string(number), out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i && (digits.size() - i) % 3 == 0) out += ',';
        out += digits[i];
    }
    return out;
}

// One file of the media: where it lies on its disk, and what it holds.
struct MediaFile {
    std::string path;    // on the disk, Shift-JIS, "\" between folders
    std::string source;  // the file it comes from on this machine
    bool compress = false;
    std::string bytes;               // what goes on the media
    std::uint64_t installedSize = 0;  // the file the installer makes of it
    char nameByte = 0;
};

// The path of an item on its disk: source folder and source file.
std::string MediaPathOf(const core::FileItemFields& item) {
    std::string path = item.m_strSrcDir;
    while (!path.empty() && path.front() == '\\') path.erase(0, 1);
    if (!path.empty() && !core::EndsWithBackslash(path)) path += '\\';
    return path + item.m_strSrcFile;
}

// Finds the file an item is made from in the source folders: the source name itself,
// or for a compressed name the plain file (the "_" replaced by the destination's last
// character), each under the item's source folder and then at the folder's top.
bool FindSource(const std::vector<std::string>& sources, const core::FileItemFields& item, MediaFile& file) {
    std::vector<std::string> names = {item.m_strSrcFile};
    if (file.compress) {
        const std::string stem = item.m_strSrcFile.substr(0, item.m_strSrcFile.size() - 1);
        const char last = core::SzddNameByte(item.m_strDestFile);
        if (last) names.push_back(stem + last);
        names.push_back(item.m_strDestFile);
    }
    for (const std::string& dir : sources)
        for (const std::string& name : names)
            for (const std::string& folder : {item.m_strSrcDir, std::string()}) {
                const std::string path = NativePath(dir, folder + "\\" + name);
                if (IsFile(path)) {
                    file.source = path;
                    file.nameByte = core::SzddNameByte(name == item.m_strSrcFile ? item.m_strDestFile : name);
                    return true;
                }
            }
    return false;
}

struct Disk {
    std::vector<std::pair<std::string, std::uint64_t>> files;  // path and size, in order
    std::uint64_t bytes = 0;
};

// Disk images beside the folders: a FAT12 floppy image per disk (mtools), or one ISO 9660
// image with Joliet and Rock Ridge names (xorriso). Names go to the tools in UTF-8.
bool MakeImages(const BuildOptions& options, int diskCount) {
#if defined(_WIN32)
    (void)options;
    (void)diskCount;
    Fail("--images needs mtools and xorriso, which this build of orvmedia cannot run");
    return false;
#else
    const std::string utf8 = "LC_ALL=C.UTF-8 MTOOLS_SKIP_CHECK=1 ";
    if (options.floppy) {
        for (int disk = 1; disk <= diskCount; ++disk) {
            const std::string folder = JoinNative(options.out, "disk" + std::to_string(disk));
            const std::string image = JoinNative(options.out, "disk" + std::to_string(disk) + ".img");
            std::string format = "-f 1440";
            if (options.diskSize > 1474560) {
                // A larger disk for tests: as many 18-sector tracks on two sides as it takes.
                const std::uint64_t tracks = (options.diskSize / 512 + 64 + 35) / 36;
                format = "-t " + std::to_string(tracks) + " -h 2 -s 18";
            }
            const std::string label = "DISK" + std::to_string(disk);
            if (!RunCommand(utf8 + "mformat -C " + format + " -v " + label + " -i " + ShellQuote(image) + " ::") ||
                !RunCommand("cd " + ShellQuote(folder) + " && " + utf8 + "mcopy -s -Q -i " + ShellQuote(image) +
                            " * ::/")) {
                Fail("mtools could not make " + image);
                return false;
            }
        }
        return true;
    }
    const std::string partial = options.out + ".iso.part";
    const std::string image = JoinNative(options.out, "cd.iso");
    if (!RunCommand(utf8 + "xorriso -as mkisofs -quiet -input-charset utf-8 -J -joliet-long -R -V ORVAN_SETUP -o " +
                    ShellQuote(partial) + " " + ShellQuote(options.out) + " >/dev/null 2>&1") ||
        !RenameFile(partial, image)) {
        Fail("xorriso could not make " + image);
        return false;
    }
    return true;
#endif
}

}  // namespace

int PrintFindings(const std::string& scriptName, const std::vector<core::Finding>& findings, bool werror) {
    int errors = 0;
    for (const core::Finding& finding : findings) {
        const std::string where = scriptName + ":" + (finding.line ? std::to_string(finding.line) + ":" : "");
        std::fputs(ForTerminal(where + " " + (finding.error ? "error" : "warning") + ": " + finding.text + " [" +
                               std::string(finding.kind) + "]\n")
                       .c_str(),
                   stdout);
        if (finding.error || werror) ++errors;
    }
    return errors;
}

int RunBuild(const BuildOptions& options) {
    const std::optional<std::string> text = ReadFile(options.script);
    if (!text) {
        Fail("cannot read " + options.script);
        return 1;
    }
    core::SetupScript script = core::ReadSetupScript(*text);
    // The findings are shown, and the media built as the script stands: the installer
    // will read it just so (tests build scripts with faults on purpose).
    if (const int errors = PrintFindings(options.script, core::CheckScript(script), false))
        std::fprintf(stderr, "orvmedia: the script has %d error(s); the media follow it as it stands\n", errors);

    // 1. The files of every item, each media file once.
    const std::vector<core::ScriptFileItem> items = core::AllFileItems(script);
    std::vector<MediaFile> files;
    std::map<std::string, std::size_t> fileOfPath;
    std::vector<std::size_t> itemFile(items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        const core::FileItemFields& item = items[i].fields;
        const std::string path = MediaPathOf(item);
        if (auto known = fileOfPath.find(path); known != fileOfPath.end()) {
            itemFile[i] = known->second;
            continue;
        }
        MediaFile file;
        file.path = path;
        file.compress = !item.m_strSrcFile.empty() && item.m_strSrcFile.back() == '_';
        if (!items[i].section) {  // the uninstaller the installer adds
            file.source = JoinNative(options.programs, "ORVUN100.EXE");
            file.nameByte = 'E';
            if (!IsFile(file.source)) {
                Fail("Uninstall is on, but " + file.source + " is missing (name the programs' folder with --programs)");
                return 1;
            }
        } else if (!FindSource(options.sources, item, file)) {
            const int line = items[i].section->entries[items[i].entry].line;
            Fail(options.script + ":" + std::to_string(line) + ": " + item.m_strSrcFile +
                 " (source folder \"" + item.m_strSrcDir + "\") is in no source folder");
            return 1;
        }
        fileOfPath[path] = files.size();
        itemFile[i] = files.size();
        files.push_back(std::move(file));
    }

    // 2. Read and compress, in parallel; a source already compressed is taken as it is.
    std::atomic<std::uint64_t> done{0};
    std::atomic<bool> failed{false};
    RunParallel(files.size(), [&](std::size_t i) {
        MediaFile& file = files[i];
        std::optional<std::string> bytes = ReadFile(file.source);
        if (!bytes) {
            failed = true;
            return;
        }
        file.installedSize = bytes->size();
        if (file.compress && core::IsSzdd(*bytes)) {
            core::SzddContent content;
            core::ExpandSzdd(*bytes, content);
            file.installedSize = content.data.size();
            file.bytes = std::move(*bytes);
        } else if (file.compress) {
            core::CompressSzdd(*bytes, file.nameByte, file.bytes, RunParallel);
        } else {
            file.bytes = std::move(*bytes);
        }
        const std::uint64_t now = done += file.installedSize;
        if (now / kProgressBytes != (now - file.installedSize) / kProgressBytes)
            std::fprintf(stderr, "orvmedia: compressing: %s bytes done\n", WithSeparators(now).c_str());
    });
    if (failed) {
        Fail("a source file could not be read");
        return 1;
    }

    // 3. Disks.
    const std::string programsDir = options.programs;
    std::vector<std::pair<std::string, std::string>> programs;  // name on disk 1, source
    programs.emplace_back("SETUP.EXE", JoinNative(programsDir, "SETUP.EXE"));
    if (IsFile(JoinNative(programsDir, "__SETUP.EXE"))) programs.emplace_back("__SETUP.EXE", JoinNative(programsDir, "__SETUP.EXE"));
    for (const auto& [name, source] : programs)
        if (!IsFile(source)) {
            Fail(source + " is missing (name the folder of SETUP.EXE with --programs)");
            return 1;
        }
    std::vector<int> diskOfFile(files.size(), 1);
    std::vector<int> diskOfItem(items.size(), 1);
    core::DiskGeometry geometry =
        options.diskSize ? core::DiskGeometry::WithCapacity(options.diskSize) : core::DiskGeometry{};
    if (options.floppy) {
        // Every disk holds its tag file and the volume label in its root.
        geometry.rootEntries -= 2;
        std::vector<core::PlannedFile> reserved;
        for (const auto& [name, source] : programs) reserved.push_back({name, ReadFile(source)->size(), 1});
        // The script grows by the numbers filled in: at most a few bytes an item.
        reserved.push_back({"SETUP.INF", script.text.size() + 24 * items.size(), 1});
        std::vector<core::PlannedFile> planned;
        std::vector<std::size_t> plannedItem;
        std::map<std::pair<std::size_t, int>, bool> placed;
        for (std::size_t i = 0; i < items.size(); ++i) {
            const int written = items[i].section ? items[i].fields.m_nDisk : 1;
            planned.push_back({files[itemFile[i]].path, files[itemFile[i]].bytes.size(), std::max(0, written)});
            plannedItem.push_back(i);
        }
        // A file two items share is counted once per disk.
        std::vector<core::PlannedFile> unique;
        std::vector<std::size_t> uniqueItem;
        std::map<std::string, std::size_t> firstOfPath;
        for (std::size_t k = 0; k < planned.size(); ++k) {
            auto found = firstOfPath.find(planned[k].path);
            if (found != firstOfPath.end() && (planned[k].disk == 0 || planned[k].disk == unique[found->second].disk)) {
                uniqueItem.push_back(found->second);
                continue;
            }
            firstOfPath[planned[k].path] = unique.size();
            uniqueItem.push_back(unique.size());
            unique.push_back(planned[k]);
        }
        core::DiskPlan plan = core::PlanDisks(unique, geometry, reserved);
        if (!plan.error.empty()) {
            Fail(plan.error);
            return 1;
        }
        for (std::size_t k = 0; k < items.size(); ++k) {
            diskOfItem[k] = plan.disks[uniqueItem[k]];
            diskOfFile[itemFile[k]] = diskOfItem[k];
        }
    } else {
        for (std::size_t k = 0; k < items.size(); ++k)
            diskOfItem[k] = items[k].section && items[k].fields.m_nDisk > 0 ? items[k].fields.m_nDisk : 1;
    }
    const int diskCount = std::max(1, *std::max_element(diskOfItem.begin(), diskOfItem.end()));

    // 4. The script with disk numbers and sizes filled in, from the last line up so that
    // earlier offsets stay.
    std::string outScript = script.text;
    for (std::size_t k = items.size(); k-- > 0;) {
        if (!items[k].section) continue;
        const core::LocatedSection& section = *items[k].section;
        const std::size_t entry = items[k].entry;
        const std::size_t offset = script.ValueOffset(section, entry);
        const std::string value = section.section->m_arrEntries[entry].m_strValue;
        std::string edited = value;
        // Written disk numbers are kept; an empty or unusable one gets the disk chosen.
        if (core::AtoiNumber(core::GetField(value, 0, "", ",")) != diskOfItem[k])
            edited = core::ReplaceField(edited, 0, edited.size(), 0, std::to_string(diskOfItem[k]));
        const std::uint64_t size = files[itemFile[k]].installedSize;
        const std::string writtenSize = core::GetField(edited, 6, "", ",");
        if (writtenSize.empty() || static_cast<std::uint64_t>(std::max(0, core::AtoiNumber(writtenSize))) != size)
            edited = core::ReplaceField(edited, 0, edited.size(), 6, std::to_string(size));
        if (edited != value) outScript = outScript.substr(0, offset) + edited + outScript.substr(offset + value.size());
    }

    // 5. The folders.
    const std::string marker = options.floppy ? JoinNative(JoinNative(options.out, "disk1"), "DISK1")
                                              : JoinNative(options.out, "DISK1");
    if (!IsEmptyOrMissing(options.out) && !IsFile(marker)) {
        Fail(options.out + " is neither empty nor media built before; choose another --out");
        return 1;
    }
    RemoveTree(options.out);
    auto diskFolder = [&](int disk) {
        return options.floppy ? JoinNative(options.out, "disk" + std::to_string(disk)) : options.out;
    };
    std::vector<Disk> disks(static_cast<std::size_t>(diskCount));
    auto put = [&](int disk, const std::string& path, std::string_view bytes) {
        if (!WriteFile(NativePath(diskFolder(disk), path), bytes)) {
            Fail("cannot write " + NativePath(diskFolder(disk), path));
            return false;
        }
        Disk& d = disks[static_cast<std::size_t>(options.floppy ? disk - 1 : 0)];
        d.files.emplace_back(path, bytes.size());
        d.bytes += bytes.size();
        return true;
    };
    for (int disk = 1; disk <= diskCount; ++disk) {
        MakeDirectories(diskFolder(disk));
        if (!put(options.floppy ? disk : 1, "DISK" + std::to_string(disk), "")) return 1;
    }
    for (const auto& [name, source] : programs)
        if (!put(1, name, *ReadFile(source))) return 1;
    if (!put(1, "SETUP.INF", outScript)) return 1;
    std::map<std::pair<int, std::string>, bool> written;
    for (std::size_t k = 0; k < items.size(); ++k) {
        const MediaFile& file = files[itemFile[k]];
        const int disk = options.floppy ? diskOfItem[k] : 1;
        if (written[{disk, file.path}]) continue;
        written[{disk, file.path}] = true;
        if (!put(disk, file.path, file.bytes)) return 1;
    }

    // 6. Images, and the summary.
    if (options.images && !MakeImages(options, diskCount)) return 1;
    const core::DiskGeometry full =
        options.diskSize ? core::DiskGeometry::WithCapacity(options.diskSize) : core::DiskGeometry{};
    for (std::size_t d = 0; d < disks.size() && (options.floppy || d == 0); ++d) {
        std::string line = options.floppy ? "disk " + std::to_string(d + 1) : std::string("cd");
        line += ": " + std::to_string(disks[d].files.size()) + " files, " + WithSeparators(disks[d].bytes) + " bytes";
        if (options.floppy) {
            core::DiskUsage usage(full);
            for (const auto& [path, size] : disks[d].files) usage.Add(path, size);
            line += ", " + WithSeparators(usage.FreeBytes()) + " bytes free";
        }
        Say(line);
    }
    return 0;
}

}  // namespace media
