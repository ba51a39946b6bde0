#pragma once
// The step script: one step a line, parsed into a verb, plain words and
// name=value options. Portable code (no <windows.h>); all texts stay UTF-8.
#include <optional>
#include <string>
#include <vector>

namespace uidriver {

struct Word {
    std::string text;
    bool quoted = false;
};

struct Option {
    std::string name;
    std::string value;
};

struct Step {
    int line = 0;
    std::string source;  // the line as written, without surrounding blanks
    std::string verb;
    std::vector<Word> words;      // positional words after the verb, in order
    std::vector<Option> options;  // name=value pairs, in order (a name may repeat)

    // The value of the first option with this name, if any.
    std::optional<std::string> Find(const std::string& name) const;
    // Every value given for this name, in order.
    std::vector<std::string> FindAll(const std::string& name) const;
};

struct ParseError {
    int line = 0;
    std::string message;
};

// Splits one line into a step. Returns false (with message) on a syntax
// error; a blank or comment line gives a step with an empty verb.
bool ParseLine(const std::string& line, int lineNumber, Step& step, std::string& message);

// Parses a whole script. Stops at the first syntax error.
bool ParseScript(const std::string& text, std::vector<Step>& steps, ParseError& error);

// Reads a decimal or 0x-hexadecimal integer, with an optional minus sign; the whole text must be a number.
bool ParseInteger(const std::string& text, long long& value);

}  // namespace uidriver
