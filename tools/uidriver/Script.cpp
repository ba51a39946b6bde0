#include "Script.h"

#include <cctype>
#include <cstdlib>

namespace uidriver {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Reads a quoted text starting at text[pos] == '"'. Inside, "" stands for one quote.
bool ReadQuoted(const std::string& text, size_t& pos, std::string& value) {
    ++pos;
    value.clear();
    while (pos < text.size()) {
        if (text[pos] == '"') {
            if (pos + 1 < text.size() && text[pos + 1] == '"') {
                value += '"';
                pos += 2;
                continue;
            }
            ++pos;
            return true;
        }
        value += text[pos++];
    }
    return false;
}

std::string Trim(const std::string& text) {
    size_t begin = 0, end = text.size();
    while (begin < end && IsBlank(text[begin])) ++begin;
    while (end > begin && IsBlank(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

}  // namespace

std::optional<std::string> Step::Find(const std::string& name) const {
    for (const Option& option : options) {
        if (option.name == name) return option.value;
    }
    return std::nullopt;
}

std::vector<std::string> Step::FindAll(const std::string& name) const {
    std::vector<std::string> values;
    for (const Option& option : options) {
        if (option.name == name) values.push_back(option.value);
    }
    return values;
}

bool ParseLine(const std::string& line, int lineNumber, Step& step, std::string& message) {
    step = Step{};
    step.line = lineNumber;
    step.source = Trim(line);
    if (step.source.empty() || step.source[0] == '#') return true;

    const std::string& text = step.source;
    size_t pos = 0;
    bool first = true;
    while (pos < text.size()) {
        while (pos < text.size() && IsBlank(text[pos])) ++pos;
        if (pos >= text.size()) break;
        if (text[pos] == '"') {
            Word word{"", true};
            if (!ReadQuoted(text, pos, word.text)) {
                message = "unterminated quoted text";
                return false;
            }
            if (pos < text.size() && !IsBlank(text[pos])) {
                message = "a quoted text must be followed by a blank";
                return false;
            }
            if (first) {
                message = "a step must start with a verb";
                return false;
            }
            step.words.push_back(word);
            continue;
        }
        size_t start = pos;
        while (pos < text.size() && !IsBlank(text[pos]) && text[pos] != '=' && text[pos] != '"') ++pos;
        std::string token = text.substr(start, pos - start);
        if (pos < text.size() && text[pos] == '=' && !first && !token.empty()) {
            ++pos;
            Option option{token, ""};
            if (pos < text.size() && text[pos] == '"') {
                if (!ReadQuoted(text, pos, option.value)) {
                    message = "unterminated quoted text in option " + token;
                    return false;
                }
            } else {
                while (pos < text.size() && !IsBlank(text[pos])) option.value += text[pos++];
            }
            if (pos < text.size() && !IsBlank(text[pos])) {
                message = "a quoted text must be followed by a blank";
                return false;
            }
            step.options.push_back(option);
            continue;
        }
        // A plain word runs to the next blank (it may hold '=' or '"' only after its start).
        while (pos < text.size() && !IsBlank(text[pos])) ++pos;
        token = text.substr(start, pos - start);
        if (first) {
            step.verb = token;
            first = false;
        } else {
            step.words.push_back(Word{token, false});
        }
    }
    return true;
}

bool ParseScript(const std::string& text, std::vector<Step>& steps, ParseError& error) {
    steps.clear();
    size_t pos = 0;
    int lineNumber = 0;
    // A UTF-8 byte order mark is allowed at the start.
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) pos = 3;
    while (pos <= text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        ++lineNumber;
        Step step;
        std::string message;
        if (!ParseLine(text.substr(pos, end - pos), lineNumber, step, message)) {
            error = ParseError{lineNumber, message};
            return false;
        }
        if (!step.verb.empty()) steps.push_back(step);
        pos = end + 1;
    }
    return true;
}

bool ParseInteger(const std::string& text, long long& value) {
    if (text.empty()) return false;
    const char* begin = text.c_str();
    char* end = nullptr;
    bool negative = *begin == '-';
    const char* digits = negative ? begin + 1 : begin;
    if (!std::isdigit(static_cast<unsigned char>(*digits))) return false;
    int base = (digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) ? 16 : 10;
    unsigned long long magnitude = std::strtoull(base == 16 ? digits + 2 : digits, &end, base);
    if (*end != '\0' || (base == 16 && end == digits + 2)) return false;
    value = negative ? -static_cast<long long>(magnitude) : static_cast<long long>(magnitude);
    return true;
}

}  // namespace uidriver
