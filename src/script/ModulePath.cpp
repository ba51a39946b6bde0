#include <windows.h>

#include <string>

// Full path of the running executable.
std::string GetModulePath() {
    char path[260] = {};
    DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    return std::string(path, n < sizeof path ? n : sizeof path - 1);
}
