#pragma once
// What the uninstaller decides without the platform: its command line, the order in
// which it works through the record's notes, the program manager's description of a
// group, and the line that has Windows 95 delete a file when it next starts.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/UninstallRecordReader.h"

namespace core {

// "ORVUN100.EXE [/S] record" or "ORVUN100.EXE /?".
struct UninstallerCommand {
    bool usage = false;   // "/?": show how to call the program
    bool silent = false;  // "/S": ask nothing, show nothing unless the record cannot be read
    // The rest of the line after the program's name (and "/S"): it may hold blanks; one
    // enclosing pair of double quotes is removed.
    std::string recordPath;
};
UninstallerCommand ParseUninstallerCommandLine(std::string_view commandLine);

// The notes' indexes in the order they are undone, the reverse of installing: automation
// servers and OCX controls are unregistered while their files exist; then shortcuts,
// program icons and groups, INI notes (keys, sections and files the installation made,
// then the values it wrote over or took away written back), registry notes (values, keys
// deepest first, then values written back), shared files released, files, and
// directories deepest first.
// Notes of one kind keep the record's order (apart from the deepest-first sorting).
std::vector<std::size_t> RemovalOrder(const std::vector<RecordNote>& notes);

// True when the key is the product's own entry in the uninstall list:
// "SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\<name>" (in any case), with a name
// of its own (not empty, no backslash).
bool IsUninstallEntryKey(std::string_view keyPath);

// One program icon of a program-manager group: its title and the program it starts.
struct ProgramIcon {
    std::string title;
    std::string command;
};
// The program manager's answer to a request for a group: a first line about the group,
// then one line per icon of comma-separated fields, the title and the command line first
// (either may be in double quotes). Lines without those two fields are skipped.
std::vector<ProgramIcon> ParseProgramGroupData(std::string_view data);

// WININIT.INI's text with "NUL=<path>" added to its [rename] section (made at the end
// when there is none). The section may hold the same key many times, which the profile
// writer cannot keep, so the text is edited as text. Lines end with CR LF.
std::string AddWininitDeletion(std::string_view wininitText, std::string_view shortPath);

}  // namespace core
