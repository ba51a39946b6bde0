#include "Files.h"

#include "core/ShiftJis.h"

#include <atomic>
#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#if !defined(_WIN32)
#include <iconv.h>
#include <langinfo.h>
#endif
#if defined(_GLIBCXX_HAS_GTHREADS)
#include <thread>
#endif

namespace fs = std::filesystem;

namespace media {

namespace {

#if !defined(_WIN32)
std::string Convert(std::string_view text, const char* from, const char* to) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(text);
    std::string out(text.size() * 3 + 4, '\0');
    char* in = const_cast<char*>(text.data());
    size_t inLeft = text.size();
    char* outPtr = out.data();
    size_t outLeft = out.size();
    while (inLeft > 0) {
        if (iconv(cd, &in, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1)) {
            // A byte the code page lacks is kept as it is.
            *outPtr++ = *in++;
            --inLeft;
            --outLeft;
        }
    }
    iconv_close(cd);
    out.resize(out.size() - outLeft);
    return out;
}
#endif

}  // namespace

std::string Utf8FromShiftJis(std::string_view shiftJis) {
#if defined(_WIN32)
    return std::string(shiftJis);
#else
    return Convert(shiftJis, "CP932", "UTF-8");
#endif
}

std::string NativePath(const std::string& dir, std::string_view scriptPath) {
    // Split at real backslashes: the second byte of "ソ" (0x83 0x5C) is none.
    std::string native = dir;
    std::string part;
    auto flush = [&] {
        if (part.empty()) return;
#if defined(_WIN32)
        native = JoinNative(native, part);
#else
        native = JoinNative(native, Utf8FromShiftJis(part));
#endif
        part.clear();
    };
    for (std::size_t i = 0; i < scriptPath.size(); ++i) {
        const char c = scriptPath[i];
        if (core::IsShiftJisLeadByte(static_cast<unsigned char>(c)) && i + 1 < scriptPath.size()) {
            part += c;
            part += scriptPath[++i];
        } else if (c == '\\' || c == '/') {
            flush();
        } else {
            part += c;
        }
    }
    flush();
    return native;
}

std::string JoinNative(const std::string& dir, const std::string& name) {
#if defined(_WIN32)
    const char separator = '\\';
#else
    const char separator = '/';
#endif
    if (dir.empty()) return name;
    if (dir.back() == '/' || dir.back() == '\\') return dir + name;
    return dir + separator + name;
}

std::optional<std::string> ReadFile(const std::string& path) {
    if (!IsFile(path)) return std::nullopt;
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    const std::streamoff size = in ? static_cast<std::streamoff>(in.tellg()) : -1;
    if (size < 0) return std::nullopt;
    std::string bytes(static_cast<std::size_t>(size), '\0');
    if (!in.seekg(0) || !in.read(bytes.data(), size)) return std::nullopt;
    return bytes;
}

std::uint64_t FileSize(const std::string& path) {
    std::error_code error;
    const std::uintmax_t size = fs::file_size(path, error);
    return error ? 0 : size;
}

std::string AbsolutePath(const std::string& path) {
    std::error_code error;
    const fs::path absolute = fs::absolute(path, error);
    return error ? path : absolute.string();
}

bool WriteFile(const std::string& path, std::string_view data) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(data.data(), static_cast<std::streamsize>(data.size()));
    return static_cast<bool>(out.flush());
}

bool IsFile(const std::string& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);
}

bool IsDirectory(const std::string& path) {
    std::error_code error;
    return fs::is_directory(path, error);
}

bool IsEmptyOrMissing(const std::string& path) {
    std::error_code error;
    return !fs::exists(path, error) || (fs::is_directory(path, error) && fs::is_empty(path, error));
}

bool RemoveTree(const std::string& path) {
    std::error_code error;
    fs::remove_all(path, error);
    return !error;
}

bool MakeDirectories(const std::string& path) {
    std::error_code error;
    fs::create_directories(path, error);
    return IsDirectory(path);
}

bool MakeFolderOf(const std::string& filePath) {
    const fs::path parent = fs::path(filePath).parent_path();
    return parent.empty() || MakeDirectories(parent.string());
}

bool RenameFile(const std::string& from, const std::string& to) {
    std::error_code error;
    fs::rename(from, to, error);
    return !error;
}

std::string ForTerminal(std::string_view shiftJis) {
#if defined(_WIN32)
    return std::string(shiftJis);
#else
    static const bool utf8 = [] {
        std::setlocale(LC_CTYPE, "");
        const std::string codeset = nl_langinfo(CODESET);
        return codeset == "UTF-8" || codeset == "utf8";
    }();
    return utf8 ? Utf8FromShiftJis(shiftJis) : std::string(shiftJis);
#endif
}

void RunParallel(std::size_t count, const std::function<void(std::size_t)>& task) {
#if defined(_GLIBCXX_HAS_GTHREADS)
    const std::size_t threads = std::min<std::size_t>(count, std::max(1u, std::thread::hardware_concurrency()));
    if (threads > 1) {
        std::atomic<std::size_t> next{0};
        std::vector<std::thread> workers;
        for (std::size_t t = 0; t < threads; ++t)
            workers.emplace_back([&] {
                for (std::size_t i; (i = next++) < count;) task(i);
            });
        for (std::thread& worker : workers) worker.join();
        return;
    }
#endif
    for (std::size_t i = 0; i < count; ++i) task(i);
}

bool RunCommand(const std::string& commandLine) { return std::system(commandLine.c_str()) == 0; }

std::string ShellQuote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

}  // namespace media
