#include "core/UpdateCommands.h"

#include "core/ShiftJisPath.h"

namespace core {

std::string QuoteProgramPath(std::string_view program) {
    // The system cuts a command line at blanks and tabs; neither byte is ever the second
    // byte of a Shift-JIS character.
    const bool hasBlank = program.find_first_of(" \t") != std::string_view::npos;
    if (!hasBlank || program.front() == '"') return std::string(program);
    std::string quoted;
    quoted.reserve(program.size() + 2);
    quoted += '"';
    quoted += program;
    quoted += '"';
    return quoted;
}

std::string ProgramCommandLine(std::string_view program, std::string_view arguments) {
    std::string line = QuoteProgramPath(program);
    line += ' ';
    line += arguments;
    return line;
}

std::string RegisterServerCommandLine(std::string_view program) { return QuoteProgramPath(program) + " /REGSERVER"; }

std::string UnregisterServerCommandLine(std::string_view program) {
    return QuoteProgramPath(program) + " /UNREGSERVER";
}

std::string ProgramDirectory(std::string_view program) {
    if (program.size() >= 2 && program.front() == '"' && program.back() == '"')
        program = program.substr(1, program.size() - 2);
    const std::size_t backslash = FindLastBackslash(program);
    return backslash == std::string_view::npos ? std::string() : std::string(program.substr(0, backslash));
}

bool IsIniPathAsGiven(std::string_view fileName) {
    return fileName.size() >= 2 && (fileName[1] == ':' || fileName[1] == '&');
}

std::string ProgramFolderPath(std::string_view base, std::string_view folder) {
    std::string path(base);
    path += '\\';
    path += folder;
    return path;
}

std::string ProgramIconPath(std::string_view base, std::string_view folder, std::string_view title) {
    std::string path = ProgramFolderPath(base, folder);
    path += '\\';
    path += title;
    path += ".lnk";
    return path;
}

}  // namespace core
