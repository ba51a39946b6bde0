// prefix-snapshot.exe FOLDER: lists every file and directory below FOLDER, one a line, as
// "path<TAB>attributes<TAB>size" (attributes as letters of R, H, S, A, or "-"; a
// directory's size "-"). Directories that are reparse points (Wine links the user's
// Documents and Desktop to the Unix home this way) are listed but not entered. Paths are
// printed as the system names them (the ANSI code page), in the system's order: sort
// before comparing. Exit status 0, or 2 on a bad command line.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string Letters(DWORD attributes) {
    std::string letters;
    if (attributes & FILE_ATTRIBUTE_READONLY) letters += 'R';
    if (attributes & FILE_ATTRIBUTE_HIDDEN) letters += 'H';
    if (attributes & FILE_ATTRIBUTE_SYSTEM) letters += 'S';
    if (attributes & FILE_ATTRIBUTE_ARCHIVE) letters += 'A';
    return letters.empty() ? "-" : letters;
}

void List(const std::string& folder) {
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    std::vector<std::string> subfolders;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        const std::string path = folder + "\\" + name;
        const DWORD attributes = found.dwFileAttributes;
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
            std::printf("%s\t%s\t-\n", path.c_str(), Letters(attributes).c_str());
            if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) subfolders.push_back(path);
        } else {
            const unsigned long long size =
                (static_cast<unsigned long long>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
            std::printf("%s\t%s\t%llu\n", path.c_str(), Letters(attributes).c_str(), size);
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
    for (const std::string& subfolder : subfolders) List(subfolder);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: prefix-snapshot.exe FOLDER\n");
        return 2;
    }
    std::string root = argv[1];
    while (!root.empty() && root.back() == '\\') root.pop_back();
    List(root);
    return 0;
}
