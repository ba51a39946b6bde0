// NOREG.DLL: a library that is no OCX (it exports no DllRegisterServer).
#include <windows.h>

__declspec(dllexport) int WINAPI NoRegVersion(void) { return 1; }
