// DEPOCX.OCX: a control that imports DEPLIB.DLL from beside itself and whose registration
// creates a COM object, as many do. Its registration succeeds only when the library
// answered, COM was initialised on the registering thread, and it was loaded with the
// system's box about a missing file kept back.
#include <windows.h>
#include <olectl.h>
#include <shlobj.h>

int DepLibAnswer(void);  // DEPLIB.DLL

static int g_loadedQuietly;

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved) {
    (void)module;
    (void)reserved;
    if (reason == DLL_PROCESS_ATTACH) {
        const UINT mode = SetErrorMode(0);  // the only way to read it on old systems
        SetErrorMode(mode);
        g_loadedQuietly = (mode & SEM_FAILCRITICALERRORS) != 0;
    }
    return TRUE;
}

__declspec(dllexport) HRESULT WINAPI DllRegisterServer(void) {
    if (DepLibAnswer() != 42 || !g_loadedQuietly) return SELFREG_E_CLASS;
    IShellLinkA* link = NULL;
    const HRESULT created = CoCreateInstance(&CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, &IID_IShellLinkA, (void**)&link);
    if (FAILED(created)) return created;
    link->lpVtbl->Release(link);
    return S_OK;
}

__declspec(dllexport) HRESULT WINAPI DllUnregisterServer(void) { return S_OK; }
