// How long reading every item list of a large SETUP.INF takes, next to reading
// the file's bytes once. Each section read either parses the file anew (as a
// fresh read-only profile does) or takes the parsed content from the run cache.
#include "core/ItemRecords.h"
#include "core/ParsedFileCache.h"
#include "core/ProfileParser.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

const char* const kKinds[] = {"IniUpdates", "RegUpdates", "Executes", "RegisterOcx",
                              "RegisterAutomation", "RegisterCom", "MakeShortCut"};

// Lines spread over the plain, Common:: and option sections of a kind.
void AppendSections(std::string& out, const std::string& plain, const std::string& optionSection, int lines,
                    const std::string& lineText) {
    const std::string names[] = {plain, "Common::" + plain, optionSection};
    for (int part = 0; part < 3; ++part) {
        out += "[" + names[part] + "]\r\n";
        for (int i = part; i < lines; i += 3) out += "Item" + std::to_string(i) + " = " + lineText + "\r\n";
    }
}

std::string MakeScript() {
    std::string out =
        "[Config]\r\nProduct=Bench\r\n[Logo]\r\nLT=T,240,Face,Bench\r\n"
        "[InstallOption]\r\nTypical=FL,Usual files\r\nFull=FL,Everything\r\n";
    AppendSections(out, "InstallFiles", "Full::InstallFIles", 10000,
                   "1,\\BIN,FILE.EX_,0,$InstDir$\\BIN,FILE.EXE,123456,1,Icon title");
    for (const char* kind : kKinds)
        AppendSections(out, kind, std::string("Full::") + kind, 2000, "\"a,b\",Field1,Field2,Field3,1");
    return out;
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

core::ParsedFileCache g_cache;

std::shared_ptr<const core::FileProfileSections> LoadScript(const std::string& path, bool cached) {
    core::FileStamp stamp;
    if (cached) {
        // As the profile does: the cached parse counts only while size and time of last write match.
        stamp.size = std::filesystem::file_size(path);
        stamp.lastWrite = static_cast<std::uint64_t>(std::filesystem::last_write_time(path).time_since_epoch().count());
        if (auto content = g_cache.Find(path, stamp)) return content;
    }
    auto content = std::make_shared<const core::FileProfileSections>(core::ParseProfileText(ReadBytes(path)));
    if (cached) g_cache.Store(path, stamp, content);
    return content;
}

// One section read: load, find the section, one record per entry with a value.
template <class Item>
int ReadSection(std::vector<std::unique_ptr<Item>>& list, const std::string& path, const std::string& name,
                bool cached) {
    auto content = LoadScript(path, cached);
    const core::FileProfileSection* section = core::FindProfileSection(*content, name);
    if (!section) return 0;
    int count = 0;
    for (const auto& entry : section->m_arrEntries) {
        if (entry.m_strValue.empty()) continue;
        list.push_back(std::make_unique<Item>(entry.m_strKey, entry.m_strValue));
        ++count;
    }
    return count;
}

template <class Item>
int ReadKind(std::vector<std::unique_ptr<Item>>& list, const std::string& path, const std::string& plain,
             const std::string& optionSection, bool cached) {
    return ReadSection(list, path, plain, cached) + ReadSection(list, path, "Common::" + plain, cached) +
           ReadSection(list, path, optionSection, cached);
}

int ReadEverything(const std::string& path, bool cached) {
    std::vector<std::unique_ptr<core::LogoItemFields>> logos;
    std::vector<std::unique_ptr<core::OptionItemFields>> options;
    std::vector<std::unique_ptr<core::FileItemFields>> files;
    std::vector<std::unique_ptr<core::IniItemFields>> inis;
    std::vector<std::unique_ptr<core::IniItemFields>> regs;  // registry records need the platform; same fields count
    std::vector<std::unique_ptr<core::ExeItemFields>> exes;
    std::vector<std::unique_ptr<core::OcxItemFields>> ocxs;
    std::vector<std::unique_ptr<core::AutomationItemFields>> automations;
    std::vector<std::unique_ptr<core::ShortcutItemFields>> shortcuts;
    int count = ReadSection(logos, path, "Logo", cached) + ReadSection(options, path, "InstallOption", cached);
    count += ReadKind(files, path, "InstallFiles", "Full::InstallFIles", cached);
    count += ReadKind(inis, path, "IniUpdates", "Full::IniUpdates", cached);
    count += ReadKind(regs, path, "RegUpdates", "Full::RegUpdates", cached);
    count += ReadKind(exes, path, "Executes", "Full::Executes", cached);
    count += ReadKind(ocxs, path, "RegisterOcx", "Full::RegisterOcx", cached);
    count += ReadKind(automations, path, "RegisterAutomation", "Full::RegisterAutomation", cached);
    // COM registration sections are read and yield nothing; the reading costs the same.
    LoadScript(path, cached);
    LoadScript(path, cached);
    LoadScript(path, cached);
    count += ReadKind(shortcuts, path, "MakeShortCut", "Full::MakeShortCut", cached);
    return count;
}

template <class Fn>
double Milliseconds(Fn fn) {
    auto start = std::chrono::steady_clock::now();
    fn();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main() {
    std::string path = "/tmp/bench_setup_inf_" + std::to_string(::getpid()) + ".inf";
    std::string script = MakeScript();
    std::ofstream(path, std::ios::binary) << script;
    ReadBytes(path);  // warm the page cache

    size_t bytes = 0;
    double readOnce = 1e9, perSection = 1e9, cachedRun = 1e9;
    int items = 0;
    for (int round = 0; round < 5; ++round) {
        readOnce = std::min(readOnce, Milliseconds([&] { bytes = ReadBytes(path).size(); }));
        perSection = std::min(perSection, Milliseconds([&] { items = ReadEverything(path, false); }));
        g_cache.Clear();
        cachedRun = std::min(cachedRun, Milliseconds([&] { items = ReadEverything(path, true); }));
    }
    std::remove(path.c_str());

    std::printf("SETUP.INF of %zu bytes, %d items read\n", bytes, items);
    std::printf("  reading the bytes once:                  %8.2f ms\n", readOnce);
    std::printf("  every list, file parsed per section:     %8.2f ms  (%.0f:1)\n", perSection, perSection / readOnce);
    std::printf("  every list, parsed once (run cache):     %8.2f ms  (%.0f:1)\n", cachedRun, cachedRun / readOnce);
    return 0;
}
