#include "core/UninstallPlan.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using core::RecordSection;

TEST(UninstallPlan, CommandLineAsTheUninstallListGivesIt) {
    auto command = core::ParseUninstallerCommandLine("C:\\WINDOWS\\SYSTEM\\ORVUN100.EXE C:\\Program Files\\A\\UNINSTAL.INF");
    EXPECT_FALSE(command.silent);
    EXPECT_EQ(command.recordPath, "C:\\Program Files\\A\\UNINSTAL.INF");
    command = core::ParseUninstallerCommandLine("\"C:\\My Tools\\ORVUN100.EXE\"  /s  \"C:\\A B\\UNINSTAL.INF\" ");
    EXPECT_TRUE(command.silent);
    EXPECT_EQ(command.recordPath, "C:\\A B\\UNINSTAL.INF");
    EXPECT_TRUE(core::ParseUninstallerCommandLine("ORVUN100.EXE /?").usage);
    // "/Sx" is no switch: a record path that begins with it.
    command = core::ParseUninstallerCommandLine("ORVUN100.EXE /Sx");
    EXPECT_FALSE(command.silent);
    EXPECT_EQ(command.recordPath, "/Sx");
    EXPECT_EQ(core::ParseUninstallerCommandLine("ORVUN100.EXE").recordPath, "");
}

TEST(UninstallPlan, NotesAreUndoneInReverseOfInstalling) {
    const auto record = core::ReadUninstallRecordText(
        "[DeleteFile]\n0=C:\\A\\X.OCX\n"
        "[DeleteShortCut]\n0=C:\\P\\A\\X.lnk\n"
        "[UnregisterOcx]\n0=C:\\A\\X.OCX\n"
        "[UnregisterAutomation]\n0=C:\\A\\X.EXE\n"
        "[DeleteIniFile]\n0=C:\\A\\X.INI\n"
        "[DeleteIniKeyword]\n0=WIN.INI,S,K\n"
        "[DeleteProgramGroup]\n0=G\n"
        "[DeleteDirectory]\n0=C:\\A\n1=C:\\A\\B\\C\n2=C:\\A\\B\n3=C:\\D\\E\n"
        "[RestoreIniValue]\n0=WIN.INI,S,V,old\n"
        "[DeleteRegKey]\n0=HKEY_CURRENT_USER\\S\n1=HKEY_CURRENT_USER\\S\\T\n"
        "[RestoreRegValue]\n0=HKEY_CURRENT_USER\\S,V,1,x\n"
        "[ReleaseSharedFile]\n0=C:\\S\\KEPT.DLL\n"
        "[DeleteProgramItem]\n0=Old group,Readme\n");
    std::vector<std::string> order;
    for (std::size_t index : core::RemovalOrder(record.notes)) order.push_back(record.notes[index].value);
    EXPECT_EQ(order, (std::vector<std::string>{
                         "C:\\A\\X.EXE", "C:\\A\\X.OCX", "C:\\P\\A\\X.lnk", "Old group,Readme", "G", "WIN.INI,S,K",
                         "C:\\A\\X.INI", "WIN.INI,S,V,old", "HKEY_CURRENT_USER\\S\\T", "HKEY_CURRENT_USER\\S",
                         "HKEY_CURRENT_USER\\S,V,1,x", "C:\\S\\KEPT.DLL", "C:\\A\\X.OCX", "C:\\A\\B\\C", "C:\\A\\B",
                         "C:\\D\\E", "C:\\A"}));
}

TEST(UninstallPlan, OnlyAnEntryOfItsOwnInTheUninstallList) {
    EXPECT_TRUE(core::IsUninstallEntryKey("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Sample"));
    EXPECT_TRUE(core::IsUninstallEntryKey("software\\microsoft\\windows\\currentversion\\uninstall\\ソフト"));
    for (const char* key : {"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\",
                            "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall", "SOFTWARE",
                            "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\A\\B", ""})
        EXPECT_FALSE(core::IsUninstallEntryKey(key)) << key;
}

TEST(UninstallPlan, ProgramGroupDataListsItsIcons) {
    const auto icons = core::ParseProgramGroupData(
        "\"Tools\",C:\\WINDOWS\\TOOLS.GRP,2,0,0,0,0,0\r\n"
        "\"Sample, new\",\"C:\\A B\\SAMPLE.EXE\",C:\\A,C:\\A\\SAMPLE.EXE,0,0,0,0,0\r\n"
        "Editor,NOTEPAD.EXE,,NOTEPAD.EXE,0,0,0,0,0\r\n"
        "broken\r\n");
    ASSERT_EQ(icons.size(), 2u);
    EXPECT_EQ(icons[0].title, "Sample, new");
    EXPECT_EQ(icons[0].command, "C:\\A B\\SAMPLE.EXE");
    EXPECT_EQ(icons[1].command, "NOTEPAD.EXE");
}

TEST(UninstallPlan, WininitDeletionsAddUpInTheRenameSection) {
    std::string text = core::AddWininitDeletion("", "C:\\A\\X.EXE");
    EXPECT_EQ(text, "[rename]\r\nNUL=C:\\A\\X.EXE\r\n");
    text = core::AddWininitDeletion(text, "C:\\A\\Y.DLL");  // the same key twice stays twice
    EXPECT_EQ(text, "[rename]\r\nNUL=C:\\A\\Y.DLL\r\nNUL=C:\\A\\X.EXE\r\n");
    EXPECT_EQ(core::AddWininitDeletion("[Other]\r\na=1\r\n [Rename]\nx=y", "Z"),
              "[Other]\r\na=1\r\n [Rename]\nNUL=Z\r\nx=y");
    EXPECT_EQ(core::AddWininitDeletion("[Other]", "Z"), "[Other]\r\n[rename]\r\nNUL=Z\r\n");
}
