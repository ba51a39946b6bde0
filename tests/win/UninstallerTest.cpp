// The uninstaller's removal under Wine, on records in a temporary folder: what it refuses
// to touch, a file in use (through a stand-in for the platform's deletion), and what
// stays in the record until a later run finishes.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "core/UninstallRecordReader.h"
#include "uninstaller/Removal.h"

namespace {

using testsupport::FileExists;
using testsupport::ReadTextFile;
using testsupport::WriteTextFile;

// The platform's deletion, except that one file is held by a running program.
class HeldFileRemoval : public CFileRemoval {
public:
    std::string held;
    bool scheduling = true;
    std::vector<std::string> scheduled;

    Result DeleteFile(const std::string& path) override {
        return path == held ? Result::InUse : CFileRemoval::DeleteFile(path);
    }
    bool ScheduleDeletion(const std::string& path, bool) override {
        if (scheduling) scheduled.push_back(path);
        return scheduling;
    }
};

class Uninstaller : public testing::Test {
protected:
    std::string Path(const std::string& name) const { return m_dir.Path() + "\\" + name; }

    // Writes the record (lines joined with CR LF) and runs the removal on it.
    RemovalReport Remove(const std::vector<std::string>& lines, CFileRemoval& files) {
        std::string text;
        for (const std::string& line : lines) text += line + "\r\n";
        EXPECT_TRUE(WriteTextFile(Path("UNINSTAL.INF"), text));
        return RemoveAgain(files);
    }
    RemovalReport RemoveAgain(CFileRemoval& files) {
        CRemoval removal(core::ReadUninstallRecordText(ReadTextFile(Path("UNINSTAL.INF"))), Settings(), files,
                         nullptr);
        EXPECT_EQ(removal.RefusedItem(), "");
        return removal.Run();
    }
    RemovalSettings Settings() const {
        RemovalSettings settings;
        settings.recordPath = Path("UNINSTAL.INF");
        settings.platform.bWinNT = 1;
        settings.platform.dwWinVersion = 0x40000;
        settings.windowsDirectory = testsupport::WindowsDirectory();
        settings.protectedFolders = {testsupport::WindowsDirectory()};
        return settings;
    }

    testsupport::TempDirectory m_dir;
};

}  // namespace

TEST_F(Uninstaller, RefusesRecordsNamingWhatMustStay) {
    const std::string windows = testsupport::WindowsDirectory();
    for (const std::string& record : std::vector<std::string>{
             "[DeleteDirectory]\n0=C:\\\n", "[DeleteDirectory]\n0=" + windows + "\\\n", "[DeleteFile]\n0=APP.EXE\n",
          "[DeleteFile]\n0=" + m_dir.Path() + "\\..\\X\n", "[DeleteIniKeyword]\n0=..\\X.INI,S,K\n",
          "[Config]\nReg=SOFTWARE\\Microsoft\\Windows\\CurrentVersion\n"}) {
        CFileRemoval files;
        CRemoval removal(core::ReadUninstallRecordText(record), Settings(), files, nullptr);
        EXPECT_NE(removal.RefusedItem(), "") << record;
    }
    CFileRemoval files;
    CRemoval fine(core::ReadUninstallRecordText("[DeleteIniKeyword]\n0=WIN.INI,S,K\n[DeleteFile]\n0=" + Path("A") +
                                                "\n[Config]\nReg=SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\"
                                                "Uninstall\\E2E\n"),
                  Settings(), files, nullptr);
    EXPECT_EQ(fine.RefusedItem(), "");
}

TEST_F(Uninstaller, AFileInUseGoesAtTheNextStartWithItsDirectory) {
    const std::string sub = Path("SUB");
    ASSERT_TRUE(CreateDirectoryA(sub.c_str(), nullptr));
    ASSERT_TRUE(WriteTextFile(sub + "\\HELD.DLL", "x") && WriteTextFile(sub + "\\FREE.TXT", "y"));
    HeldFileRemoval files;
    files.held = sub + "\\HELD.DLL";
    const RemovalReport report = Remove({"[DeleteFile]", "0=" + files.held, "1=" + sub + "\\FREE.TXT",
                                         "2=" + Path("UNINSTAL.INF"), "[DeleteDirectory]", "0=" + sub, "[Config]",
                                         "Product=P"},
                                        files);
    EXPECT_EQ(report.exitCode, kRestartCompletes);
    EXPECT_EQ(files.scheduled, (std::vector<std::string>{files.held, sub}));
    EXPECT_TRUE(report.remaining.empty());
    EXPECT_FALSE(FileExists(sub + "\\FREE.TXT"));
    EXPECT_FALSE(FileExists(Path("UNINSTAL.INF")));

    // Where the system cannot take it either, the file stays, listed, and so does the record.
    ASSERT_TRUE(WriteTextFile(sub + "\\FREE.TXT", "y"));
    files.scheduling = false;
    const RemovalReport again = Remove({"[DeleteFile]", "0=" + files.held, "1=" + sub + "\\FREE.TXT",
                                        "2=" + Path("UNINSTAL.INF"), "[DeleteDirectory]", "0=" + sub},
                                       files);
    EXPECT_EQ(again.exitCode, kSomethingRemains);
    EXPECT_EQ(ReadTextFile(Path("UNINSTAL.INF")), "[DeleteFile]\r\n0=" + files.held + "\r\n1=" + Path("UNINSTAL.INF") +
                                                      "\r\n[DeleteDirectory]\r\n0=" + sub + "\r\n");
}

TEST_F(Uninstaller, WhatStaysStaysInTheRecordUntilALaterRunFinishes) {
    const std::string data = Path("DATA");
    ASSERT_TRUE(CreateDirectoryA(data.c_str(), nullptr));
    ASSERT_TRUE(WriteTextFile(data + "\\APP.DAT", "x") && WriteTextFile(data + "\\MINE.DOC", "the user's"));
    CFileRemoval files;
    const RemovalReport report =
        Remove({"[DeleteFile]", "0=" + data + "\\APP.DAT", "1=" + Path("UNINSTAL.INF"), "[DeleteDirectory]",
                "0=" + data, "[DeleteRegKey]", "0=HKEY_CURRENT_USER\\Software\\E2E Nothing\\Here", "[Config]",
                "Product=P", "Reg=SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\E2E Stays"},
               files);
    EXPECT_EQ(report.exitCode, kSomethingRemains);
    EXPECT_EQ(report.remaining, (std::vector<std::string>{data + " (ほかのファイルが残っています)"}));
    EXPECT_TRUE(FileExists(data + "\\MINE.DOC"));
    EXPECT_FALSE(FileExists(data + "\\APP.DAT"));
    EXPECT_EQ(ReadTextFile(Path("UNINSTAL.INF")),
              "[DeleteFile]\r\n0=" + Path("UNINSTAL.INF") + "\r\n[DeleteDirectory]\r\n0=" + data +
                  "\r\n[Config]\r\nProduct=P\r\nReg=SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\E2E Stays\r\n");

    ASSERT_TRUE(DeleteFileA((data + "\\MINE.DOC").c_str()));
    EXPECT_EQ(RemoveAgain(files).exitCode, kRemoved);
    EXPECT_FALSE(FileExists(Path("UNINSTAL.INF")));
    EXPECT_EQ(GetFileAttributesA(data.c_str()), INVALID_FILE_ATTRIBUTES);
}
