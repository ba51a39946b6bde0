#include "system/ProgramManager.h"

// Placeholder until the program manager's conversation exists: nothing is made.
int CreateProgramManagerGroup(const CProgramManagerLink&, const std::string&) { return 1; }

int AddProgramManagerItem(const CProgramManagerLink&, const std::string&, const std::string&) { return 1; }

void ExitProgramManager(const CProgramManagerLink&) {}
