// ARGLOG.EXE: writes the command line it was started with and its working directory,
// one a line, into the file its first argument names (relative to the working
// directory). With the argument /hold it first waits until a file of that name with
// ".go" added exists (at most a minute), so a test can tell whether the starter waited.
// The file appears complete: it is written aside and then renamed.
#include <windows.h>

// The first argument of the command line (after the program, quoted or not).
static void FirstArgument(const char* line, char* out, int size) {
    const char* p = line;
    if (*p == '"') {
        for (++p; *p && *p != '"'; ++p) {}
        if (*p) ++p;
    } else {
        while (*p && *p != ' ' && *p != '\t') ++p;
    }
    while (*p == ' ' || *p == '\t') ++p;
    int n = 0;
    while (*p && *p != ' ' && *p != '\t' && n < size - 1) out[n++] = *p++;
    out[n] = '\0';
}

// True when a blank-separated word of the command line is "/hold" (any case).
static int HasHold(const char* line) {
    const char* p = line;
    while (*p) {
        while (*p == ' ' || *p == '\t') ++p;
        const char* start = p;
        while (*p && *p != ' ' && *p != '\t') ++p;
        if (p - start == 5 && CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, start, 5, "/hold", 5) == CSTR_EQUAL)
            return 1;
    }
    return 0;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
    (void)instance;
    (void)previous;
    (void)commandLine;
    (void)show;
    const char* line = GetCommandLineA();
    char log[MAX_PATH], aside[MAX_PATH + 8], release[MAX_PATH + 8], directory[MAX_PATH];
    FirstArgument(line, log, MAX_PATH);
    if (!log[0]) return 2;
    wsprintfA(aside, "%s.tmp", log);
    wsprintfA(release, "%s.go", log);
    if (HasHold(line)) {
        for (int waited = 0; waited < 60000 && GetFileAttributesA(release) == INVALID_FILE_ATTRIBUTES; waited += 100)
            Sleep(100);
    }
    if (!GetCurrentDirectoryA(MAX_PATH, directory)) directory[0] = '\0';

    HANDLE file = CreateFileA(aside, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) return 1;
    DWORD written;
    WriteFile(file, line, lstrlenA(line), &written, NULL);
    WriteFile(file, "\r\n", 2, &written, NULL);
    WriteFile(file, directory, lstrlenA(directory), &written, NULL);
    WriteFile(file, "\r\n", 2, &written, NULL);
    CloseHandle(file);
    DeleteFileA(log);
    return MoveFileA(aside, log) ? 0 : 1;
}
