// uidriver: walks a Windows program's user interface as a person would, from a
// step script, for end-to-end tests under Wine.
//
//   uidriver.exe [--screens DIR] [--timeout SEC] --script FILE [--cwd DIR] PROGRAM [ARGS...]
//   uidriver.exe [--screens DIR] [--timeout SEC] --script FILE --attach PID
//
// PROGRAM is started in --cwd (default: PROGRAM's own folder). Paths may be
// Unix paths (/a/b is taken as Z:\a\b). Exit status: 0 every step passed,
// 1 a step failed (the message names the line and lists the windows on the
// screen and their controls), 2 bad command line or script.
//
// Script (UTF-8, one step a line; blank lines and lines starting with # are
// ignored). Texts are in double quotes ("" inside stands for one quote, there
// are no other escapes); option values may be quoted or plain words; numbers
// may be decimal or 0x hexadecimal. Every step that waits takes timeout=SEC
// (default --timeout, 30 s); all expectations poll until they hold or time out.
//
//   wait title="T" class="C" control=ID text="T"
//                         wait for a visible top-level window of the program
//                         (or a process it started) with that title / class /
//                         control id (repeatable) / control with that text; at
//                         least one is needed. It becomes the current window:
//                         every later step works inside it (its whole child
//                         tree, so wizard pages count).
//   wait-gone             wait until the current window is closed or hidden
//
// Controls are named by id=ID and/or text="exact text" (and class=C); a
// visible control wins over a hidden one with the same id.
//   expect title "T"                  the current window's title
//   expect text CONTROL "T"           the control's text is exactly T
//   expect text-contains CONTROL "T"  the control's text contains T
//   expect enabled|disabled CONTROL
//   expect visible|hidden CONTROL     (a missing control counts as hidden)
//   expect checked|unchecked CONTROL
//   expect items CONTROL "a" "b" ...  the entries of a list box / combo box
//   expect selected CONTROL "T"       its selected entry (or index=N; -1 = none)
//   expect-change ...                 any expect form, after a step that acts: the
//                                     state must not hold before that step, and must after
//   click CONTROL         a click on a button (waits until visible and enabled)
//   type CONTROL "T"      select the edit's text and type T over it (WM_CHAR)
//   select CONTROL "T"    pick the list/combo entry T (or index=N)
//   double-click CONTROL "T"  select the list-box entry T (or index=N) and
//                         double-click it (LBN_DBLCLK)
//   check CONTROL / uncheck CONTROL   tick / untick a check box (clicks if needed)
//   next / back / cancel  the wizard buttons (0x3024, 0x3023, IDCANCEL)
//   esc / enter           a key press on the focused control of the window
//   close                 the close box (WM_SYSCOMMAND SC_CLOSE)
//                         (these three wait until no modal dialog blocks the window)
//   screenshot NAME       capture the screen to DIR\NN-NAME.bmp (with --screens)
//   expect-exit [CODE]    wait for the program to end (and check its exit code)
//   expect-file PATH      wait for a file to exist
//   expect-no-file PATH   wait for a file not to exist
//   dump                  print the windows and controls the driver sees
//   shell "COMMAND"       run a bash command on the Linux side (under Wine only) in
//                         the driver's folder and wait for it; a non-zero status fails
//
// When the script ends while a started program still runs, the driver ends it.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "Process.h"
#include "Runner.h"
#include "Script.h"
#include "Text.h"

using namespace uidriver;

namespace {

constexpr const char kUsage[] =
    "usage: uidriver.exe [--screens DIR] [--timeout SEC] --script FILE [--cwd DIR] PROGRAM [ARGS...]\n"
    "       uidriver.exe [--screens DIR] [--timeout SEC] --script FILE --attach PID\n";

struct CommandLine {
    std::string screensDir;
    double timeoutSeconds = 30;
    std::string script;
    std::string cwd;
    DWORD attachId = 0;
    std::string program;
    std::vector<std::string> args;
};

bool ParseCommandLine(int argc, char** argv, CommandLine& command) {
    int i = 1;
    for (; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg.rfind("--", 0) != 0) break;
        if (i + 1 >= argc) return false;
        std::string value = argv[++i];
        if (arg == "--screens") command.screensDir = ToWindowsPath(value);
        else if (arg == "--timeout") command.timeoutSeconds = std::atof(value.c_str());
        else if (arg == "--script") command.script = ToWindowsPath(value);
        else if (arg == "--cwd") command.cwd = ToWindowsPath(value);
        else if (arg == "--attach") command.attachId = static_cast<DWORD>(std::strtoul(value.c_str(), nullptr, 10));
        else return false;
    }
    if (i < argc) command.program = ToWindowsPath(argv[i++]);
    for (; i < argc; ++i) command.args.push_back(argv[i]);
    if (command.script.empty() || command.timeoutSeconds <= 0) return false;
    return command.attachId ? command.program.empty() : !command.program.empty();
}

std::string FolderOf(const std::string& path) {
    size_t slash = path.find_last_of("\\/");
    if (slash == std::string::npos) return std::string();
    // A program at a drive's top (A:\SETUP.EXE) runs in the drive's root, not in "A:".
    return path.substr(0, slash == 2 && path[1] == ':' ? 3 : slash);
}

}  // namespace

int main(int argc, char** argv) {
    SetConsoleOutputCP(CP_UTF8);
    CommandLine command;
    if (!ParseCommandLine(argc, argv, command)) {
        PrintError(kUsage);
        return 2;
    }
    std::string scriptText;
    if (!ReadWholeFile(command.script, scriptText)) {
        PrintError("uidriver: cannot read script " + AnsiToUtf8(command.script) + "\n");
        return 2;
    }
    std::vector<Step> steps;
    ParseError parseError;
    std::string message;
    if (!ParseScript(scriptText, steps, parseError)) {
        PrintError("uidriver: " + AnsiToUtf8(command.script) + " line " + std::to_string(parseError.line) + ": " +
                   parseError.message + "\n");
        return 2;
    }
    if (!ValidateSteps(steps, message)) {
        PrintError("uidriver: " + AnsiToUtf8(command.script) + " " + message + "\n");
        return 2;
    }
    if (!command.screensDir.empty()) CreateDirectoryA(command.screensDir.c_str(), nullptr);

    ProgramProcesses processes;
    bool started = command.attachId
                       ? processes.Attach(command.attachId, message)
                       : processes.Start(command.program, command.args,
                                         command.cwd.empty() ? FolderOf(command.program) : command.cwd, message);
    if (!started) {
        PrintError("uidriver: " + AnsiToUtf8(message) + "\n");
        return 2;
    }
    Print("uidriver: " + std::string(command.attachId ? "attached to" : "started") + " process " +
          std::to_string(processes.MainId()) + "\n");

    RunnerSettings settings;
    settings.defaultTimeoutMs = static_cast<DWORD>(command.timeoutSeconds * 1000);
    settings.screensDir = command.screensDir;
    Runner runner(processes, settings);
    bool passed = runner.Run(steps);

    if (processes.Started() && processes.AnyRunning()) {
        Print("uidriver: the program still runs; ending it\n");
        processes.TerminateStarted();
    }
    Print(passed ? "uidriver: all steps passed\n" : "");
    return passed ? 0 : 1;
}
