#pragma once
// The edge between the script's Shift-JIS names and the machine's files: on Linux
// names are UTF-8 with "/" between folders, on Windows they stay in the ANSI code
// page with "\". Everything else in the tool works on Shift-JIS texts.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace media {

// A relative path of the script (Shift-JIS, "\" between folders, maybe a leading "\")
// as a path below dir on this machine.
std::string NativePath(const std::string& dir, std::string_view scriptPath);
std::string JoinNative(const std::string& dir, const std::string& name);

std::optional<std::string> ReadFile(const std::string& path);
// The file's size in bytes, 0 when it cannot be found.
std::uint64_t FileSize(const std::string& path);
// The path from the file system's root.
std::string AbsolutePath(const std::string& path);
// Writes the file into its folder, which must exist.
bool WriteFile(const std::string& path, std::string_view data);
bool IsFile(const std::string& path);
bool IsDirectory(const std::string& path);
bool IsEmptyOrMissing(const std::string& path);
bool RemoveTree(const std::string& path);
bool MakeDirectories(const std::string& path);
// Makes the folders a file's path names, if they are missing.
bool MakeFolderOf(const std::string& filePath);
bool RenameFile(const std::string& from, const std::string& to);

// A message that may hold script text, in the terminal's character set: UTF-8 under
// a UTF-8 locale, Shift-JIS otherwise.
std::string ForTerminal(std::string_view shiftJis);

// A Shift-JIS text as UTF-8 (for the names handed to the image tools).
std::string Utf8FromShiftJis(std::string_view shiftJis);

// Runs task(0) ... task(count - 1) on every core of the machine.
void RunParallel(std::size_t count, const std::function<void(std::size_t)>& task);

// Runs a command line of the image tools; true when it succeeded.
bool RunCommand(const std::string& commandLine);
// A text quoted for the shell.
std::string ShellQuote(const std::string& text);

}  // namespace media
