#pragma once
// Execute commands for the program manager's DDE conversation, "[Name(arg,arg)]", and
// the command line of the helper that makes program groups through it.
#include <initializer_list>
#include <string>
#include <string_view>

namespace core {

// An argument as the program manager should read it: unchanged when it can stand bare,
// in double quotes when it holds a character that would end a bare argument (",", "(",
// ")", "[", "]") or begins or ends with a blank (dropped from a bare argument). Second
// bytes of Shift-JIS characters ("ー" is 0x81 0x5B) are not read as characters. Paths and
// titles cannot hold a double quote (file names exclude it), so none is escaped.
std::string ProgmanArgument(std::string_view text);

// "[name(a,b,...)]", each argument as ProgmanArgument makes it; "[name()]" without any.
std::string ProgmanCommand(std::string_view name, std::initializer_list<std::string_view> arguments);

// The command line that starts program with one argument, both in double quotes.
std::string CommandLineWithArgument(std::string_view program, std::string_view argument);

// What follows the program name of a command line (the name in double quotes or bare),
// without the blanks around it.
std::string_view CommandLineArguments(std::string_view commandLine);
// The one argument of a command line: CommandLineArguments without one enclosing pair
// of double quotes.
std::string SingleArgument(std::string_view commandLine);

}  // namespace core
