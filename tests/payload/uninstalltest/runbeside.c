// RUNBESIDE.EXE "PROGRAM" COMMAND LINE...: starts PROGRAM and leaves it running, runs the
// command line and waits for it, then ends PROGRAM and exits with the command's exit
// code. A test thus has a program running from a file (which the system will not let
// anyone delete) while another program tries to remove that file. Exit code 255 when
// either cannot be started.
#include <windows.h>

// The command line after the program's own name and the first argument (kept in `first`).
static const char* SplitArguments(const char* line, char* first, int size) {
    const char* p = line;
    int pass;
    for (pass = 0; pass < 2; ++pass) {
        const char* start;
        int quoted;
        while (*p == ' ' || *p == '\t') ++p;
        quoted = *p == '"';
        if (quoted) ++p;
        start = p;
        while (*p && (quoted ? *p != '"' : (*p != ' ' && *p != '\t'))) ++p;
        if (pass == 1) {
            int n = (int)(p - start) < size - 1 ? (int)(p - start) : size - 1;
            lstrcpynA(first, start, n + 1);
        }
        if (quoted && *p) ++p;
    }
    while (*p == ' ' || *p == '\t') ++p;
    return p;
}

static HANDLE Start(char* commandLine) {
    STARTUPINFOA startup;
    PROCESS_INFORMATION info;
    ZeroMemory(&startup, sizeof startup);
    startup.cb = sizeof startup;
    if (!CreateProcessA(NULL, commandLine, NULL, NULL, FALSE, 0, NULL, NULL, &startup, &info)) return NULL;
    CloseHandle(info.hThread);
    return info.hProcess;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR unused, int show) {
    char program[MAX_PATH + 2];
    char command[2048];
    HANDLE beside, process;
    DWORD code = 255;
    (void)instance;
    (void)previous;
    (void)unused;
    (void)show;
    lstrcpynA(command, SplitArguments(GetCommandLineA(), program, MAX_PATH), sizeof command);
    beside = Start(program);
    if (!beside) return 255;
    process = Start(command);
    if (process) {
        WaitForSingleObject(process, INFINITE);
        GetExitCodeProcess(process, &code);
        CloseHandle(process);
    }
    TerminateProcess(beside, 0);
    CloseHandle(beside);
    return (int)code;
}
