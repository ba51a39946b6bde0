#include "app/SetupApp.h"
#include "app/SetupDoc.h"
#include "script/PathMacros.h"
#include "TestSupport.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A CSetupApp whose SETUP.INF is a file of the test's own, in a fresh folder.
class SetupDoc : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_app.SetPathsFromModule(m_dir.Path() + "\\SETUP.EXE")); }

    void WriteScript(const std::string& text) {
        ASSERT_TRUE(testsupport::WriteTextFile(m_app.GetSetupInfPath(), text));
    }

    // A new document that has read the settings of the current SETUP.INF.
    std::unique_ptr<CSetupDoc> ReadDocument() {
        auto doc = std::make_unique<CSetupDoc>();
        EXPECT_TRUE(doc->OnNewDocument());
        return doc;
    }

    testsupport::TempDirectory m_dir;
    CSetupApp m_app;
};

template <class Item>
std::vector<std::string> Names(const std::vector<Item*>& list) {
    std::vector<std::string> names;
    for (const Item* item : list) names.push_back(item->m_strName);
    return names;
}

using Names_ = std::vector<std::string>;

}  // namespace

TEST_F(SetupDoc, PageFlagsAreOnOnlyForExactlyTRUE) {
    WriteScript("[config]\r\nshowchoosedirpage=true\r\nShowGroupNamePage=\r\nShowGroupNamePage=TRUE\r\n");
    auto doc = ReadDocument();
    EXPECT_EQ(doc->m_bShowChooseDirPage, 0);  // "true" in lower case
    EXPECT_EQ(doc->m_bShowGroupNamePage, 0);  // the first, empty occurrence wins
    EXPECT_EQ(doc->m_bShowUserNamePage, 1);   // missing: shown, no limits
    EXPECT_EQ(doc->m_nUserNameMinLength, 0);
    EXPECT_EQ(doc->m_nUserNameMaxLength, 0);
    EXPECT_EQ(doc->m_bUninstall, 1);

    WriteScript("[Config]\r\nShowUserNamePage=TRUE,3,20\r\n");
    doc = ReadDocument();
    EXPECT_EQ(doc->m_bShowChooseDirPage, 1);
    EXPECT_EQ(doc->m_bShowUserNamePage, 1);
    EXPECT_EQ(doc->m_nUserNameMinLength, 3);
    EXPECT_EQ(doc->m_nUserNameMaxLength, 20);

    WriteScript("[Config]\r\nShowUserNamePage=\"TRUE\",x, 7,9\r\n");
    doc = ReadDocument();
    EXPECT_EQ(doc->m_bShowUserNamePage, 1);  // one enclosing pair of quotes goes
    EXPECT_EQ(doc->m_nUserNameMinLength, 0);
    EXPECT_EQ(doc->m_nUserNameMaxLength, 7);

    WriteScript("[Config]\r\nShowUserNamePage=TRUE ,3\r\n");
    doc = ReadDocument();
    EXPECT_EQ(doc->m_bShowUserNamePage, 0);  // nothing is trimmed inside the value
}

TEST_F(SetupDoc, SettingsProductDirectoriesAndMacros) {
    WriteScript(
        "[Config]\r\nProduct=サンプル\r\nInstallDir=$ProgramFiles$\\Tool\r\nGroupName=グループ\r\nSrcDir=$WinDir$\\src\r\n"
        "[Logo]\r\nLT=T,240,Face,Title\r\nrb=t,120,Face,Version\r\n"
        "[InstallOption]\r\nTypical=FL,Usual\r\n");
    auto doc = ReadDocument();
    EXPECT_EQ(doc->GetProduct(), "サンプル");
    EXPECT_EQ(doc->GetGroupName(), "グループ");
    EXPECT_EQ(doc->GetInstallDir(), GetProgramFilesDir() + "\\Tool");  // expanded at once
    std::string instDir = "$InstDir$";
    ExpandMacros(instDir);
    EXPECT_EQ(instDir, doc->GetInstallDir());
    std::string srcDir = "$SrcDir$";
    ExpandMacros(srcDir);
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, MAX_PATH);
    EXPECT_EQ(srcDir, std::string(windows) + "\\src");  // stored as written, expanded when used

    ASSERT_EQ(doc->m_arrLogoItems.size(), 2u);
    EXPECT_EQ(doc->m_arrLogoItems[1]->m_nPosition, 3);
    EXPECT_EQ(doc->m_arrLogoItems[1]->m_strText, "Version");
    ASSERT_EQ(doc->GetOptions().size(), 1u);
    EXPECT_EQ(doc->GetOptions()[0]->m_strName, "Typical");

    // Without SrcDir, $SrcDir$ is the executable's directory, without a trailing backslash.
    WriteScript("[Config]\r\nProduct=x\r\n");
    doc = ReadDocument();
    srcDir = "$SrcDir$";
    ExpandMacros(srcDir);
    char exe[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, exe, MAX_PATH);
    EXPECT_EQ(srcDir + "\\", std::string(exe, length).substr(0, srcDir.size() + 1));
    EXPECT_NE(srcDir.back(), '\\');
    EXPECT_TRUE(doc->GetOptions().empty());
}

TEST_F(SetupDoc, UninstallFieldsAndTheUninstallersFileItem) {
    WriteScript(
        "[Config]\r\nInstallDir=C:\\Tool\r\nUninstall=TRUE,MyApp,Remove MyApp\r\n"
        "[InstallFiles]\r\nSample=1,,SAMPLE.EXE,0,,SAMPLE.EXE,1024\r\n");
    auto doc = ReadDocument();
    EXPECT_EQ(doc->m_bUninstall, 1);
    EXPECT_EQ(doc->m_strUninstallKey, "MyApp");
    EXPECT_EQ(doc->m_strUninstallerTitle, "Remove MyApp");
    EXPECT_EQ(doc->m_strUninstallInfPath, "C:\\Tool\\UNINSTAL.INF");
    doc->SetInstallDir("D:\\Other");
    EXPECT_EQ(doc->GetInstallDir(), "D:\\Other");
    EXPECT_EQ(doc->m_strUninstallInfPath, "D:\\Other\\UNINSTAL.INF");

    CFileItemArray& files = doc->GetInstallFiles();
    ASSERT_EQ(files.size(), 2u);
    const CFileItem& uninstaller = *files[1];
    EXPECT_EQ(uninstaller.m_strName, "ORVUN100.EXE");
    EXPECT_EQ(uninstaller.m_nDisk, 1);
    EXPECT_EQ(uninstaller.m_strSrcDir, "");
    EXPECT_EQ(uninstaller.m_strSrcFile, "ORVUN100.EX_");
    EXPECT_EQ(uninstaller.m_strDestDir, "$SYSDIR$");
    EXPECT_EQ(uninstaller.m_strDestFile, "ORVUN100.EXE");
    EXPECT_EQ(uninstaller.m_strIconTitle, "Remove MyApp");
    EXPECT_EQ(uninstaller.m_nFlags, 0);
    EXPECT_EQ(files[0]->m_nFlags, FILEITEM_UNINSTALL);

    WriteScript("[Config]\r\nUninstall=FALSE,MyApp\r\n[InstallFiles]\r\nSample=1,,SAMPLE.EXE\r\n");
    doc = ReadDocument();
    EXPECT_EQ(doc->m_bUninstall, 0);
    EXPECT_EQ(doc->m_strUninstallKey, "MyApp");
    EXPECT_EQ(doc->m_strUninstallInfPath, "\\UNINSTAL.INF");
    EXPECT_EQ(Names(doc->GetInstallFiles()), (Names_{"Sample"}));
}

TEST_F(SetupDoc, GathersPlainCommonThenTheChosenOptionsSections) {
    WriteScript(
        "[Config]\r\nUninstall=FALSE\r\n"
        "[InstallOption]\r\nTypical=FL,Usual files\r\nFull=GRP,Everything\r\n"
        "[Full::InstallFIles]\r\nFullFile=1,,F.EXE\r\n"
        "[Common::InstallFiles]\r\nCommon1=1,,C1.EXE\r\nNoValue=\r\nCommon2=1,,C2.EXE\r\n"
        "[Full::InstallFiles]\r\nWrongSpelling=1,,W.EXE\r\n"
        "[Typical::InstallFIles]\r\nTypicalFile=1,,T.EXE\r\n"
        "[InstallFiles]\r\nPlain=1,,P.EXE\r\n"
        "[Full::IniUpdates]\r\nFULL.INI=S,K,V\r\n"
        "[IniUpdates]\r\nPLAIN.INI=S,K,V\r\n"
        "[Common::RegUpdates]\r\nLOCAL_MACHINE=Software\\X,Name,DWORD,5,1\r\nlocal_machine=Software\\Y\r\n"
        "[Full::Executes]\r\nRUN.EXE=,ASYNC,HIDE,5000\r\n"
        "[RegisterOcx]\r\nControl=$SysDir$\\C.OCX,0\r\n"
        "[Common::RegisterAutomation]\r\nServer=$InstDir$\\S.EXE\r\n"
        "[RegisterCom]\r\nCom=anything\r\n"
        "[Full::MakeShortCut]\r\nSample=$Desktop$\\Sample.lnk,$InstDir$\\SAMPLE.EXE\r\n");
    auto doc = ReadDocument();
    ASSERT_EQ(doc->GetOptions().size(), 2u);
    EXPECT_EQ(doc->GetOptions()[1]->m_nKind, 2);
    doc->SetOption("Full");

    EXPECT_EQ(Names(doc->GetInstallFiles()), (Names_{"Plain", "Common1", "Common2", "FullFile"}));
    ASSERT_EQ(doc->GetIniUpdates().size(), 2u);
    EXPECT_EQ(doc->GetIniUpdates()[0]->m_strFile, "PLAIN.INI");
    EXPECT_EQ(doc->GetIniUpdates()[1]->m_strFile, "FULL.INI");
    EXPECT_EQ(doc->GetIniUpdates()[1]->m_nMode, 9);

    CRegItemArray& regs = doc->GetRegUpdates();
    ASSERT_EQ(regs.size(), 2u);
    EXPECT_EQ(regs[0]->m_hRootKey, HKEY_LOCAL_MACHINE);
    EXPECT_EQ(regs[0]->m_dwType, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(regs[1]->m_hRootKey, HKEY_CURRENT_USER);
    EXPECT_EQ(regs[1]->m_dwType, static_cast<DWORD>(REG_SZ));

    EXPECT_EQ(doc->GetExecutes().size(), 1u);
    EXPECT_EQ(doc->GetRegisterOcx().size(), 1u);
    EXPECT_EQ(doc->GetRegisterAutomation().size(), 1u);
    EXPECT_TRUE(doc->GetRegisterCom().empty());
    EXPECT_EQ(doc->GetShortcuts().size(), 1u);
}

TEST_F(SetupDoc, WithoutAnOptionNoOptionSectionIsRead) {
    WriteScript(
        "[Config]\r\nUninstall=FALSE\r\n[InstallOption]\r\nOnly=FL,One\r\n"
        "[InstallFiles]\r\nPlain=1,,P.EXE\r\n[Only::InstallFIles]\r\nOnlyFile=1,,O.EXE\r\n"
        "[::InstallFIles]\r\nEmptyOption=1,,E.EXE\r\n");
    auto doc = ReadDocument();
    EXPECT_EQ(doc->GetOption(), "");
    EXPECT_EQ(Names(doc->GetInstallFiles()), (Names_{"Plain"}));
}

TEST_F(SetupDoc, AnEmptyKindIsReadAgainAKindWithItemsOnce) {
    const std::string config = "[Config]\r\nUninstall=FALSE\r\n";
    WriteScript(config);
    auto doc = ReadDocument();
    EXPECT_TRUE(doc->GetInstallFiles().empty());
    EXPECT_TRUE(doc->GetOptions().empty());

    WriteScript(config + "[InstallOption]\r\nA=FL,a\r\n[InstallFiles]\r\nFirst=1,,F.EXE\r\n");
    EXPECT_EQ(Names(doc->GetInstallFiles()), (Names_{"First"}));  // read again while empty
    EXPECT_EQ(doc->GetOptions().size(), 1u);

    WriteScript(config + "[InstallFiles]\r\nFirst=1,,F.EXE\r\nSecond=1,,S.EXE\r\n");
    EXPECT_EQ(Names(doc->GetInstallFiles()), (Names_{"First"}));  // read once when it has items
}

TEST_F(SetupDoc, SetGroupNameWritesBackAndToleratesReadOnlyMedia) {
    WriteScript("[Config]\r\nGroupName=Old\r\n[InstallFiles]\r\nA=1\r\n");
    auto doc = ReadDocument();
    doc->SetGroupName("新しいグループ");
    EXPECT_EQ(doc->GetGroupName(), "新しいグループ");
    char value[64] = "";
    GetPrivateProfileStringA("Config", "GroupName", "", value, sizeof value, m_app.GetSetupInfPath().c_str());
    EXPECT_STREQ(value, "新しいグループ");

    // A write that fails (here: the profile's folder does not exist) is no error.
    const std::string unwritable = m_dir.Path() + "\\missing\\SETUP.INF";
    m_app.SetProfileName(unwritable);
    doc->SetGroupName("Other");
    EXPECT_EQ(doc->GetGroupName(), "Other");
    EXPECT_FALSE(testsupport::FileExists(unwritable));
}

TEST_F(SetupDoc, TheSampleProductsScriptHasEveryKind) {
    std::string sample =
        testsupport::ReadTextFile(testsupport::WindowsPathOfUnix(SETUP_SOURCE_UNIX_DIR "/examples/sample/SETUP.INF"));
    ASSERT_FALSE(sample.empty());
    WriteScript(sample);
    auto doc = ReadDocument();
    EXPECT_EQ(doc->GetProduct(), "サンプル ツール");
    EXPECT_EQ(doc->m_arrLogoItems.size(), 2u);
    ASSERT_EQ(doc->GetOptions().size(), 2u);
    doc->SetOption(doc->GetOptions()[1]->m_strName);
    // Common and option files plus the uninstaller.
    EXPECT_GT(doc->GetInstallFiles().size(), 3u);
    EXPECT_FALSE(doc->GetIniUpdates().empty());
    EXPECT_FALSE(doc->GetRegUpdates().empty());
    EXPECT_FALSE(doc->GetExecutes().empty());
    EXPECT_FALSE(doc->GetRegisterOcx().empty());
    EXPECT_FALSE(doc->GetRegisterAutomation().empty());
    EXPECT_FALSE(doc->GetShortcuts().empty());
    EXPECT_EQ(doc->GetShortcuts()[0]->m_strDescription, "サンプル");
    EXPECT_EQ(doc->GetRegUpdates()[2]->m_strData, "サンプル ツール, 1.0");
}
