#pragma once
// Readers of the item sections of SETUP.INF. Each appends one record per line
// of the named section whose value is not empty, in file order, to a list that
// owns its records, and returns the number appended. A missing section adds
// nothing. scriptPath is the setup script (SETUP.INF) to read.
#include "script/SetupItems.h"

#include <functional>
#include <string>

int ReadFileItems(CFileItemArray& list, const std::string& scriptPath, const char* section);
int ReadIniItems(CIniItemArray& list, const std::string& scriptPath, const char* section);
int ReadRegItems(CRegItemArray& list, const std::string& scriptPath, const char* section);
int ReadExeItems(CExeItemArray& list, const std::string& scriptPath, const char* section);
int ReadOcxItems(COcxItemArray& list, const std::string& scriptPath, const char* section);
int ReadAutomationItems(CAutomationItemArray& list, const std::string& scriptPath, const char* section);
// COM registration sections yield nothing; always 0.
int ReadComItems(CComItemArray& list, const std::string& scriptPath, const char* section);
int ReadShortcutItems(CShortcutItemArray& list, const std::string& scriptPath, const char* section);
// Always the section "Logo".
int ReadLogoItems(CLogoItemArray& list, const std::string& scriptPath);
int ReadOptionItems(COptionItemArray& list, const std::string& scriptPath, const char* section);

// The reading procedure every reader shares: calls addItem with the key and
// value of each line of the section in the script file whose value is not empty.
// The parsed file is kept in the run cache, so reading many sections parses it once.
int ForEachItemLine(const std::string& scriptPath, const char* section,
                    const std::function<void(const std::string& key, const std::string& value)>& addItem);

// Forgets the parsed script files, so that the next read parses them anew.
void ForgetParsedScripts();
