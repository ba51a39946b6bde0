#include "framework/SystemFunction.h"

namespace fw {

FARPROC FindSystemFunction(const char* library, const char* name) {
    HMODULE module = GetModuleHandleA(library);
    if (module == nullptr) {
        // A missing library must not bring up the system's "file not found" box.
        const UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
        module = LoadLibraryA(library);
        SetErrorMode(previous);
    }
    return module != nullptr ? GetProcAddress(module, name) : nullptr;
}

}  // namespace fw
