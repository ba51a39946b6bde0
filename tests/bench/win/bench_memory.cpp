// Benchmark (not a test): the installer's private memory at its success message. The
// program is the installer itself (CSetupApp, as SETUP.EXE runs it), with a watcher
// thread that walks it as a user would: Next on the welcome page, and at the success
// message it measures the committed private memory of the process before pressing OK.
//
//   bench_memory.exe        (beside a SETUP.INF that shows the welcome page only)
//
// Prints "private bytes at the success message: N". The memory is counted by walking
// the address space (VirtualQuery: committed, private), which every system the installer
// runs on offers.
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/SetupApp.h"
#include "framework/WizardButtons.h"

namespace {

constexpr char kSuccessText[] = "セットアップが完了しました。プログラムのアイコンをダブルクリックすることで実行出来ます。";

unsigned long long PrivateBytes() {
    unsigned long long total = 0;
    MEMORY_BASIC_INFORMATION region;
    const char* address = nullptr;
    while (VirtualQuery(address, &region, sizeof region) == sizeof region) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
        const char* next = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
        if (next <= address) break;
        address = next;
    }
    return total;
}

struct Search {
    const char* title;
    const char* text;  // a child's text, or null
    HWND found;
    bool hasText;
};

BOOL CALLBACK HasText(HWND child, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    char text[512] = "";
    GetWindowTextA(child, text, sizeof text);
    if (std::string(text) == search->text) search->hasText = true;
    return !search->hasText;
}

BOOL CALLBACK FindWindowOfThisProcess(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId() || !IsWindowVisible(window)) return TRUE;
    char title[256] = "";
    GetWindowTextA(window, title, sizeof title);
    if (std::string(title) != search->title) return TRUE;
    if (search->text) {
        search->hasText = false;
        EnumChildWindows(window, HasText, data);
        if (!search->hasText) return TRUE;
    }
    search->found = window;
    return FALSE;
}

HWND WaitForWindow(const char* title, const char* text) {
    for (int waited = 0; waited < 600000; waited += 50) {
        Search search{title, text, nullptr, false};
        EnumWindows(FindWindowOfThisProcess, reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
        Sleep(50);
    }
    return nullptr;
}

DWORD WINAPI Walk(void*) {
    if (HWND welcome = WaitForWindow("ようこそ", nullptr))
        PostMessageA(welcome, WM_COMMAND, MAKEWPARAM(fw::kWizardNextButton, BN_CLICKED), 0);
    HWND success = WaitForWindow("セットアップ", kSuccessText);
    if (!success) {
        std::printf("the success message did not come\n");
        return 1;
    }
    std::printf("private bytes at the success message: %llu\n", PrivateBytes());
    std::fflush(stdout);
    PostMessageA(success, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return 0;
}

}  // namespace

int main() {
    CSetupApp app;
    CloseHandle(CreateThread(nullptr, 0, Walk, nullptr, 0, nullptr));
    return app.Run();
}
