#include "core/ScriptCheck.h"
#include "core/SetupScript.h"

#include <gtest/gtest.h>

TEST(SetupScript, KeepsTheLineOfEachHeaderAndEntryWhateverTheLineEnds) {
    // CR LF, LF and a lone CR; a comment and an empty line in between.
    const core::SetupScript script = core::ReadSetupScript(
        "; c\r\n[Config]\r\nUninstall=FALSE\r\n\r\n[InstallFiles]\nA=1,,A.EX_,0,,A.EXE,10\rB=2,,B,0,,B,5\n");
    const core::LocatedSection* files = script.Find("InstallFiles");
    ASSERT_NE(files, nullptr);
    EXPECT_EQ(script.FindConfig()->header.line, 2);
    EXPECT_EQ(files->header.line, 5);
    ASSERT_EQ(files->entries.size(), 2u);
    EXPECT_EQ(files->entries[0].line, 6);
    EXPECT_EQ(files->entries[1].line, 7);
    EXPECT_EQ(script.text.substr(script.ValueOffset(*files, 1), 5), "2,,B,");
}

TEST(SetupScript, GathersFilesInTheInstallersOrderWithTheUninstallerLast) {
    const core::SetupScript script = core::ReadSetupScript(
        "[Opt::InstallFIles]\nO=1,,O,0,,O,1\n[Common::InstallFiles]\nC=1,,C,0,,C,1\n[InstallOption]\nOpt=FL,x\n"
        "[InstallFiles]\nP=1,,P,0,,P,1\nEMPTY=\n[Config]\nUninstall=TRUE,Key,Title\n");
    const std::vector<core::ScriptFileItem> items = core::AllFileItems(script);
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[0].fields.m_strName, "P");
    EXPECT_EQ(items[1].fields.m_strName, "C");
    EXPECT_EQ(items[2].fields.m_strName, "O");
    EXPECT_EQ(items[3].fields.m_strSrcFile, "ORVUN100.EX_");
    EXPECT_EQ(items[3].fields.m_strIconTitle, "Title");
    EXPECT_EQ(items[3].section, nullptr);
}

TEST(SetupScript, ReplacesOneFieldAndKeepsEveryOtherByte) {
    // A quoted comma, a Shift-JIS title whose second byte is "\" and a comment stay.
    const std::string text = "X=,\\D,\"a,b\",0,,F,,1,\x83\x5C\r\n; note\r\n";
    const std::size_t value = 2, length = text.find('\r') - value;
    EXPECT_EQ(core::ReplaceField(text, value, length, 0, "2"), "X=2,\\D,\"a,b\",0,,F,,1,\x83\x5C\r\n; note\r\n");
    EXPECT_EQ(core::ReplaceField(text, value, length, 6, "123"), "X=,\\D,\"a,b\",0,,F,123,1,\x83\x5C\r\n; note\r\n");
    // Missing fields are added up to the one replaced.
    EXPECT_EQ(core::ReplaceField("X=1,,F,0,,F", 2, 9, 6, "7"), "X=1,,F,0,,F,7");
}

TEST(SetupScript, DestinationPathsUseTheDefaultInstallationDirectory) {
    const core::SetupScript script = core::ReadSetupScript("[Config]\nInstallDir=$ProgramFiles$\\Tool\n");
    core::FileItemFields item("A", "1,,A.EX_,0,BIN,A.EXE,1");
    EXPECT_EQ(core::DefaultDestPath(script, item), "C:\\Program Files\\Tool\\BIN\\A.EXE");
    core::FileItemFields system("A", "1,,A.DL_,0,$SysDir$,A.DLL,1");
    EXPECT_EQ(core::DefaultDestPath(script, system), "C:\\WINDOWS\\SYSTEM\\A.DLL");
}
