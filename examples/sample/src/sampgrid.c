// SAMPGRID.OCX, the sample product's control. Registering it writes the value
// "Path" (the control's own file) under HKCU\Software\Sample\SampleGrid;
// unregistering removes that value and the key again.
#include <windows.h>
#include <olectl.h>

static const char kGridKey[] = "Software\\Sample\\SampleGrid";
static const char kPathValue[] = "Path";
static HINSTANCE g_module;

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved) {
    (void)reserved;
    if (reason == DLL_PROCESS_ATTACH) g_module = module;
    return TRUE;
}

__declspec(dllexport) HRESULT WINAPI DllRegisterServer(void) {
    char path[MAX_PATH];
    HKEY key;
    DWORD length = GetModuleFileNameA(g_module, path, sizeof path);
    if (length == 0 || length >= sizeof path) return SELFREG_E_CLASS;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kGridKey, 0, NULL, 0, KEY_SET_VALUE, NULL, &key, NULL) != ERROR_SUCCESS)
        return SELFREG_E_CLASS;
    LONG result = RegSetValueExA(key, kPathValue, 0, REG_SZ, (const BYTE*)path, length + 1);
    RegCloseKey(key);
    return result == ERROR_SUCCESS ? S_OK : SELFREG_E_CLASS;
}

__declspec(dllexport) HRESULT WINAPI DllUnregisterServer(void) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kGridKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return S_OK;
    LONG result = RegDeleteValueA(key, kPathValue);
    RegCloseKey(key);
    RegDeleteKeyA(HKEY_CURRENT_USER, kGridKey);  // the key is the control's too
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND ? S_OK : SELFREG_E_CLASS;
}
