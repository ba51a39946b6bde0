#include "framework/SystemPaths.h"

#include <windows.h>

#include "core/ShiftJisPath.h"

namespace fw {

namespace {

// A path a system call wrote into a buffer of MAX_PATH: "" when it failed or did not fit.
std::string FromBuffer(const char* buffer, DWORD length) {
    return length > 0 && length < MAX_PATH ? std::string(buffer, length) : std::string();
}

}  // namespace

std::string ModulePath() {
    char buffer[MAX_PATH] = "";
    return FromBuffer(buffer, GetModuleFileNameA(nullptr, buffer, MAX_PATH));
}

std::string ModuleDirectory() {
    const std::string path = ModulePath();
    const size_t slash = core::FindLastBackslash(path);
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string WindowsDirectory() {
    char buffer[MAX_PATH] = "";
    return FromBuffer(buffer, GetWindowsDirectoryA(buffer, MAX_PATH));
}

std::string SystemDirectory() {
    char buffer[MAX_PATH] = "";
    return FromBuffer(buffer, GetSystemDirectoryA(buffer, MAX_PATH));
}

}  // namespace fw
