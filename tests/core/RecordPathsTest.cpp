#include "core/RecordPaths.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using core::RecordPathProblem;

TEST(RecordPaths, OnlyFullPathsBelowNothingProtectedMayBeActedOn) {
    const std::vector<std::string> protectedFolders = {"C:\\WINDOWS", "C:\\WINDOWS\\SYSTEM",
                                                       "C:\\WINDOWS\\Start Menu\\Programs"};
    struct Case {
        const char* path;
        RecordPathProblem problem;
    } cases[] = {
        {"C:\\Program Files\\App\\A.EXE", RecordPathProblem::None},
        {"\\\\server\\share\\App", RecordPathProblem::None},
        {"C:\\WINDOWS\\SYSTEM\\APP.DLL", RecordPathProblem::None},
        {"C:\\WINDOWS\\Start Menu\\Programs\\App", RecordPathProblem::None},
        {"C:\\", RecordPathProblem::DriveRoot},
        {"c:/", RecordPathProblem::DriveRoot},
        {"\\\\server\\share\\", RecordPathProblem::DriveRoot},
        {"c:\\windows\\", RecordPathProblem::ProtectedFolder},
        {"C:\\WINDOWS.\\System", RecordPathProblem::ProtectedFolder},  // the system drops the dot
        {"C:\\WINDOWS\\Start Menu", RecordPathProblem::ProtectedFolder},  // above a protected folder
        {"App\\A.EXE", RecordPathProblem::Relative},
        {"\\App\\A.EXE", RecordPathProblem::Relative},
        {"C:App", RecordPathProblem::Relative},
        {"\\\\?\\C:\\App", RecordPathProblem::Relative},
        {"", RecordPathProblem::Relative},
        {"C:\\App\\..\\WINDOWS", RecordPathProblem::ParentReference},
        {"C:\\App\\.\\X", RecordPathProblem::ParentReference},
    };
    for (const Case& c : cases) EXPECT_EQ(core::CheckRecordPath(c.path, protectedFolders), c.problem) << c.path;
}

TEST(RecordPaths, ComparisonsRespectShiftJis) {
    // "ソ" is 0x83 0x5C and "ｿ" is no letter: neither may be folded or split.
    EXPECT_TRUE(core::SamePath("c:\\ソフト\\a.exe", "C:\\ソフト\\A.EXE\\"));
    EXPECT_FALSE(core::SamePath("C:\\ソフト", "C:\\ソフ\x83"));
    EXPECT_EQ(core::ParentFolder("C:\\ソ\\表"), "C:\\ソ");
    EXPECT_EQ(core::FileNameOf("C:\\ソ\\表"), "表");
    EXPECT_EQ(core::PathDepth("C:\\ソ\\表\\"), 3);
    EXPECT_TRUE(core::IsBelowFolder("C:\\App\\Sub", "c:\\app"));
    EXPECT_FALSE(core::IsBelowFolder("C:\\AppX", "C:\\App"));
    EXPECT_FALSE(core::IsBelowFolder("C:\\App", "C:\\App"));
    EXPECT_EQ(core::IniNoteFile("WIN.INI", "C:\\WINDOWS"), "C:\\WINDOWS\\WIN.INI");
    EXPECT_EQ(core::IniNoteFile("D:\\A.INI", "C:\\WINDOWS"), "D:\\A.INI");
}
