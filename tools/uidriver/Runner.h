#pragma once
// Carries out the steps of a script against the program's windows.
#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "Script.h"
#include "WindowFinder.h"

namespace uidriver {

class ProgramProcesses;

struct RunnerSettings {
    DWORD defaultTimeoutMs = 30000;
    std::string screensDir;  // Windows path; empty: screenshot steps are skipped
};

// Checks that every step names a known verb with the words and options it takes,
// so a mistyped script fails before the program starts. False with a message naming the line.
bool ValidateSteps(const std::vector<Step>& steps, std::string& message);

class Runner {
public:
    Runner(ProgramProcesses& processes, RunnerSettings settings);
    // Runs the steps in order; on the first failure prints what failed and what
    // is on the screen, and returns false.
    bool Run(const std::vector<Step>& steps);

private:
    // What an expect step checks (true when it holds; `seen` says what was there) and
    // the wanted state in words.
    struct Expectation {
        std::function<bool(std::string& seen)> check;
        std::string wanted;
    };
    // Whether an expect-change step's state held just before the action it follows.
    struct StateBefore {
        int actionLine;
        std::string actionSource;
        bool held;
    };

    void Execute(const Step& step);
    Expectation MakeExpectation(const Step& step) const;
    // Before an action: the states of the expect-change steps that follow it.
    void NoteStatesBefore(const std::vector<Step>& steps, size_t action);
    void Wait(const Step& step);
    void WaitGone(const Step& step);
    void Expect(const Step& step);
    void Click(const Step& step, const ControlQuery& query);
    void Type(const Step& step);
    void Select(const Step& step, bool doubleClick);
    void Check(const Step& step, bool checked);
    void Key(const Step& step, UINT virtualKey);
    void Close(const Step& step);
    void Screenshot(const Step& step);
    void ExpectExit(const Step& step);
    void ExpectFile(const Step& step, bool present);
    void Shell(const Step& step);

    HWND CurrentWindow(const Step& step) const;
    // Waits until the current window is shown and enabled (not blocked by a modal dialog).
    HWND UsableWindow(const Step& step);
    // Waits until the control exists, is visible and can be used (it and its window enabled).
    HWND UsableControl(const Step& step, const ControlQuery& query);
    DWORD Timeout(const Step& step) const;

    ProgramProcesses& m_processes;
    RunnerSettings m_settings;
    HWND m_current = nullptr;  // the window found by the last wait step
    std::map<int, StateBefore> m_statesBefore;  // by the expect-change step's line
    int m_screenshots = 0;
};

}  // namespace uidriver
