// verprobe: prints what the platform's version service (VerFindFileA,
// VerInstallFileA) answers in the cases the copy engine has to handle. Not part
// of the installer; run-probe.sh prepares the files and drives and runs it under
// Wine. Drives: C:\probe (work folders and stock files), F:\ (a nearly full
// 1 MB file system), R:\ (a read-only file system holding source files).
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

const char* const kVifNames[] = {"VIF_TEMPFILE",       "VIF_MISMATCH",        "VIF_SRCOLD",       "VIF_DIFFLANG",
                                 "VIF_DIFFCODEPG",     "VIF_DIFFTYPE",        "VIF_WRITEPROT",    "VIF_FILEINUSE",
                                 "VIF_OUTOFSPACE",     "VIF_ACCESSVIOLATION", "VIF_SHARINGVIOLATION",
                                 "VIF_CANNOTCREATE",   "VIF_CANNOTDELETE",    "VIF_CANNOTRENAME", "VIF_CANNOTDELETECUR",
                                 "VIF_OUTOFMEMORY",    "VIF_CANNOTREADSRC",   "VIF_CANNOTREADDST",
                                 "VIF_BUFFTOOSMALL",   "VIF_CANNOTLOADLZ32",  "VIF_CANNOTLOADCABINET"};
const char* const kVffNames[] = {"VFF_CURNEDEST", "VFF_FILEINUSE", "VFF_BUFFTOOSMALL"};

template <size_t N>
std::string Bits(DWORD value, const char* const (&names)[N]) {
    char text[512];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(value));
    std::string result = text;
    std::string named;
    for (size_t bit = 0; bit < N; ++bit) {
        if (value & (1u << bit)) named += (named.empty() ? "" : "|") + std::string(names[bit]);
    }
    return result + (named.empty() ? "" : " = " + named);
}

// Output is UTF-8; the program's paths are Shift-JIS.
std::string Utf8(const std::string& ansi) {
    wchar_t wide[1024];
    char utf8[2048];
    int length = MultiByteToWideChar(932, 0, ansi.c_str(), -1, wide, 1024);
    WideCharToMultiByte(CP_UTF8, 0, wide, length, utf8, sizeof utf8, nullptr, nullptr);
    return utf8;
}

void Say(const std::string& ansi) { std::printf("%s\n", Utf8(ansi).c_str()); }

std::string VersionOf(const std::string& path) {
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
    if (!size) return "no version";
    std::vector<char> data(size);
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (!GetFileVersionInfoA(path.c_str(), 0, size, data.data()) ||
        !VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&info), &length))
        return "no version";
    return std::to_string(HIWORD(info->dwFileVersionMS)) + "." + std::to_string(LOWORD(info->dwFileVersionMS)) + "." +
           std::to_string(HIWORD(info->dwFileVersionLS)) + "." + std::to_string(LOWORD(info->dwFileVersionLS));
}

// Every file in a folder with its size, attributes and version.
void List(const std::string& dir) {
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((dir + "\\*").c_str(), &found);
    std::string listing;
    if (find != INVALID_HANDLE_VALUE) {
        do {
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
            char attributes[16];
            std::snprintf(attributes, sizeof attributes, "%lx", static_cast<unsigned long>(found.dwFileAttributes));
            listing += std::string(listing.empty() ? "" : ", ") + found.cFileName + " (" +
                       std::to_string(found.nFileSizeLow) + " bytes, attr " + attributes + ", " +
                       VersionOf(dir + "\\" + found.cFileName) + ")";
        } while (FindNextFileA(find, &found));
        FindClose(find);
    }
    Say("    files in " + dir + ": " + (listing.empty() ? "(none)" : listing));
}

// Makes the folder (and its parents) and empties it.
void Fresh(const std::string& dir) {
    for (size_t slash = dir.find('\\', 3); slash != std::string::npos; slash = dir.find('\\', slash + 1))
        CreateDirectoryA(dir.substr(0, slash).c_str(), nullptr);
    CreateDirectoryA(dir.c_str(), nullptr);
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((dir + "\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        std::string path = dir + "\\" + found.cFileName;
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
    } while (FindNextFileA(find, &found));
    FindClose(find);
}

void Copy(const std::string& from, const std::string& to) {
    if (!CopyFileA(from.c_str(), to.c_str(), FALSE))
        Say("    (setup: copying " + from + " failed, error " + std::to_string(GetLastError()) + ")");
}

bool SameContent(const std::string& a, const std::string& b) {
    auto read = [](const std::string& path) {
        std::string data;
        if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
            char buffer[4096];
            size_t n;
            while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) data.append(buffer, n);
            std::fclose(file);
        } else {
            data = "\x01missing";
        }
        return data;
    };
    return read(a) == read(b);
}

std::string WindowsDir() {
    char dir[MAX_PATH];
    GetWindowsDirectoryA(dir, sizeof dir);
    return dir;
}

void Find(DWORD flags, const std::string& name, const std::string& appDir, UINT bufferLength = MAX_PATH) {
    char cur[MAX_PATH] = "", dest[MAX_PATH] = "";
    UINT curLength = bufferLength, destLength = bufferLength;
    // MinGW declares the input strings of both calls as non-const.
    std::string windows = WindowsDir();
    DWORD result = VerFindFileA(flags, const_cast<char*>(name.c_str()), windows.data(),
                                const_cast<char*>(appDir.c_str()), cur, &curLength, dest, &destLength);
    Say("  VerFindFileA(flags " + std::to_string(flags) + ", \"" + name + "\", appDir \"" + appDir +
        "\", buffers " + std::to_string(bufferLength) + ")");
    Say("    result " + Bits(result, kVffNames) + "; curDir \"" + cur + "\" (len " + std::to_string(curLength) +
        "); destDir \"" + dest + "\" (len " + std::to_string(destLength) + ")");
}

struct Install {
    DWORD flags = 0;
    std::string srcName, destName, srcDir, destDir, curDir;
    char tmp[MAX_PATH] = "";
    UINT tmpLength = MAX_PATH;

    DWORD Run() {
        DWORD result = VerInstallFileA(flags, srcName.data(), destName.data(), srcDir.data(), destDir.data(),
                                       curDir.data(), tmp, &tmpLength);
        Say("  VerInstallFileA(flags " + std::to_string(flags) + ", \"" + srcName + "\", \"" + destName +
            "\", srcDir \"" + srcDir + "\" [" + std::to_string(srcDir.size()) + "], destDir \"" + destDir + "\" [" +
            std::to_string(destDir.size()) + "], curDir \"" + curDir + "\")");
        Say("    result " + Bits(result, kVifNames) + "; tmpFile \"" + tmp + "\" (len " + std::to_string(tmpLength) + ")");
        return result;
    }
};

const std::string kStock = "C:\\probe\\stock";  // SAMPCORE.DLL, TINY.TXT, BIG.DAT, VERTEST1.DLL, VERTEST2.DLL
const std::string kSrc = "C:\\probe\\src";      // SAMPCORE.DL_, TINY.TX_, BIG.DA_, VERTEST.DL_ (v1), VERTEST.DLL (v1)
const std::string kSrc2 = "C:\\probe\\src2";    // VERTEST.DL_ (v2)
const std::string kDst = "C:\\probe\\dst";

void FindCases() {
    Say("== VerFindFileA (Windows directory " + WindowsDir() + ")");
    Fresh("C:\\probe\\app");
    Copy(kStock + "\\VERTEST2.DLL", "C:\\probe\\app\\APPFILE.DLL");
    char system[MAX_PATH];
    GetSystemDirectoryA(system, sizeof system);
    const std::string systemFile = std::string(system) + "\\SYSFILE.DLL";
    Copy(kStock + "\\VERTEST2.DLL", systemFile);
    for (DWORD flags : {0ul, static_cast<DWORD>(VFFF_ISSHAREDFILE)}) {
        Find(flags, "NEWFILE.DLL", "C:\\probe\\app");
        Find(flags, "APPFILE.DLL", "C:\\probe\\app");
        Find(flags, "SYSFILE.DLL", "C:\\probe\\app");
    }
    Find(0, "APPFILE.DLL", "C:\\probe\\app", 4);
    Find(VFFF_ISSHAREDFILE, "SYSFILE.DLL", "C:\\probe\\app", 4);
    DeleteFileA(systemFile.c_str());
}

void CompressedCases() {
    Say("== compressed (SZDD) sources, new destination");
    for (const char* name : {"SAMPCORE", "TINY"}) {
        const bool dll = std::string(name) == "SAMPCORE";
        Fresh(kDst);
        Install install;
        install.srcName = std::string(name) + (dll ? ".DL_" : ".TX_");
        install.destName = std::string(name) + (dll ? ".DLL" : ".TXT");
        install.srcDir = kSrc;
        install.destDir = kDst;
        install.Run();
        List(kDst);
        Say(std::string("    expanded file equals the original: ") +
            (SameContent(kDst + "\\" + install.destName, kStock + "\\" + install.destName) ? "yes" : "NO"));
    }
    Say("== source named by its plain name while only the compressed file exists");
    Fresh(kDst);
    Install install;
    install.srcName = "SAMPCORE.DLL";
    install.destName = "SAMPCORE.DLL";
    install.srcDir = kSrc;
    install.destDir = kDst;
    install.Run();
    List(kDst);
}

// Installs VERTEST from srcName over an existing copy; forces it when a temporary file is left.
void OlderOverNewer(const std::string& title, const std::string& existing, const std::string& srcName,
                    bool readOnly, const std::string& srcDir = kSrc) {
    Say("== " + title);
    Fresh(kDst);
    Copy(kStock + "\\" + existing, kDst + "\\VERTEST.DLL");
    if (readOnly) SetFileAttributesA((kDst + "\\VERTEST.DLL").c_str(), FILE_ATTRIBUTE_READONLY);
    Install install;
    install.srcName = srcName;
    install.destName = "VERTEST.DLL";
    install.srcDir = srcDir;
    install.destDir = kDst;
    install.curDir = kDst;
    DWORD result = install.Run();
    List(kDst);
    if (result != 0 && !(result & VIF_CANNOTREADSRC)) {
        install.flags = VIFF_FORCEINSTALL;
        install.Run();
        List(kDst);
    }
}

void FullDiskCases() {
    Say("== destination on a nearly full 1 MB file system (F:), source expands to 300000 bytes");
    ULARGE_INTEGER freeBytes{}, total{}, totalFree{};
    GetDiskFreeSpaceExA("F:\\", &freeBytes, &total, &totalFree);
    Say("    F:\\ free before: " + std::to_string(freeBytes.QuadPart) + " of " + std::to_string(total.QuadPart));
    for (bool existing : {false, true}) {
        Fresh("F:\\dst");
        if (existing) Copy(kStock + "\\TINY.TXT", "F:\\dst\\BIG.DAT");
        Say(existing ? "  -- an older plain BIG.DAT exists" : "  -- a new file");
        Install install;
        install.srcName = "BIG.DA_";
        install.destName = "BIG.DAT";
        install.srcDir = kSrc;
        install.destDir = "F:\\dst";
        install.curDir = existing ? "F:\\dst" : "";
        install.Run();
        List("F:\\dst");
    }
    Say("  -- an older VERTEST.DLL (2.0) exists, the source VERTEST.DL_ (1.0); the disk is then filled up");
    Fresh("F:\\dst");
    Copy(kStock + "\\VERTEST2.DLL", "F:\\dst\\VERTEST.DLL");
    // Leave less room than one more copy of the library needs.
    GetDiskFreeSpaceExA("F:\\", &freeBytes, &total, &totalFree);
    HANDLE fill = CreateFileA("F:\\fill2", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    std::vector<char> zeros(4096);
    DWORD written = 0;
    while (WriteFile(fill, zeros.data(), 4096, &written, nullptr) && written == 4096) {
    }
    CloseHandle(fill);
    Install install;
    install.srcName = "VERTEST.DL_";
    install.destName = "VERTEST.DLL";
    install.srcDir = kSrc;
    install.destDir = "F:\\dst";
    install.curDir = "F:\\dst";
    install.Run();
    List("F:\\dst");
    DeleteFileA("F:\\fill2");
}

void LongPathCases() {
    // About 150 characters, Japanese and blanks included.
    const std::string longDir =
        "C:\\probe\\長いフォルダー名 with blanks\\サンプル ツール のインストール元 ディスク イメージ\\"
        "Program Files for a very long path test\\もう一段 深い フォルダー";
    const std::string longSrc = longDir + "\\src";
    const std::string longDst = longDir + "\\dst";
    Say("== long paths (" + std::to_string(longSrc.size()) + " / " + std::to_string(longDst.size()) +
        " bytes before the file name)");
    Fresh(longSrc);
    Copy(kSrc + "\\VERTEST.DL_", longSrc + "\\VERTEST.DL_");
    Copy(kSrc + "\\VERTEST.DLL", longSrc + "\\VERTEST.DLL");
    struct Case {
        const char* what;
        std::string srcName, srcDir, destDir;
    };
    const Case cases[] = {
        {"long source folder, compressed source", "VERTEST.DL_", longSrc, kDst},
        {"long source folder, plain source", "VERTEST.DLL", longSrc, kDst},
        {"long destination folder, compressed source", "VERTEST.DL_", kSrc, longDst},
        {"long destination folder, plain source", "VERTEST.DLL", kSrc, longDst},
        {"both long, compressed source", "VERTEST.DL_", longSrc, longDst},
    };
    for (const Case& c : cases) {
        Say(std::string("  -- ") + c.what);
        Fresh(c.destDir);
        Install install;
        install.srcName = c.srcName;
        install.destName = "VERTEST.DLL";
        install.srcDir = c.srcDir;
        install.destDir = c.destDir;
        install.Run();
        List(c.destDir);
    }
    Say("  -- long destination folder, existing VERTEST.DLL 2.0, source 1.0 compressed");
    Fresh(longDst);
    Copy(kStock + "\\VERTEST2.DLL", longDst + "\\VERTEST.DLL");
    Install install;
    install.srcName = "VERTEST.DL_";
    install.destName = "VERTEST.DLL";
    install.srcDir = kSrc;
    install.destDir = longDst;
    install.curDir = longDst;
    install.Run();
    List(longDst);
    // Where OpenFile's limit lies: existing files at paths of 127 and 128 bytes, and the
    // long Japanese path (fewer than 128 characters, more than 128 bytes).
    const std::string asciiDir = "C:\\probe\\" + std::string(107, 'a');
    Fresh(asciiDir);
    for (const std::string& path : {asciiDir + "\\VERTEST.DL", asciiDir + "\\VERTEST.DLL", longSrc + "\\VERTEST.DLL"}) {
        Copy(kSrc + "\\VERTEST.DLL", path);
        OFSTRUCT of{};
        HFILE opened = OpenFile(path.c_str(), &of, OF_EXIST);
        DWORD error = GetLastError();
        Say("    OpenFile(OF_EXIST) on an existing file, path of " + std::to_string(path.size()) + " bytes / " +
            std::to_string(MultiByteToWideChar(932, 0, path.c_str(), -1, nullptr, 0) - 1) + " characters: " +
            (opened == HFILE_ERROR ? "HFILE_ERROR, error " + std::to_string(error) : "found"));
    }
}

void SourceFailureCases() {
    Say("== missing source file");
    Fresh(kDst);
    Install missing;
    missing.srcName = "NOSUCH.DL_";
    missing.destName = "NOSUCH.DLL";
    missing.srcDir = kSrc;
    missing.destDir = kDst;
    missing.Run();
    List(kDst);
    Say("== source on a read-only file system (R:)");
    Say("    attributes of R:\\VERTEST.DL_: " + std::to_string(GetFileAttributesA("R:\\VERTEST.DL_")));
    for (const char* name : {"VERTEST.DL_", "VERTEST.DLL"}) {
        Fresh(kDst);
        Install install;
        install.srcName = name;
        install.destName = "VERTEST.DLL";
        install.srcDir = "R:\\";
        install.destDir = kDst;
        install.Run();
        List(kDst);
    }
    OlderOverNewer("read-only source folder, older over newer", "VERTEST2.DLL", "VERTEST.DL_", false, "R:\\");
}

}  // namespace

int main() {
    FindCases();
    CompressedCases();
    OlderOverNewer("VERTEST 1.0 (compressed) over 2.0", "VERTEST2.DLL", "VERTEST.DL_", false);
    OlderOverNewer("VERTEST 1.0 (plain) over 2.0", "VERTEST2.DLL", "VERTEST.DLL", false);
    OlderOverNewer("VERTEST 1.0 over 1.0 (same version)", "VERTEST1.DLL", "VERTEST.DL_", false);
    OlderOverNewer("VERTEST 2.0 over 1.0 (newer over older)", "VERTEST1.DLL", "VERTEST.DL_", false, kSrc2);
    OlderOverNewer("read-only destination: VERTEST 1.0 over a read-only 2.0", "VERTEST2.DLL", "VERTEST.DL_", true);
    OlderOverNewer("read-only destination: VERTEST 2.0 over a read-only 1.0", "VERTEST1.DLL", "VERTEST.DL_", true, kSrc2);
    FullDiskCases();
    LongPathCases();
    SourceFailureCases();
    return 0;
}
