#include "core/UninstallRecordText.h"

#include "core/ShiftJis.h"

#include <string>

namespace core {

std::string UninstallKeyPath(std::string_view uninstallKey) {
    std::string path = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
    path += uninstallKey;
    return path;
}

std::string RecordEntryKey(int number) { return std::to_string(number); }

bool IsRecordEntryKeyBelow(std::string_view key, int count) {
    if (key.empty() || key.size() > 9) return false;  // nine digits cannot overflow an int
    if (key.size() > 1 && key[0] == '0') return false;
    int number = 0;
    for (char digit : key) {
        if (digit < '0' || digit > '9') return false;
        number = number * 10 + (digit - '0');
    }
    return number < count;
}

}  // namespace core

namespace core {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

constexpr std::string_view kRootNames[] = {"HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE",
                                           "HKEY_USERS"};

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool IsTextType(std::uint32_t type) { return type == kRegistrySz || type == kRegistryExpandSz; }

}  // namespace

std::string QuoteRecordField(std::string_view field) {
    const bool quoted = field.find_first_of(",\"") != std::string_view::npos ||
                        (!field.empty() && (IsBlank(field.front()) || IsBlank(field.back())));
    if (!quoted) return std::string(field);
    std::string text = "\"";
    for (char c : field) {
        if (c == '"') text += '"';
        text += c;
    }
    text += '"';
    return text;
}

std::string RecordFields(std::initializer_list<std::string_view> fields) {
    std::string note;
    bool first = true;
    for (std::string_view field : fields) {
        if (!first) note += ',';
        first = false;
        note += QuoteRecordField(field);
    }
    return note;
}

bool SplitRecordFields(std::string_view note, std::vector<std::string>& fields) {
    fields.clear();
    std::size_t position = 0;
    for (;;) {
        std::string field;
        if (position < note.size() && note[position] == '"') {
            ++position;
            for (;;) {
                if (position >= note.size()) return false;  // no closing quote
                if (note[position] == '"') {
                    if (position + 1 < note.size() && note[position + 1] == '"') {
                        field += '"';
                        position += 2;
                        continue;
                    }
                    ++position;
                    break;
                }
                field += note[position++];
            }
            if (position < note.size() && note[position] != ',') return false;  // text after the quote
        } else {
            const std::size_t comma = note.find(',', position);
            const std::size_t end = comma == std::string_view::npos ? note.size() : comma;
            field.assign(note.substr(position, end - position));
            position = end;
        }
        fields.push_back(std::move(field));
        if (position >= note.size()) return true;
        ++position;  // the comma
    }
}

std::string_view RegistryRootName(RegistryRoot root) { return kRootNames[static_cast<int>(root)]; }

std::string RegistryKeyPath(RegistryRoot root, std::string_view subKey) {
    std::string path(RegistryRootName(root));
    path += '\\';
    path += subKey;
    return path;
}

bool SplitRegistryKeyPath(std::string_view path, RegistryRoot& root, std::string& subKey) {
    const std::size_t backslash = path.find('\\');  // root names are ASCII
    if (backslash == std::string_view::npos || backslash + 1 >= path.size()) return false;
    const std::string name = ToUpperShiftJis(path.substr(0, backslash));
    for (int index = 0; index < 4; ++index) {
        if (name == kRootNames[index]) {
            root = static_cast<RegistryRoot>(index);
            subKey.assign(path.substr(backslash + 1));
            return true;
        }
    }
    return false;
}

std::vector<std::string> RegistryKeyLevels(std::string_view subKey) {
    std::vector<std::string> levels;
    std::string path;
    std::size_t start = 0, i = 0;
    for (;;) {
        const bool end = i >= subKey.size();
        if (!end && IsShiftJisLeadByte(static_cast<unsigned char>(subKey[i])) && i + 1 < subKey.size()) {
            i += 2;
            continue;
        }
        if (!end && subKey[i] != '\\') {
            ++i;
            continue;
        }
        if (i > start) {
            if (!path.empty()) path += '\\';
            path.append(subKey.substr(start, i - start));
            levels.push_back(path);
        }
        if (end) return levels;
        start = ++i;
    }
}

bool ParseRecordNumber(std::string_view text, std::uint32_t& number) {
    if (text.empty() || text.size() > 10) return false;
    std::uint64_t value = 0;
    for (char digit : text) {
        if (digit < '0' || digit > '9') return false;
        value = value * 10 + static_cast<std::uint64_t>(digit - '0');
    }
    if (value > 0xFFFFFFFFu) return false;
    number = static_cast<std::uint32_t>(value);
    return true;
}

bool RegistryDataText(std::uint32_t type, std::string_view bytes, std::string& text) {
    text.clear();
    if (IsTextType(type)) {
        bytes = bytes.substr(0, bytes.find('\0'));
        if (bytes.find_first_of("\r\n") != std::string_view::npos) return false;
        text.assign(bytes);
        return true;
    }
    if (type == kRegistryDword) {
        std::uint32_t number = 0;
        for (std::size_t i = 0; i < 4 && i < bytes.size(); ++i)
            number |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])) << (8 * i);
        text = std::to_string(number);
        return true;
    }
    static constexpr char kDigits[] = "0123456789abcdef";
    for (unsigned char byte : bytes) {
        text += kDigits[byte >> 4];
        text += kDigits[byte & 15];
    }
    return true;
}

bool ParseRegistryData(std::uint32_t type, std::string_view text, std::string& bytes) {
    bytes.clear();
    if (IsTextType(type)) {
        bytes.assign(text);
        return true;
    }
    if (type == kRegistryDword) {
        std::uint32_t number = 0;
        if (!ParseRecordNumber(text, number)) return false;
        for (int i = 0; i < 4; ++i) bytes += static_cast<char>((number >> (8 * i)) & 0xFF);
        return true;
    }
    if (text.size() % 2 != 0) return false;
    for (std::size_t i = 0; i < text.size(); i += 2) {
        const int high = HexDigit(text[i]);
        const int low = HexDigit(text[i + 1]);
        if (high < 0 || low < 0) return false;
        bytes += static_cast<char>(high * 16 + low);
    }
    return true;
}

std::string RestoreIniValueNote(std::string_view file, std::string_view section, std::string_view key,
                                std::string_view oldValue) {
    return RecordFields({file, section, key, oldValue});
}

std::string DeleteProgramItemNote(std::string_view group, std::string_view title) {
    return RecordFields({group, title});
}

std::string DeleteRegValueNote(std::string_view keyPath, std::string_view valueName) {
    return RecordFields({keyPath, valueName});
}

bool RestoreRegValueNote(std::string_view keyPath, std::string_view valueName, std::uint32_t type,
                         std::string_view bytes, std::string& note) {
    std::string data;
    if (!RegistryDataText(type, bytes, data)) return false;
    const std::string typeText = std::to_string(type);
    note = RecordFields({keyPath, valueName, typeText, data});
    return true;
}

}  // namespace core
