#pragma once
// File, directory, shell-link and user helpers shared by the whole installer.
#include <windows.h>

#include <string>

// True when the path names an existing file (a directory does not count).
bool FileExists(const std::string& path);
// True when the path names an existing directory.
bool DirectoryExists(const std::string& path);
// Creates every missing directory of the path, parents first. Returns FALSE at the
// first creation that fails, TRUE when all exist at the end.
BOOL CreateDirectoryTree(const std::string& path, LPSECURITY_ATTRIBUTES security = nullptr);
// Deletes the directory (path ends with a backslash) with all its contents.
BOOL DeleteDirectoryTree(const std::string& directoryWithBackslash);
// Name of the logged-on user.
std::string GetLoginUserName();
// Windows directory + "\Profiles\" + the logged-on user's name.
std::string GetUserProfileDir();
// Saves a shell link at linkPath pointing to target; FALSE when it was not saved (the
// directory is missing, the name cannot be a file). COM must be initialised.
BOOL CreateShellLink(const std::string& linkPath, const std::string& description, const std::string& target);

