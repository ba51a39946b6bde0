// SAMPCORE.DLL, the sample product's shared library: installed into the system
// directory and counted as a shared file. It only tells its version.
#include <windows.h>

__declspec(dllexport) int WINAPI SampleCoreVersion(void) { return 100; }
