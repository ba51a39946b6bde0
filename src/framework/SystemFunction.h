#pragma once
// Functions that some of the systems the installer runs on lack (Windows NT 3.51's shell
// has no special folders, for one). Importing such a function stops the system's loader
// before the program starts; looked up here at run time, a missing one is just null.
#include <windows.h>

namespace fw {

// The address of the function exported by the system library under that name, or null
// when the library or the function is missing. A library loaded for this stays loaded
// for the rest of the process, so the address stays valid.
FARPROC FindSystemFunction(const char* library, const char* name);

// The same, typed: SystemFunction<decltype(&::SHGetMalloc)>("shell32.dll", "SHGetMalloc").
template <typename FunctionPointer>
FunctionPointer SystemFunction(const char* library, const char* name) {
    return reinterpret_cast<FunctionPointer>(reinterpret_cast<void*>(FindSystemFunction(library, name)));
}

}  // namespace fw
