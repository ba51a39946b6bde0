#include "core/ProgmanCommand.h"

namespace core {

std::string ProgmanArgument(std::string_view text) {
    std::string argument;
    WriteProgmanArgument(text, [&](std::string_view piece) { argument += piece; });
    return argument;
}

std::string ProgmanCommand(std::string_view name, std::initializer_list<std::string_view> arguments) {
    std::string command;
    WriteProgmanCommand(name, arguments, [&](std::string_view piece) { command += piece; });
    return command;
}

std::string CommandLineWithArgument(std::string_view program, std::string_view argument) {
    std::string line = "\"";
    line += program;
    line += "\" \"";
    line += argument;
    line += '"';
    return line;
}

}  // namespace core
