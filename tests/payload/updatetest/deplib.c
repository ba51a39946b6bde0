// DEPLIB.DLL: the library DEPOCX.OCX imports. It lies beside the control only, where the
// system's usual search for a library does not look.
#include <windows.h>

__declspec(dllexport) int DepLibAnswer(void) { return 42; }
