#pragma once
#include <string>

class CDDEClient; class CDDEClientConv;
// The program manager's side of program groups (Windows NT before 4.0).
struct CProgramManagerLink { CDDEClient* pClient = nullptr; CDDEClientConv* pConv = nullptr; };
int CreateProgramManagerGroup(const CProgramManagerLink& link, const std::string& groupName);   // starts __SETUP.EXE, notes DeleteProgramGroup; returns 1
int AddProgramManagerItem(const CProgramManagerLink& link, const std::string& path, const std::string& title);  // "[AddItem(...)]"; returns 1
void ExitProgramManager(const CProgramManagerLink& link);  // "[ExitProgman(1)]"
