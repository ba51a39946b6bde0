#pragma once
// Questions about a text file read with the script's own parser.
#include <string>

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
