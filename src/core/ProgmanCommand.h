#pragma once
// Execute commands for the program manager's DDE conversation, "[Name(arg,arg)]", and
// the command line of the helper that makes program groups through it.
#include <initializer_list>
#include <string>
#include <string_view>

#include "core/ProgmanSyntax.h"

namespace core {

// An argument as the program manager should read it (WriteProgmanArgument).
std::string ProgmanArgument(std::string_view text);

// "[name(a,b,...)]" (WriteProgmanCommand).
std::string ProgmanCommand(std::string_view name, std::initializer_list<std::string_view> arguments);

// The command line that starts program with one argument, both in double quotes;
// SingleArgument reads the argument back.
std::string CommandLineWithArgument(std::string_view program, std::string_view argument);

}  // namespace core
