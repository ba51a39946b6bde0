#pragma once
// Text conversions between the driver's two worlds: scripts and output are
// UTF-8, the windows it reads and drives speak Shift-JIS (code page 932).
#include <string>

namespace uidriver {

// UTF-8 -> code page 932. Characters without a CP932 form become '?'.
std::string Utf8ToAnsi(const std::string& utf8);
// Code page 932 -> UTF-8.
std::string AnsiToUtf8(const std::string& ansi);

// Code page 932 <-> UTF-16, for the few messages that cross processes only in Unicode.
std::wstring AnsiToWide(const std::string& ansi);
std::string WideToAnsi(const std::wstring& wide);

// Writes UTF-8 text to standard output / standard error, unchanged.
void Print(const std::string& utf8);
void PrintError(const std::string& utf8);

// Quotes a UTF-8 text for messages: "abc", with control characters shown as \r \n \t.
std::string Quote(const std::string& utf8);

// Appends the whole content of a file to text; false when it cannot be opened.
bool ReadWholeFile(const std::string& path, std::string& text);

// A Unix path (/a/b) becomes the Wine path Z:\a\b; other paths are kept.
std::string ToWindowsPath(const std::string& path);

}  // namespace uidriver
