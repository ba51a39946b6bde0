#pragma once
// Questions about a text file read with the script's own parser.
#include <string>

// True when the text file has a section of exactly that name (case included); false
// when the file does not exist.
bool ProfileHasSection(const std::string& path, const std::string& section);
// True when that section of the text file has an entry with exactly that key.
bool ProfileHasKey(const std::string& path, const std::string& section, const std::string& key);
