#pragma once
// Where the system and the running program live. Each is "" when the system cannot say
// (or the path does not fit MAX_PATH); none ends with a backslash, unless it is a root.
#include <string>

namespace fw {

// The running program's full path.
std::string ModulePath();
// The directory of the running program. The last backslash is looked for as in a
// Shift-JIS text, so the trail byte 0x5C of a double-byte character never counts.
std::string ModuleDirectory();
std::string WindowsDirectory();
std::string SystemDirectory();

}  // namespace fw
