#pragma once
// Path macros of the setup script ($InstDir$, $WinDir$, ...) and the shell's
// special folders. Texts keep their macros until the moment of use; ExpandMacros
// then replaces every macro (names matched in any case) with its current value.
#include <string>

// Replaces all macros in the text, in place. An expansion that would need more
// than 1024 replacements or grow beyond 64 KiB leaves the text as it was.
void ExpandMacros(std::string& text);
// A copy of the text with its macros replaced (ExpandMacros on a copy).
std::string Expanded(std::string text);

// Stored macro values; each setter keeps the text as given. A value that would
// lead the expansion back to its own macro, directly or through another stored
// value, is refused and the previous value stays.
void SetInstDirMacro(const std::string& value);
void SetSrcDirMacro(const std::string& value);
void SetTmpDirMacro(const std::string& value);
void SetUserNameMacro(const std::string& value);

// Path of a shell special folder (a CSIDL_ number); "" when it cannot be resolved.
std::string GetSpecialFolder(int csidl);
// The value of $ProgramFiles$: the Windows directory's drive part + "Program Files".
std::string GetProgramFilesDir();
// Full path of the running executable.
std::string GetModulePath();
