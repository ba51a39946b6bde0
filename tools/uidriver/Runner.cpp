#include "Runner.h"

#include <cstdlib>
#include <functional>
#include <map>
#include <set>

#include "Actions.h"
#include "Process.h"
#include "Screenshot.h"
#include "Text.h"
#include "UnixShell.h"

namespace uidriver {
namespace {

constexpr DWORD kPollIntervalMs = 50;
constexpr UINT kWizardBack = 0x3023;
constexpr UINT kWizardNext = 0x3024;

// A failed step; caught by Runner::Run, never thrown across a Win32 callback.
struct StepFailure {
    std::string message;
};

[[noreturn]] void Fail(const std::string& message) { throw StepFailure{message}; }

// Polls condition until it holds or the time is up. The condition describes what it saw.
bool PollUntil(DWORD timeoutMs, const std::function<bool(std::string& seen)>& condition, std::string& seen) {
    const DWORD start = GetTickCount();
    for (;;) {
        seen.clear();
        if (condition(seen)) return true;
        if (GetTickCount() - start >= timeoutMs) return false;
        Sleep(kPollIntervalMs);
    }
}

std::string Seconds(DWORD ms) {
    std::string text = std::to_string(ms / 1000);
    if (ms % 1000) text += "." + std::to_string(ms % 1000 / 100);
    return text + " s";
}

// The verbs, the words they take (min, max; -1: any number) and their options.
struct VerbRule {
    int minWords;
    int maxWords;
    std::set<std::string> options;
};

const std::set<std::string> kControlOptions = {"id", "text", "class", "timeout"};

const std::map<std::string, VerbRule>& VerbRules() {
    static const std::map<std::string, VerbRule> rules = {
        {"wait", {0, 0, {"title", "class", "control", "text", "timeout"}}},
        {"wait-gone", {0, 0, {"timeout"}}},
        {"expect", {1, -1, {"id", "text", "class", "index", "timeout"}}},
        {"click", {0, 0, kControlOptions}},
        {"type", {1, 1, kControlOptions}},
        {"select", {0, 1, {"id", "text", "class", "index", "timeout"}}},
        {"double-click", {0, 1, {"id", "text", "class", "index", "timeout"}}},
        {"check", {0, 0, kControlOptions}},
        {"uncheck", {0, 0, kControlOptions}},
        {"next", {0, 0, {"timeout"}}},
        {"back", {0, 0, {"timeout"}}},
        {"cancel", {0, 0, {"timeout"}}},
        {"esc", {0, 0, {"timeout"}}},
        {"enter", {0, 0, {"timeout"}}},
        {"close", {0, 0, {"timeout"}}},
        {"screenshot", {1, 1, {}}},
        {"expect-exit", {0, 1, {"timeout"}}},
        {"expect-file", {1, 1, {"timeout"}}},
        {"expect-no-file", {1, 1, {"timeout"}}},
        {"dump", {0, 0, {}}},
        {"shell", {1, 1, {"timeout"}}},
    };
    return rules;
}

const std::set<std::string> kExpectKinds = {"title",   "text",      "text-contains", "enabled", "disabled", "visible",
                                            "hidden",  "checked",   "unchecked",     "items",   "selected"};

bool NeedsControl(const std::string& verb, const std::string& kind) {
    if (verb == "expect") return kind != "title";
    return verb == "click" || verb == "type" || verb == "select" || verb == "double-click" || verb == "check" ||
           verb == "uncheck";
}

ControlQuery ControlFromStep(const Step& step) {
    ControlQuery query;
    long long id = 0;
    if (auto value = step.Find("id")) {
        if (!ParseInteger(*value, id)) Fail("id=" + *value + " is not a number");
        query.id = static_cast<int>(id);
    }
    if (auto value = step.Find("text")) query.text = Utf8ToAnsi(*value);
    if (auto value = step.Find("class")) query.className = Utf8ToAnsi(*value);
    return query;
}

std::string JoinItems(const std::vector<std::string>& ansiItems) {
    std::string text;
    for (const std::string& item : ansiItems) text += (text.empty() ? "" : " ") + Quote(AnsiToUtf8(item));
    return text.empty() ? "(no entries)" : text;
}

std::string OneText(const std::string& kind, const std::vector<std::string>& values) {
    if (values.size() != 1) Fail("expect " + kind + " wants one quoted text");
    return values[0];
}

// What an expect step checks on a control, and the wanted state in words.
struct ControlTest {
    std::function<bool(HWND control, std::string& seen)> test;
    std::string wanted;
};

ControlTest TextTest(const std::string& text, bool whole) {
    return {[=](HWND control, std::string& seen) {
                std::string actual = WindowText(control);
                seen = "text " + Quote(AnsiToUtf8(actual));
                return whole ? actual == text : actual.find(text) != std::string::npos;
            },
            (whole ? "text " : "text containing ") + Quote(AnsiToUtf8(text))};
}

// A yes/no state: enabled, visible or checked, named by the words for both answers.
ControlTest StateTest(bool (*state)(HWND), bool wantedValue, const char* yes, const char* no) {
    return {[=](HWND control, std::string& seen) {
                bool actual = state(control);
                seen = actual ? yes : no;
                return actual == wantedValue;
            },
            wantedValue ? yes : no};
}

ControlTest ItemsTest(const std::vector<std::string>& values) {
    return {[=](HWND control, std::string& seen) {
                std::vector<std::string> items = ListItems(control);
                seen = "entries " + JoinItems(items);
                return items == values;
            },
            "entries " + JoinItems(values)};
}

// The selected entry, by text, or by index when index >= -1.
ControlTest SelectedTest(const std::string& text, long long index) {
    const bool byText = index < -1;
    return {[=](HWND control, std::string& seen) {
                int selected = ListSelection(control);
                std::vector<std::string> items = ListItems(control);
                bool valid = selected >= 0 && selected < static_cast<int>(items.size());
                std::string selectedText = valid ? items[static_cast<size_t>(selected)] : "";
                seen = "selected index " + std::to_string(selected) + (valid ? " " + Quote(AnsiToUtf8(selectedText)) : "");
                return byText ? valid && selectedText == text : selected == index;
            },
            byText ? "selected entry " + Quote(AnsiToUtf8(text)) : "selected index " + std::to_string(index)};
}

bool IsControlEnabled(HWND control) { return IsWindowEnabled(control) != FALSE; }
bool IsControlChecked(HWND control) { return CheckState(control) == BST_CHECKED; }

ControlTest MakeControlTest(const Step& step, const std::string& kind, const std::vector<std::string>& values) {
    if (kind == "text" || kind == "text-contains") return TextTest(OneText(kind, values), kind == "text");
    if (kind == "enabled" || kind == "disabled") return StateTest(IsControlEnabled, kind == "enabled", "enabled", "disabled");
    if (kind == "visible" || kind == "hidden") return StateTest(IsShown, kind == "visible", "visible", "hidden");
    if (kind == "checked" || kind == "unchecked") return StateTest(IsControlChecked, kind == "checked", "checked", "unchecked");
    if (kind == "items") return ItemsTest(values);
    // selected
    if (auto value = step.Find("index")) {
        long long index = 0;
        if (!ParseInteger(*value, index) || index < -1 || !values.empty())
            Fail("expect selected wants either index=N (-1 or more) or one quoted text");
        return SelectedTest("", index);
    }
    return SelectedTest(OneText(kind, values), -2);
}

}  // namespace

bool ValidateSteps(const std::vector<Step>& steps, std::string& message) {
    for (const Step& step : steps) {
        const std::string where = "line " + std::to_string(step.line) + ": " + step.source + ": ";
        auto rule = VerbRules().find(step.verb);
        if (rule == VerbRules().end()) {
            message = where + "unknown step '" + step.verb + "'";
            return false;
        }
        int words = static_cast<int>(step.words.size());
        if (words < rule->second.minWords || (rule->second.maxWords >= 0 && words > rule->second.maxWords)) {
            message = where + "wrong number of words for '" + step.verb + "'";
            return false;
        }
        for (const Option& option : step.options) {
            if (!rule->second.options.count(option.name)) {
                message = where + "'" + step.verb + "' takes no option " + option.name + "=";
                return false;
            }
        }
        std::string kind = step.verb == "expect" ? step.words[0].text : "";
        if (step.verb == "expect" && (step.words[0].quoted || !kExpectKinds.count(kind))) {
            message = where + "unknown expectation '" + kind + "'";
            return false;
        }
        if (NeedsControl(step.verb, kind) && !step.Find("id") && !step.Find("text")) {
            message = where + "name the control with id= or text=";
            return false;
        }
        if (step.verb == "wait" && !step.Find("title") && !step.Find("class") && !step.Find("control") &&
            !step.Find("text")) {
            message = where + "say which window to wait for (title=, class=, control=, text=)";
            return false;
        }
        for (const Option& option : step.options) {
            long long number = 0;
            bool numeric = option.name == "id" || option.name == "control" || option.name == "index";
            if (numeric && !ParseInteger(option.value, number)) {
                message = where + option.name + "= wants a number";
                return false;
            }
        }
        if (auto timeout = step.Find("timeout"); timeout && std::atof(timeout->c_str()) <= 0) {
            message = where + "timeout= wants a number of seconds";
            return false;
        }
    }
    return true;
}

Runner::Runner(ProgramProcesses& processes, RunnerSettings settings)
    : m_processes(processes), m_settings(std::move(settings)) {}

bool Runner::Run(const std::vector<Step>& steps) {
    for (const Step& step : steps) {
        Print("[" + std::to_string(step.line) + "] " + step.source + "\n");
        try {
            Execute(step);
        } catch (const StepFailure& failure) {
            PrintError("uidriver: FAILED at line " + std::to_string(step.line) + ": " + step.source + "\n  " +
                       failure.message + "\n" + DescribeScreen(m_processes, m_current));
            return false;
        }
    }
    return true;
}

DWORD Runner::Timeout(const Step& step) const {
    if (auto value = step.Find("timeout")) return static_cast<DWORD>(std::atof(value->c_str()) * 1000);
    return m_settings.defaultTimeoutMs;
}

void Runner::Execute(const Step& step) {
    const std::string& verb = step.verb;
    if (verb == "wait") return Wait(step);
    if (verb == "wait-gone") return WaitGone(step);
    if (verb == "expect") return Expect(step);
    if (verb == "click") return Click(step, ControlFromStep(step));
    if (verb == "type") return Type(step);
    if (verb == "select") return Select(step, false);
    if (verb == "double-click") return Select(step, true);
    if (verb == "check") return Check(step, true);
    if (verb == "uncheck") return Check(step, false);
    if (verb == "next" || verb == "back" || verb == "cancel") {
        ControlQuery button;
        button.id = verb == "next" ? kWizardNext : verb == "back" ? kWizardBack : IDCANCEL;
        return Click(step, button);
    }
    if (verb == "esc") return Key(step, VK_ESCAPE);
    if (verb == "enter") return Key(step, VK_RETURN);
    if (verb == "close") return Close(step);
    if (verb == "screenshot") return Screenshot(step);
    if (verb == "expect-exit") return ExpectExit(step);
    if (verb == "expect-file") return ExpectFile(step, true);
    if (verb == "expect-no-file") return ExpectFile(step, false);
    if (verb == "dump") return Print(DescribeScreen(m_processes, m_current));
    if (verb == "shell") return Shell(step);
    Fail("unknown step '" + verb + "'");
}

HWND Runner::CurrentWindow(const Step&) const {
    if (!m_current) Fail("no window yet: a wait step must name the window first");
    if (!IsWindow(m_current)) Fail("the window of the last wait step is gone; wait for the next window first");
    return m_current;
}

void Runner::Wait(const Step& step) {
    WindowQuery query;
    if (auto value = step.Find("title")) query.title = Utf8ToAnsi(*value);
    if (auto value = step.Find("class")) query.className = Utf8ToAnsi(*value);
    if (auto value = step.Find("text")) query.controlText = Utf8ToAnsi(*value);
    for (const std::string& value : step.FindAll("control")) {
        long long id = 0;
        if (!ParseInteger(value, id)) Fail("control=" + value + " is not a number");
        query.controlIds.push_back(static_cast<int>(id));
    }
    HWND found = nullptr;
    bool ended = false;
    std::string seen;
    bool ok = PollUntil(Timeout(step), [&](std::string&) {
        found = FindProgramWindow(query, m_processes);
        // Once the program and every process it started have ended no window can come: give up at once.
        ended = !found && !m_processes.AnyRunning();
        return found != nullptr || ended;
    }, seen);
    if (!found) {
        DWORD exitCode = 0;
        if (ended && m_processes.WaitForExit(0, exitCode))
            Fail("the program ended (exit code " + std::to_string(exitCode) + ") before such a window showed");
        Fail(ok ? "the program ended before such a window showed"
                : "no such window of the program showed within " + Seconds(Timeout(step)));
    }
    m_current = found;
    Print("    found " + DescribeWindow(found, false));
}

void Runner::WaitGone(const Step& step) {
    HWND window = m_current;
    if (!window) Fail("no window yet: a wait step must name the window first");
    std::string seen;
    if (!PollUntil(Timeout(step), [&](std::string&) { return !IsWindow(window) || !IsWindowVisible(window); }, seen))
        Fail("the window is still shown after " + Seconds(Timeout(step)));
}

void Runner::Expect(const Step& step) {
    const std::string kind = step.words[0].text;
    std::vector<std::string> values;  // the expected texts, in CP932
    for (size_t i = 1; i < step.words.size(); ++i) values.push_back(Utf8ToAnsi(step.words[i].text));
    HWND window = CurrentWindow(step);

    std::function<bool(std::string&)> check;
    std::string wanted;
    if (kind == "title") {
        std::string title = OneText(kind, values);
        wanted = "title " + Quote(AnsiToUtf8(title));
        check = [=](std::string& seen) {
            std::string actual = WindowText(window);
            seen = "title " + Quote(AnsiToUtf8(actual));
            return actual == title;
        };
    } else {
        ControlQuery query = ControlFromStep(step);
        ControlTest test = MakeControlTest(step, kind, values);
        wanted = "control " + query.Describe() + " " + test.wanted;
        check = [=](std::string& seen) {
            if (!IsWindow(window)) {
                seen = "the window is gone";
                return false;
            }
            HWND control = FindControl(window, query);
            if (!control) {
                // A control that is not there is hidden as far as a person can tell.
                seen = "no such control";
                return kind == "hidden";
            }
            return test.test(control, seen);
        };
    }
    std::string seen;
    if (!PollUntil(Timeout(step), check, seen))
        Fail("expected " + wanted + "; saw " + seen + " (waited " + Seconds(Timeout(step)) + ")");
}

HWND Runner::UsableControl(const Step& step, const ControlQuery& query) {
    HWND window = CurrentWindow(step);
    HWND control = nullptr;
    std::string seen;
    bool usable = PollUntil(Timeout(step), [&](std::string& state) {
        if (!IsWindow(window)) {
            state = "the window is gone";
            return false;
        }
        control = FindControl(window, query);
        if (!control) state = "no such control";
        else if (!IsShown(control)) state = "the control is hidden";
        else if (!IsEnabled(control)) state = "the control or its window is disabled";
        else return true;
        return false;
    }, seen);
    if (!usable) Fail("cannot use control " + query.Describe() + ": " + seen + " (waited " + Seconds(Timeout(step)) + ")");
    return control;
}

void Runner::Click(const Step& step, const ControlQuery& query) {
    HWND button = UsableControl(step, query);
    std::string error;
    if (!ClickButton(button, error)) Fail("click on " + query.Describe() + " failed: " + error);
}

void Runner::Type(const Step& step) {
    ControlQuery query = ControlFromStep(step);
    HWND edit = UsableControl(step, query);
    std::string error;
    if (!TypeText(edit, Utf8ToAnsi(step.words[0].text), error)) Fail("typing into " + query.Describe() + " failed: " + error);
}

void Runner::Select(const Step& step, bool doubleClick) {
    ControlQuery query = ControlFromStep(step);
    HWND list = UsableControl(step, query);
    long long index = -1;
    if (auto value = step.Find("index")) {
        if (!ParseInteger(*value, index) || !step.words.empty()) Fail(step.verb + " wants either index=N or one quoted text");
    } else {
        if (step.words.size() != 1) Fail(step.verb + " wants either index=N or one quoted text");
        std::string text = Utf8ToAnsi(step.words[0].text);
        std::vector<std::string> items = ListItems(list);
        for (size_t i = 0; i < items.size() && index < 0; ++i) {
            if (items[i] == text) index = static_cast<long long>(i);
        }
        if (index < 0) Fail("no entry " + Quote(step.words[0].text) + " in " + query.Describe() + "; it has " + JoinItems(items));
    }
    std::string error;
    bool done = doubleClick ? DoubleClickIndex(list, static_cast<int>(index), error)
                            : SelectIndex(list, static_cast<int>(index), error);
    if (!done) Fail(step.verb + " in " + query.Describe() + " failed: " + error);
}

void Runner::Check(const Step& step, bool checked) {
    ControlQuery query = ControlFromStep(step);
    HWND button = UsableControl(step, query);
    std::string error;
    if (!SetChecked(button, checked, error)) Fail(step.verb + " of " + query.Describe() + " failed: " + error);
    std::string seen;
    if (!PollUntil(Timeout(step), [&](std::string&) { return (CheckState(button) == BST_CHECKED) == checked; }, seen))
        Fail("the box did not become " + std::string(checked ? "checked" : "unchecked"));
}

HWND Runner::UsableWindow(const Step& step) {
    HWND window = CurrentWindow(step);
    std::string seen;
    bool usable = PollUntil(Timeout(step), [&](std::string& state) {
        if (!IsWindow(window)) state = "the window is gone";
        else if (!IsWindowVisible(window)) state = "the window is hidden";
        else if (!IsWindowEnabled(window)) state = "the window is disabled (a modal dialog blocks it)";
        else return true;
        return false;
    }, seen);
    if (!usable) Fail("cannot use the current window: " + seen + " (waited " + Seconds(Timeout(step)) + ")");
    return window;
}

void Runner::Key(const Step& step, UINT virtualKey) {
    // Keys go to the focus of the window's thread: wait until no modal dialog has it.
    HWND window = UsableWindow(step);
    // A person's key reaches only the foreground window: one left behind another would
    // never see it, however the program's message loop would handle it.
    std::string seen;
    if (!PollUntil(Timeout(step), [&](std::string& state) {
            HWND foreground = GetForegroundWindow();
            if (foreground == window) return true;
            state = foreground ? DescribeWindow(foreground, false) : std::string("no window\n");
            return false;
        }, seen))
        Fail("the window is not in the foreground, so a key would not reach it (waited " +
             Seconds(Timeout(step)) + "); the foreground window is " + seen);
    std::string error;
    if (!PressKey(window, virtualKey, error)) Fail("pressing " + step.verb + " failed: " + error);
}

void Runner::Close(const Step& step) {
    std::string error;
    if (!PressCloseBox(UsableWindow(step), error)) Fail("the close box failed: " + error);
}

void Runner::Screenshot(const Step& step) {
    if (m_settings.screensDir.empty()) {
        Print("    (no --screens folder: screenshot skipped)\n");
        return;
    }
    char number[16];
    std::snprintf(number, sizeof number, "%02d", ++m_screenshots);
    std::string path = m_settings.screensDir + "\\" + number + "-" + Utf8ToAnsi(step.words[0].text) + ".bmp";
    std::string error;
    if (!SaveScreenshot(path, error)) Fail("screenshot failed: " + AnsiToUtf8(error));
    Print("    saved " + AnsiToUtf8(path) + "\n");
}

void Runner::ExpectExit(const Step& step) {
    DWORD exitCode = 0;
    if (!m_processes.WaitForExit(Timeout(step), exitCode)) Fail("the program still runs after " + Seconds(Timeout(step)));
    Print("    exit code " + std::to_string(exitCode) + "\n");
    if (step.words.empty()) return;
    long long expected = 0;
    if (!ParseInteger(step.words[0].text, expected)) Fail("expect-exit wants a number");
    if (static_cast<DWORD>(expected) != exitCode)
        Fail("expected exit code " + std::to_string(expected) + "; the program ended with " + std::to_string(exitCode));
}

void Runner::ExpectFile(const Step& step, bool present) {
    std::string path = ToWindowsPath(Utf8ToAnsi(step.words[0].text));
    std::string seen;
    bool ok = PollUntil(Timeout(step), [&](std::string&) {
        return (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) == present;
    }, seen);
    if (!ok) Fail(std::string(present ? "no file " : "there is still a file ") + step.words[0].text + " after " + Seconds(Timeout(step)));
}

void Runner::Shell(const Step& step) {
    ShellResult result;
    std::string error;
    if (!RunUnixShell(step.words[0].text, Timeout(step), result, error)) Fail("shell: " + error);
    std::string output;
    size_t start = 0;
    while (start < result.output.size()) {
        size_t end = result.output.find('\n', start);
        if (end == std::string::npos) end = result.output.size();
        output += "    | " + result.output.substr(start, end - start) + "\n";
        start = end + 1;
    }
    Print(output);
    if (result.status != 0) Fail("the command ended with status " + std::to_string(result.status));
}

}  // namespace uidriver
