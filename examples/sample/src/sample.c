// SAMPLE.EXE, the sample product's program. Started plainly it says what it is.
// With /REGSERVER or /UNREGSERVER it registers or unregisters itself as an
// automation server for the current user and ends at once, without a window:
// the installer waits for that registration to end.
#include <windows.h>

static const char kServerKey[] = "Software\\Sample\\SampleServer";
static const char kServerValue[] = "LocalServer32";

// True when the command line holds the switch (given with "/" or "-", any case).
static int HasSwitch(const char* commandLine, const char* name) {
    const char* p = commandLine;
    while (*p) {
        while (*p == ' ' || *p == '\t') ++p;
        const char* start = p;
        while (*p && *p != ' ' && *p != '\t') ++p;
        if ((*start == '/' || *start == '-') && p - start - 1 == lstrlenA(name)) {
            char word[32];
            lstrcpynA(word, start + 1, (int)(p - start));
            if (lstrcmpiA(word, name) == 0) return 1;
        }
    }
    return 0;
}

static int Register(void) {
    char path[MAX_PATH];
    HKEY key;
    DWORD length = GetModuleFileNameA(NULL, path, sizeof path);
    if (length == 0 || length >= sizeof path) return 1;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kServerKey, 0, NULL, 0, KEY_SET_VALUE, NULL, &key, NULL) != ERROR_SUCCESS)
        return 1;
    LONG result = RegSetValueExA(key, kServerValue, 0, REG_SZ, (const BYTE*)path, length + 1);
    RegCloseKey(key);
    return result == ERROR_SUCCESS ? 0 : 1;
}

static int Unregister(void) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kServerKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return 0;
    RegDeleteValueA(key, kServerValue);
    RegCloseKey(key);
    RegDeleteKeyA(HKEY_CURRENT_USER, kServerKey);  // the key is the server's too
    return 0;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
    (void)instance;
    (void)previous;
    (void)show;
    if (HasSwitch(commandLine, "REGSERVER")) return Register();
    if (HasSwitch(commandLine, "UNREGSERVER")) return Unregister();
    MessageBoxA(NULL, "サンプル ツール バージョン 1.0", "サンプル ツール", MB_OK | MB_ICONINFORMATION);
    return 0;
}
