#pragma once
// The program manager's side of program groups (Windows NT before 4.0): the group is
// made by the helper __SETUP.EXE, icons and the closing request go over the main
// window's DDE conversation with the program manager.
#include <windows.h>

#include <string>

class CDDEClient;
class CDDEClientConv;

// The main window's DDE client and its conversation with the program manager; either
// may be null (then nothing is sent).
struct CProgramManagerLink {
    CDDEClient* pClient = nullptr;
    CDDEClientConv* pConv = nullptr;
};

class CUninstallNotes;

// Starts __SETUP.EXE hidden with the group's name and waits for it to end (at most
// kGroupHelperWaitMs, answering messages sent to this thread's windows meanwhile), so
// that the icons that follow go into this group. madeHere: the group was not there before
// and the helper made it (it ended in time, with success); only then is the group noted
// for the uninstall record. Returns 1.
int CreateProgramManagerGroup(const CProgramManagerLink& link, const std::string& groupName, CUninstallNotes* notes,
                              bool& madeHere);
// Sends "[AddItem(path,title)]" (arguments quoted where the program manager would split
// them), then reads and drops the client's last error. Returns 1.
int AddProgramManagerItem(const CProgramManagerLink& link, const std::string& path, const std::string& title);
// Sends "[ExitProgman(1)]"; whether the program manager took it.
bool ExitProgramManager(const CProgramManagerLink& link);

// How long the installer waits for the group helper.
inline constexpr DWORD kGroupHelperWaitMs = 10000;
// The program to start: __SETUP.EXE in the installer's directory when it is there, else
// the bare name, which the system looks up as WinExec would.
std::string GroupHelperPath();
// Sends one execute command (a CF_TEXT data handle, the handle's own length, 1000 ms);
// false when there is no conversation or the program manager did not take it.
bool SendProgramManagerCommand(const CProgramManagerLink& link, const std::string& command);
