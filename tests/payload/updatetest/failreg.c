// FAILREG.OCX: a control whose registration always fails.
#include <windows.h>
#include <olectl.h>

__declspec(dllexport) HRESULT WINAPI DllRegisterServer(void) { return SELFREG_E_CLASS; }

__declspec(dllexport) HRESULT WINAPI DllUnregisterServer(void) { return S_OK; }
