// orvmedia: checks a SETUP.INF against the installer's rules and its media, and builds
// the media (CD folder or floppy set, optionally as disk images) from it.
#include "Build.h"
#include "Files.h"
#include "core/ScriptCheck.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#ifndef ORVMEDIA_DEFAULT_PROGRAMS
#define ORVMEDIA_DEFAULT_PROGRAMS "."
#endif

namespace {

constexpr char kUsage[] =
    "usage: orvmedia check SETUP.INF [--source DIR] [--werror]\n"
    "       orvmedia build SETUP.INF --source DIR [--source DIR ...] --out DIR [--layout cd|floppy]\n"
    "                      [--disk-size BYTES] [--programs DIR] [--images]\n";

int Usage(const std::string& problem) {
    std::fprintf(stderr, "orvmedia: %s\n%s", problem.c_str(), kUsage);
    return 2;
}

// A built media folder: a CD (every DISKn tag at the top) or a floppy set (disk1/, disk2/, ...).
class MediaOnDisk : public core::MediaFolder {
public:
    explicit MediaOnDisk(std::string top) : m_top(std::move(top)) {
        m_floppy = media::IsDirectory(media::JoinNative(m_top, "disk1"));
    }
    bool HasDisk(int disk) const override { return media::IsFile(media::JoinNative(Folder(disk), Tag(disk))); }
    std::optional<std::string> Read(int disk, const std::string& path) const override {
        return media::ReadFile(media::NativePath(Folder(disk), path));
    }
    bool Exists(int disk, const std::string& path) const override {
        return media::IsFile(media::NativePath(Folder(disk), path));
    }

private:
    static std::string Tag(int disk) { return "DISK" + std::to_string(disk); }
    std::string Folder(int disk) const {
        return m_floppy ? media::JoinNative(m_top, "disk" + std::to_string(disk)) : m_top;
    }
    std::string m_top;
    bool m_floppy = false;
};

int Check(const std::vector<std::string>& args) {
    std::string script, source;
    bool werror = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--source" && i + 1 < args.size()) {
            source = args[++i];
        } else if (args[i] == "--werror") {
            werror = true;
        } else if (script.empty() && args[i].rfind("--", 0) != 0) {
            script = args[i];
        } else {
            return Usage("check: unexpected " + args[i]);
        }
    }
    if (script.empty()) return Usage("check: name the SETUP.INF");
    const std::optional<std::string> text = media::ReadFile(script);
    if (!text) {
        std::fprintf(stderr, "orvmedia: cannot read %s\n", script.c_str());
        return 2;
    }
    const core::SetupScript parsed = core::ReadSetupScript(*text);
    std::vector<core::Finding> findings = core::CheckScript(parsed);
    if (!source.empty()) {
        if (!media::IsDirectory(source)) return Usage("check: --source " + source + " is no folder");
        const std::vector<core::Finding> more = core::CheckMedia(parsed, MediaOnDisk(source));
        findings.insert(findings.end(), more.begin(), more.end());
    }
    return media::PrintFindings(script, findings, werror) > 0 ? 1 : 0;
}

int Build(const std::vector<std::string>& args) {
    media::BuildOptions options;
    options.programs = ORVMEDIA_DEFAULT_PROGRAMS;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--source" && hasValue) {
            options.sources.push_back(args[++i]);
        } else if (arg == "--out" && hasValue) {
            options.out = args[++i];
        } else if (arg == "--programs" && hasValue) {
            options.programs = args[++i];
        } else if (arg == "--layout" && hasValue) {
            const std::string layout = args[++i];
            if (layout != "cd" && layout != "floppy") return Usage("build: --layout is cd or floppy");
            options.floppy = layout == "floppy";
        } else if (arg == "--disk-size" && hasValue) {
            char* end = nullptr;
            options.diskSize = std::strtoull(args[++i].c_str(), &end, 10);
            if (!end || *end || options.diskSize < 16384) return Usage("build: --disk-size is a number of bytes, 16384 or more");
        } else if (arg == "--images") {
            options.images = true;
        } else if (options.script.empty() && arg.rfind("--", 0) != 0) {
            options.script = arg;
        } else {
            return Usage("build: unexpected " + arg);
        }
    }
    if (options.script.empty() || options.sources.empty() || options.out.empty())
        return Usage("build: name the SETUP.INF, --source and --out");
    for (const std::string& source : options.sources)
        if (!media::IsDirectory(source)) return Usage("build: --source " + source + " is no folder");
    return media::RunBuild(options);
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) return Usage("name a command");
    const std::string command = args.front();
    args.erase(args.begin());
    if (command == "check") return Check(args);
    if (command == "build") return Build(args);
    return Usage("unknown command " + command);
}
