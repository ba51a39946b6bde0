#include "core/ProgmanSyntax.h"

#include "core/ShiftJis.h"

// No std::string here, and no std::string_view member that may throw: the group helper
// links this unit without the C++ library.
namespace core {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

}  // namespace

bool ProgmanArgumentNeedsQuotes(std::string_view text) {
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

std::string_view CommandLineArguments(std::string_view commandLine) {
    std::string_view rest = TrimBlanks(commandLine);
    size_t end = 0;
    if (!rest.empty() && rest.front() == '"') {
        end = rest.find('"', 1);
        end = end == std::string_view::npos ? rest.size() : end + 1;
    } else {
        while (end < rest.size() && !IsBlank(rest[end])) ++end;
    }
    rest.remove_prefix(end);
    return TrimBlanks(rest);
}

std::string_view SingleArgument(std::string_view commandLine) {
    std::string_view argument = CommandLineArguments(commandLine);
    if (argument.size() >= 2 && argument.front() == '"' && argument.back() == '"') {
        argument.remove_prefix(1);
        argument.remove_suffix(1);
    }
    return argument;
}

}  // namespace core
