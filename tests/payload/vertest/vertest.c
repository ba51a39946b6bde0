// VERTEST.DLL: one library built twice, as version 1.0.0.0 and 2.0.0.0, for
// installing an older file over a newer one.
#include <windows.h>

__declspec(dllexport) int WINAPI VerTestMajorVersion(void) { return VERTEST_MAJOR; }
