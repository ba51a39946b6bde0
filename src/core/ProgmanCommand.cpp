#include "core/ProgmanCommand.h"

#include "core/ShiftJis.h"

namespace core {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool NeedsQuotes(std::string_view text) {
    if (text.empty()) return false;
    if (IsBlank(text.front()) || IsBlank(text.back())) return true;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (IsShiftJisLeadByte(static_cast<unsigned char>(c))) {
            ++i;
            continue;
        }
        if (c == ',' || c == '(' || c == ')' || c == '[' || c == ']') return true;
    }
    return false;
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

}  // namespace

std::string ProgmanArgument(std::string_view text) {
    if (!NeedsQuotes(text)) return std::string(text);
    std::string quoted = "\"";
    quoted += text;
    quoted += '"';
    return quoted;
}

std::string ProgmanCommand(std::string_view name, std::initializer_list<std::string_view> arguments) {
    std::string command = "[";
    command += name;
    command += '(';
    bool first = true;
    for (std::string_view argument : arguments) {
        if (!first) command += ',';
        first = false;
        command += ProgmanArgument(argument);
    }
    command += ")]";
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

std::string_view CommandLineArguments(std::string_view commandLine) {
    std::string_view rest = TrimBlanks(commandLine);
    size_t end = 0;
    if (!rest.empty() && rest.front() == '"') {
        end = rest.find('"', 1);
        end = end == std::string_view::npos ? rest.size() : end + 1;
    } else {
        while (end < rest.size() && !IsBlank(rest[end])) ++end;
    }
    return TrimBlanks(rest.substr(end));
}

std::string SingleArgument(std::string_view commandLine) {
    std::string_view argument = CommandLineArguments(commandLine);
    if (argument.size() >= 2 && argument.front() == '"' && argument.back() == '"')
        argument = argument.substr(1, argument.size() - 2);
    return std::string(argument);
}

}  // namespace core
