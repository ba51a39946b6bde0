// Benchmark (not a test): the copy phase against a bare loop of the platform's
// VerInstallFileA over the same files, in the same run. Prints the times and their ratio.
//
//   bench_copy.exe MEDIA_DIR OUTPUT_DIR [ROUNDS]
//
// MEDIA_DIR holds the compressed files (NAME.TX_ and the like), as scripts/bench-copy.sh
// lays them out. Every round installs into fresh directories under OUTPUT_DIR, bare loop
// and copy phase taking turns; the best round of each counts.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "common/FileUtils.h"
#include "common/Messages.h"
#include "copy/CopyDialog.h"
#include "framework/App.h"
#include "framework/Window.h"
#include "script/PathMacros.h"

namespace {

double Now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct MediaFile {
    std::string source;  // compressed name on the media
    std::string target;  // name once installed
    DWORD size;
};

std::vector<MediaFile> ReadMedia(const std::string& media) {
    std::vector<MediaFile> files;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((media + "\\*.*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return files;
    do {
        std::string name = found.cFileName;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY || name.empty() || name.back() != '_') continue;
        std::string target = name;
        target.back() = 'T';  // .TX_ -> .TXT, .DA_ -> .DAT
        files.push_back({name, target, found.nFileSizeLow});
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(files.begin(), files.end(), [](const MediaFile& a, const MediaFile& b) { return a.source < b.source; });
    return files;
}

double BareLoop(const std::vector<MediaFile>& files, const std::string& media, const std::string& destination) {
    CreateDirectoryTree(destination);
    const double start = Now();
    for (const MediaFile& file : files) {
        char temporary[MAX_PATH] = "";
        UINT length = MAX_PATH;
        const DWORD result =
            VerInstallFileA(0, const_cast<char*>(file.source.c_str()), const_cast<char*>(file.target.c_str()),
                            const_cast<char*>(media.c_str()), const_cast<char*>(destination.c_str()),
                            const_cast<char*>(""), temporary, &length);
        if (result != 0) std::fprintf(stderr, "bare loop: %s gave 0x%lx\n", file.source.c_str(), result);
    }
    return Now() - start;
}

class Parent : public fw::Window {
public:
    Parent() {
        RegisterWindowClass("BenchCopy.Parent", 0, nullptr);
        Create("BenchCopy.Parent", "", WS_POPUP, 0, 0, 0, 10, 10, nullptr, nullptr);
    }
    bool done = false;
    WPARAM code = 0;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_SETUP_COPY_DONE) done = true, code = wParam;
        return DefaultProc(msg, wParam, lParam);
    }
};

double CopyPhase(const std::vector<MediaFile>& files, const std::string& media, const std::string& destination) {
    SetSrcDirMacro(media);
    SetInstDirMacro(destination);
    CFileItemArray items;
    for (const MediaFile& file : files)
        items.push_back(new CFileItem(file.target, "1,," + file.source + ",0,," + file.target + "," +
                                                       std::to_string(file.size) + ",0"));
    Parent parent;
    CCopyDialog dialog;
    dialog.m_pFileItems = &items;
    const double start = Now();
    if (!dialog.Create(parent.GetHwnd())) {
        std::fprintf(stderr, "the copy dialog could not be created\n");
        return 0;
    }
    MSG msg;
    while (!parent.done && GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    const double elapsed = Now() - start;
    if (parent.code != SETUP_DONE) std::fprintf(stderr, "copy phase ended with %u\n", static_cast<unsigned>(parent.code));
    dialog.DestroyWindow();
    for (CFileItem* item : items) delete item;
    return elapsed;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_copy MEDIA_DIR OUTPUT_DIR [ROUNDS]\n");
        return 2;
    }
    fw::App app;  // the framework's dialogs and threads expect one
    const std::string media = argv[1], output = argv[2];
    const int rounds = argc > 3 ? std::max(1, std::atoi(argv[3])) : 3;
    const std::vector<MediaFile> files = ReadMedia(media);
    unsigned long long bytes = 0;
    for (const MediaFile& file : files) bytes += file.size;
    std::printf("media: %zu compressed files, %.1f MB\n", files.size(), bytes / 1048576.0);

    double bestBare = 1e9, bestPhase = 1e9;
    std::vector<double> ratios;
    for (int round = 0; round <= rounds; ++round) {  // round 0 warms the caches
        const std::string bareDir = output + "\\bare" + std::to_string(round);
        const std::string phaseDir = output + "\\phase" + std::to_string(round);
        const double bare = BareLoop(files, media, bareDir);
        const double phase = CopyPhase(files, media, phaseDir);
        DeleteDirectoryTree(bareDir + "\\");
        DeleteDirectoryTree(phaseDir + "\\");
        if (round == 0) continue;
        std::printf("round %d: bare VerInstallFileA loop %.3f s, copy phase %.3f s\n", round, bare, phase);
        bestBare = std::min(bestBare, bare);
        bestPhase = std::min(bestPhase, phase);
        ratios.push_back(phase / bare);
    }
    // On a shared machine a round's two runs see the same noise more often than the best
    // of each do: the median of the rounds' ratios is the steadier figure.
    std::sort(ratios.begin(), ratios.end());
    const double median = ratios.size() % 2 ? ratios[ratios.size() / 2]
                                            : (ratios[ratios.size() / 2 - 1] + ratios[ratios.size() / 2]) / 2;
    std::printf("best: bare loop %.3f s, copy phase %.3f s, ratio %.3f; median of the rounds' ratios %.3f\n", bestBare,
                bestPhase, bestPhase / bestBare, median);
    return 0;
}
