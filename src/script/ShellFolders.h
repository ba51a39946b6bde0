#pragma once
// The shell functions that special folders are read with. Windows NT 3.51's shell has
// none of them, so they are looked up at run time, never imported.
#include <windows.h>
#include <shlobj.h>

#include <string>

struct ShellFolderFunctions {
    decltype(&::SHGetMalloc) getMalloc = nullptr;
    decltype(&::SHGetSpecialFolderLocation) getFolderLocation = nullptr;
    decltype(&::SHGetPathFromIDListA) getPathFromIDList = nullptr;
};

// This system's functions; a member is null when its shell lacks that function.
ShellFolderFunctions FindShellFolderFunctions();

// Path of a special folder (a CSIDL_ number) read with these functions; "" when the
// folder cannot be resolved, and so when any of them is missing.
std::string GetSpecialFolder(int csidl, const ShellFolderFunctions& shell);
