#pragma once
// Questions about a text file read with the script's own parser.
#include <string>
#include <vector>

// True when the text file has a section of exactly that name (case included); false
// when the file does not exist.
bool ProfileHasSection(const std::string& path, const std::string& section);
// True when that section of the text file has an entry with exactly that key.
bool ProfileHasKey(const std::string& path, const std::string& section, const std::string& key);

// Both answers from one reading of the file: whether it has the section, and whether
// that section has the key (names compared exactly, case included).
struct ProfileFacts {
    bool hasSection = false;
    bool hasKey = false;
};
ProfileFacts LookUpSectionAndKey(const std::string& path, const std::string& section, const std::string& key);

// What an INI file holds before an update changes it, as the platform's private-profile
// functions, which make the change, match it: section and key names in any case.
struct IniFacts {
    bool fileExists = false;
    bool hasSection = false;
    bool hasKey = false;
    std::string value;  // the key's value, when it has one
};
IniFacts LookUpIniFacts(const std::string& path, const std::string& section, const std::string& key);

// One entry of an INI file, with its section and key named as the file has them.
struct IniEntry {
    std::string section, key, value;
};
// The entries of the section (matched in any case), of every section when it is empty;
// only the key's entry when a key is given.
std::vector<IniEntry> ReadIniEntries(const std::string& path, const std::string& section, const std::string& key);
