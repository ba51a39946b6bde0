#pragma once
// The program manager's command syntax and the group helper's command line, as far as
// they need no allocation: the group helper, which links no C++ library, builds its
// commands from these. core/ProgmanCommand.h gives them as std::string.
#include <initializer_list>
#include <string_view>

namespace core {

// True when the program manager would misread the argument bare: it holds a character
// that ends a bare argument (",", "(", ")", "[", "]"), or begins or ends with a blank
// (dropped from a bare argument). Second bytes of Shift-JIS characters ("ー" is 0x81
// 0x5B) are not read as characters.
bool ProgmanArgumentNeedsQuotes(std::string_view text);

// Passes an argument as the program manager should read it to put(std::string_view),
// piece by piece: in double quotes when ProgmanArgumentNeedsQuotes says so. Paths and
// titles cannot hold a double quote (file names exclude it), so none is escaped.
template <class Put>
void WriteProgmanArgument(std::string_view text, Put&& put) {
    const bool quoted = ProgmanArgumentNeedsQuotes(text);
    if (quoted) put("\"");
    put(text);
    if (quoted) put("\"");
}

// Passes "[name(a,b,...)]" to put(std::string_view) piece by piece, each argument as
// WriteProgmanArgument writes it; "[name()]" without any.
template <class Put>
void WriteProgmanCommand(std::string_view name, std::initializer_list<std::string_view> arguments, Put&& put) {
    put("[");
    put(name);
    put("(");
    bool first = true;
    for (std::string_view argument : arguments) {
        if (!first) put(",");
        first = false;
        WriteProgmanArgument(argument, put);
    }
    put(")]");
}

// What follows the program name of a command line (the name in double quotes or bare),
// without the blanks around it.
std::string_view CommandLineArguments(std::string_view commandLine);

// The one argument of a command line: CommandLineArguments without one enclosing pair
// of double quotes.
std::string_view SingleArgument(std::string_view commandLine);

}  // namespace core
