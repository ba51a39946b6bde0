#include "Build.h"

#include "Files.h"
#include "core/AtoiNumber.h"
#include "core/GetField.h"
#include "core/MediaPlan.h"
#include "core/SetupScript.h"
#include "core/UninstallRecordText.h"
#include "core/Szdd.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <map>
#include <set>

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
    std::string bytes;                // what goes on the media
    std::uint64_t installedSize = 0;  // the file the installer makes of it
    char nameByte = 0;
};

// What goes where: every item's media file and disk, and the programs of disk 1.
struct Layout {
    std::vector<core::ScriptFileItem> items;
    std::vector<MediaFile> files;          // each media file once
    std::vector<std::size_t> fileOfItem;   // index into files
    std::vector<int> diskOfItem;
    std::vector<std::pair<std::string, std::string>> programs;  // name on disk 1, source
    int diskCount = 1;
};

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

// 1. The media file of every item, each once: the uninstaller's own item comes from
// the programs' folder, the others from the source folders.
bool CollectFiles(const BuildOptions& options, Layout& layout) {
    std::map<std::string, std::size_t> fileOfPath;
    for (const core::ScriptFileItem& item : layout.items) {
        const std::string path = core::MediaPath(item.fields);
        if (auto known = fileOfPath.find(path); known != fileOfPath.end()) {
            layout.fileOfItem.push_back(known->second);
            continue;
        }
        MediaFile file;
        file.path = path;
        file.compress = core::HasCompressedName(item.fields);
        if (!item.section) {
            file.source = JoinNative(options.programs, core::kUninstallerFileName);
            file.nameByte = 'E';
            if (!IsFile(file.source)) {
                Fail("Uninstall is on, but " + file.source + " is missing (name the programs' folder with --programs)");
                return false;
            }
        } else if (!FindSource(options.sources, item.fields, file)) {
            Fail(options.script + ":" + std::to_string(item.section->entries[item.entry].line) + ": " +
                 item.fields.m_strSrcFile + " (source folder \"" + item.fields.m_strSrcDir +
                 "\") is in no source folder");
            return false;
        }
        fileOfPath[path] = layout.files.size();
        layout.fileOfItem.push_back(layout.files.size());
        layout.files.push_back(std::move(file));
    }
    return true;
}

// SETUP.EXE, and __SETUP.EXE where the programs' folder has it, for disk 1.
bool FindPrograms(const BuildOptions& options, Layout& layout) {
    layout.programs.emplace_back("SETUP.EXE", JoinNative(options.programs, "SETUP.EXE"));
    if (!IsFile(layout.programs.back().second)) {
        Fail(layout.programs.back().second + " is missing (name the folder of SETUP.EXE with --programs)");
        return false;
    }
    const std::string helper = JoinNative(options.programs, "__SETUP.EXE");
    if (IsFile(helper)) layout.programs.emplace_back("__SETUP.EXE", helper);
    return true;
}

// 2. Reads and compresses the files, in parallel; a source already compressed is
// taken as it is.
bool CompressFiles(std::vector<MediaFile>& files) {
    std::atomic<std::uint64_t> done{0};
    std::atomic<bool> failed{false};
    RunParallel(files.size(), [&](std::size_t i) {
        MediaFile& file = files[i];
        std::optional<std::string> bytes = ReadFile(file.source);
        if (!bytes) {
            Fail("cannot read " + file.source);
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
    return !failed;
}

// The floppy disks' room, as given or a 1.44 MB disk.
core::DiskGeometry Geometry(const BuildOptions& options) {
    return options.diskSize ? core::DiskGeometry::WithCapacity(options.diskSize) : core::DiskGeometry{};
}

// 3. The disk of every item. On a CD an item stays on the disk it names (disk 1 when
// it names none); floppies are filled in the script's order.
bool AssignDisks(const BuildOptions& options, const core::SetupScript& script, Layout& layout) {
    const std::vector<core::ScriptFileItem>& items = layout.items;
    auto written = [&](std::size_t k) { return items[k].section ? items[k].fields.m_nDisk : 1; };
    layout.diskOfItem.assign(items.size(), 1);
    if (!options.floppy) {
        for (std::size_t k = 0; k < items.size(); ++k) layout.diskOfItem[k] = std::max(1, written(k));
    } else {
        // Disk 1 holds the programs and the script, which grows by the numbers filled in
        // (a few bytes an item); every disk's root holds its tag file and volume label.
        core::DiskGeometry geometry = Geometry(options);
        geometry.rootEntries -= 2;
        std::vector<core::PlannedFile> reserved;
        for (const auto& [name, source] : layout.programs) reserved.push_back({name, FileSize(source), 1});
        reserved.push_back({"SETUP.INF", script.text.size() + 24 * items.size(), 1});
        // The uninstaller's own item is read from disk 1 whatever the order: its file is
        // placed there with the programs, before the product's files fill the disk.
        constexpr std::size_t kOnDiskOne = static_cast<std::size_t>(-1);
        for (std::size_t k = 0; k < items.size(); ++k) {
            if (items[k].section) continue;
            const MediaFile& file = layout.files[layout.fileOfItem[k]];
            reserved.push_back({file.path, file.bytes.size(), 1});
            break;
        }
        // One planned file per media file and disk: an item whose file an earlier one
        // placed shares it, unless it names another disk.
        std::vector<core::PlannedFile> planned;
        std::vector<std::size_t> plannedOfItem;
        std::map<std::size_t, std::size_t> firstPlanned;  // media file -> its first planned file
        for (std::size_t k = 0; k < items.size(); ++k) {
            if (!items[k].section) {
                plannedOfItem.push_back(kOnDiskOne);
                continue;
            }
            const MediaFile& file = layout.files[layout.fileOfItem[k]];
            const int disk = std::max(0, written(k));
            auto first = firstPlanned.find(layout.fileOfItem[k]);
            if (first != firstPlanned.end() && (disk == 0 || disk == planned[first->second].disk)) {
                plannedOfItem.push_back(first->second);
                continue;
            }
            firstPlanned.emplace(layout.fileOfItem[k], planned.size());
            plannedOfItem.push_back(planned.size());
            planned.push_back({file.path, file.bytes.size(), disk});
        }
        const core::DiskPlan plan = core::PlanDisks(planned, geometry, reserved);
        if (!plan.error.empty()) {
            Fail(plan.error);
            return false;
        }
        for (std::size_t k = 0; k < items.size(); ++k)
            layout.diskOfItem[k] = plannedOfItem[k] == kOnDiskOne ? 1 : plan.disks[plannedOfItem[k]];
    }
    layout.diskCount = *std::max_element(layout.diskOfItem.begin(), layout.diskOfItem.end());
    return true;
}

// 4. The script with disk numbers and sizes filled in where they are empty or wrong,
// every other byte kept. The edits are made from the end of the text backwards, so the
// offsets of those still to make stay right whatever order the sections stand in.
std::string FilledScript(const core::SetupScript& script, const Layout& layout) {
    struct Edit {
        std::size_t offset, length;
        std::string value;
    };
    std::vector<Edit> edits;
    for (std::size_t k = 0; k < layout.items.size(); ++k) {
        const core::ScriptFileItem& item = layout.items[k];
        if (!item.section) continue;
        const std::string& value = item.section->section->m_arrEntries[item.entry].m_strValue;
        std::string edited = value;
        if (core::AtoiNumber(core::GetField(value, 0, "", ",")) != layout.diskOfItem[k])
            edited = core::ReplaceField(edited, 0, edited.size(), 0, std::to_string(layout.diskOfItem[k]));
        const std::uint64_t size = layout.files[layout.fileOfItem[k]].installedSize;
        const std::string writtenSize = core::GetField(edited, 6, "", ",");
        if (writtenSize.empty() || static_cast<std::uint64_t>(std::max(0, core::AtoiNumber(writtenSize))) != size)
            edited = core::ReplaceField(edited, 0, edited.size(), 6, std::to_string(size));
        if (edited != value) edits.push_back({script.ValueOffset(*item.section, item.entry), value.size(), std::move(edited)});
    }
    std::sort(edits.begin(), edits.end(), [](const Edit& a, const Edit& b) { return a.offset > b.offset; });
    std::string text = script.text;
    for (const Edit& edit : edits) text.replace(edit.offset, edit.length, edit.value);
    return text;
}

// What one disk holds, for the summary.
struct Disk {
    std::vector<std::pair<std::string, std::uint64_t>> files;  // path and size, in order
    std::uint64_t bytes = 0;
};

// The folder of a disk: a CD is the output folder itself, floppies are disk1/, disk2/, ...
std::string DiskFolder(const BuildOptions& options, int disk) {
    return options.floppy ? JoinNative(options.out, "disk" + std::to_string(disk)) : options.out;
}

// Output left by an earlier build may be replaced; any other is refused.
bool OutputMayBeReplaced(const BuildOptions& options) {
    if (IsEmptyOrMissing(options.out) || IsFile(JoinNative(DiskFolder(options, 1), "DISK1"))) return true;
    Fail(options.out + " is neither empty nor media built before; choose another --out");
    return false;
}

// 5. The folders, in place of any earlier output.
bool WriteMedia(const BuildOptions& options, const Layout& layout, const std::string& script, std::vector<Disk>& disks) {
    std::vector<std::string> programs;
    for (const auto& [name, source] : layout.programs) {
        std::optional<std::string> bytes = ReadFile(source);
        if (!bytes) {
            Fail("cannot read " + source);
            return false;
        }
        programs.push_back(std::move(*bytes));
    }
    disks.assign(options.floppy ? static_cast<std::size_t>(layout.diskCount) : 1, Disk{});
    std::vector<std::pair<std::string, std::string_view>> writes;  // target and bytes
    std::set<std::pair<int, std::string>> placed;
    auto put = [&](int disk, const std::string& path, std::string_view bytes) {
        if (!options.floppy) disk = 1;
        if (!placed.insert({disk, path}).second) return;  // a file two items share
        writes.emplace_back(NativePath(DiskFolder(options, disk), path), bytes);
        Disk& summary = disks[static_cast<std::size_t>(disk - 1)];
        summary.files.emplace_back(path, bytes.size());
        summary.bytes += bytes.size();
    };
    for (int disk = 1; disk <= layout.diskCount; ++disk) put(disk, "DISK" + std::to_string(disk), "");
    for (std::size_t p = 0; p < programs.size(); ++p) put(1, layout.programs[p].first, programs[p]);
    put(1, "SETUP.INF", script);
    for (std::size_t k = 0; k < layout.items.size(); ++k) {
        const MediaFile& file = layout.files[layout.fileOfItem[k]];
        put(layout.diskOfItem[k], file.path, file.bytes);
    }

    // One file after another: files made at once in one folder wait for each other there.
    RemoveTree(options.out);
    for (const auto& [target, bytes] : writes)
        if (!MakeFolderOf(target) || !WriteFile(target, bytes)) {
            Fail("cannot write " + target);
            return false;
        }
    return true;
}

// 6. Disk images beside the folders: a FAT12 floppy image per disk (mtools), or one
// ISO 9660 image with Joliet and Rock Ridge names (xorriso). Names go to the tools in UTF-8.
bool MakeImages(const BuildOptions& options, int diskCount) {
#if defined(_WIN32)
    (void)options;
    (void)diskCount;
    Fail("--images needs mtools and xorriso, which this build of orvmedia cannot run");
    return false;
#else
    const std::string utf8 = "LC_ALL=C.UTF-8 MTOOLS_SKIP_CHECK=1 ";
    const std::string out = AbsolutePath(options.out);  // the floppies' tool runs in each disk's folder
    if (options.floppy) {
        std::string format = "-f 1440";
        if (options.diskSize > 1474560) {
            // A larger disk for tests: as many 18-sector tracks on two sides as it takes.
            const std::uint64_t tracks = (options.diskSize / 512 + 64 + 35) / 36;
            format = "-t " + std::to_string(tracks) + " -h 2 -s 18";
        }
        for (int disk = 1; disk <= diskCount; ++disk) {
            const std::string name = "disk" + std::to_string(disk);
            const std::string image = ShellQuote(JoinNative(out, name + ".img"));
            if (!RunCommand(utf8 + "mformat -C " + format + " -v DISK" + std::to_string(disk) + " -i " + image + " ::") ||
                !RunCommand("cd " + ShellQuote(JoinNative(out, name)) + " && " + utf8 + "mcopy -s -Q -i " + image +
                            " * ::/")) {
                Fail("mtools could not make " + JoinNative(out, name + ".img"));
                return false;
            }
        }
        return true;
    }
    const std::string partial = out + ".iso.part";
    const std::string image = JoinNative(out, "cd.iso");
    if (!RunCommand(utf8 + "xorriso -as mkisofs -quiet -input-charset utf-8 -J -joliet-long -R -V ORVAN_SETUP -o " +
                    ShellQuote(partial) + " " + ShellQuote(out) + " >/dev/null 2>&1") ||
        !RenameFile(partial, image)) {
        Fail("xorriso could not make " + image);
        return false;
    }
    return true;
#endif
}

// A line per disk: its files and bytes, and on floppies the room left.
void PrintSummary(const BuildOptions& options, const std::vector<Disk>& disks) {
    for (std::size_t d = 0; d < disks.size(); ++d) {
        std::string line = options.floppy ? "disk " + std::to_string(d + 1) : std::string("cd");
        line += ": " + std::to_string(disks[d].files.size()) + " files, " + WithSeparators(disks[d].bytes) + " bytes";
        if (options.floppy) {
            core::DiskUsage usage(Geometry(options));
            for (const auto& [path, size] : disks[d].files) usage.Add(path, size);
            line += ", " + WithSeparators(usage.FreeBytes()) + " bytes free";
        }
        Say(line);
    }
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
    const core::SetupScript script = core::ReadSetupScript(*text);
    // The findings are shown, and the media built as the script stands: the installer
    // will read it just so (tests build scripts with faults on purpose).
    if (const int errors = PrintFindings(options.script, core::CheckScript(script), false))
        std::fprintf(stderr, "orvmedia: the script has %d error(s); the media follow it as it stands\n", errors);

    if (!OutputMayBeReplaced(options)) return 1;
    Layout layout;
    layout.items = core::AllFileItems(script);
    if (!CollectFiles(options, layout) || !FindPrograms(options, layout) || !CompressFiles(layout.files) ||
        !AssignDisks(options, script, layout))
        return 1;
    std::vector<Disk> disks;
    if (!WriteMedia(options, layout, FilledScript(script, layout), disks)) return 1;
    if (options.images && !MakeImages(options, layout.diskCount)) return 1;
    PrintSummary(options, disks);
    return 0;
}

}  // namespace media
