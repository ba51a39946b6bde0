#pragma once
// Texts the system update builds before it starts a program or writes a file: command
// lines, the working directory of a program, INI file names and program-icon paths.
#include <string>
#include <string_view>

namespace core {

// The program part of a command line. A path with a blank (or tab) is put in double quotes,
// unless it starts with one already: unquoted, the system would cut the path at the
// blank and could start another program ("C:\Program.exe" for "C:\Program Files\...").
std::string QuoteProgramPath(std::string_view program);
// The program (quoted as above), one blank, the arguments.
std::string ProgramCommandLine(std::string_view program, std::string_view arguments);
// The command that makes an automation server register itself.
std::string RegisterServerCommandLine(std::string_view program);
// The command that makes an automation server take its registration away.
std::string UnregisterServerCommandLine(std::string_view program);
// The program's directory: its path up to, not including, the last backslash (one
// enclosing pair of double quotes ignored); "" when the path has no backslash.
std::string ProgramDirectory(std::string_view program);

// An INI file name with a drive letter (second character ':') or '&' as second character
// is a path as given; any other name is a file in the Windows directory.
bool IsIniPathAsGiven(std::string_view fileName);

// Program folder and icon paths: base "\" folder, and base "\" folder "\" title ".lnk".
// Plain joins, so a "%" in a name stays as it is.
std::string ProgramFolderPath(std::string_view base, std::string_view folder);
std::string ProgramIconPath(std::string_view base, std::string_view folder, std::string_view title);

}  // namespace core
