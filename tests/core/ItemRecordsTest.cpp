#include "core/ItemRecords.h"

#include <gtest/gtest.h>

using namespace core;

TEST(FileItemFields, FieldsDefaultsAndFlagOrder) {
    FileItemFields plain("Sample", "1,,SAMPLE.EXE,0,,SAMPLE.EXE,1024");
    EXPECT_EQ(plain.m_strName, "Sample");
    EXPECT_EQ(plain.m_nDisk, 1);
    EXPECT_EQ(plain.m_strSrcDir, "");
    EXPECT_EQ(plain.m_strSrcFile, "SAMPLE.EXE");
    EXPECT_EQ(plain.m_strDestDir, "");
    EXPECT_EQ(plain.m_strDestFile, "SAMPLE.EXE");
    EXPECT_EQ(plain.m_nSize, 1024);
    EXPECT_EQ(plain.m_nFlags, FILEITEM_UNINSTALL);  // F7 missing
    EXPECT_EQ(plain.m_strIconTitle, "");

    FileItemFields noFlags("S", "1,,SAMPLE.EXE,0,,SAMPLE.EXE,1024,0");
    EXPECT_EQ(noFlags.m_nFlags, 0);
    FileItemFields withIcon("S", "2,\\SUB,A.DL_,7,$SysDir$,A.DLL, 2048,2,Sample");
    EXPECT_EQ(withIcon.m_nFlags, FILEITEM_SHAREDDLL);
    EXPECT_EQ(withIcon.m_strIconTitle, "Sample");
    EXPECT_EQ(withIcon.m_strSrcDir, "\\SUB");
    EXPECT_EQ(withIcon.m_nReserved, 7);
    EXPECT_EQ(withIcon.m_nSize, 2048);  // leading blank in a number field
    FileItemFields huge("S", "123456789012345678901234567890");
    EXPECT_EQ(huge.m_nDisk, 2147483647);
}

TEST(IniAndRegFields, ModesRootsAndTypes) {
    EXPECT_EQ(IniItemFields("WIN.INI", "Sec,Key,Val").m_nMode, 9);
    IniItemFields remove("WIN.INI", "Sec,,,4");
    EXPECT_EQ(remove.m_strSection, "Sec");
    EXPECT_EQ(remove.m_strKey, "");
    EXPECT_EQ(remove.m_nMode, 4);
    EXPECT_EQ(IniItemFields("A.INI", "S,K,V,8").m_nMode & 7, 0);

    EXPECT_EQ(RegRootFromName("LOCAL_MACHINE"), RegRoot::LocalMachine);
    EXPECT_EQ(RegRootFromName("CLASSES_ROOT"), RegRoot::ClassesRoot);
    EXPECT_EQ(RegRootFromName("USERS"), RegRoot::Users);
    EXPECT_EQ(RegRootFromName("HKEY_LOCAL_MACHINE"), RegRoot::CurrentUser);
    EXPECT_EQ(RegRootFromName("local_machine"), RegRoot::CurrentUser);
    EXPECT_EQ(RegTypeFromKeyword("DWORD"), kRegDword);
    EXPECT_EQ(RegTypeFromKeyword("BINARY"), kRegBinary);
    EXPECT_EQ(RegTypeFromKeyword("dword"), kRegSz);
    EXPECT_EQ(RegTypeFromKeyword(""), kRegSz);
}

TEST(ExeOcxAutomationFields, KeywordsAndDefaults) {
    ExeItemFields bare("SETUP2.EXE", ",");
    EXPECT_EQ(bare.m_strDirectory, "$TmpDir$");
    EXPECT_EQ(bare.m_bSync, 1);
    EXPECT_EQ(bare.m_nShow, kShowNormal);
    EXPECT_EQ(bare.m_nTimeout, kExeTimeoutInfinite);
    EXPECT_EQ(bare.m_strArguments, "");

    ExeItemFields hidden("A.EXE", "$InstDir$,ASYNC,HIDE,5000,/q /x");
    EXPECT_EQ(hidden.m_bSync, 0);
    EXPECT_EQ(hidden.m_nShow, kShowHide);
    EXPECT_EQ(hidden.m_nTimeout, 5000);
    EXPECT_EQ(hidden.m_strArguments, "/q /x");
    EXPECT_EQ(ExeItemFields("A", "d,sync").m_bSync, 0);
    EXPECT_EQ(ExeItemFields("A", "d,\x93\xaf\x8a\xfa").m_bSync, 1);  // 同期
    EXPECT_EQ(ExeItemFields("A", "d,SYNC,MIN").m_nShow, kShowMinimize);
    EXPECT_EQ(ExeItemFields("A", "d,SYNC,MAX").m_nShow, kShowMaximize);
    EXPECT_EQ(ExeItemFields("A", "d,SYNC,max").m_nShow, kShowNormal);

    EXPECT_EQ(OcxItemFields("C", "c.ocx,0").m_bRecordUninstall, 0);
    EXPECT_EQ(OcxItemFields("C", "c.ocx,00").m_bRecordUninstall, 1);
    EXPECT_EQ(OcxItemFields("C", "c.ocx, 0").m_bRecordUninstall, 1);
    EXPECT_EQ(OcxItemFields("C", "c.ocx").m_bRecordUninstall, 1);

    EXPECT_EQ(AutomationItemFields("S", "s.exe").m_nFlags, AUTOMATIONITEM_UNINSTALL);
    EXPECT_EQ(AutomationItemFields("S", "s.exe,0").m_nFlags, 0);
}

TEST(LogoShortcutOptionFields, CornersKindsAndTexts) {
    LogoItemFields text("rb", "t,120,Face,Version 1.0");
    EXPECT_EQ(text.m_nPosition, 3);
    EXPECT_EQ(text.m_bText, 1);
    EXPECT_EQ(text.m_nPointSize, 120);
    EXPECT_EQ(text.m_strFaceName, "Face");
    EXPECT_EQ(text.m_strText, "Version 1.0");
    LogoItemFields picture("XX", "B,logo.bmp,9");
    EXPECT_EQ(picture.m_nPosition, 0);
    EXPECT_EQ(picture.m_bText, 0);
    EXPECT_EQ(picture.m_strText, "logo.bmp");
    EXPECT_EQ(picture.m_nPointSize, 0);
    EXPECT_EQ(LogoItemFields("Lb", "T").m_nPosition, 1);
    EXPECT_EQ(LogoItemFields("RT", "T").m_nPosition, 2);

    ShortcutItemFields link("Sample", "$Desktop$\\Sample.lnk,$InstDir$\\SAMPLE.EXE");
    EXPECT_EQ(link.m_strLinkPath, "$Desktop$\\Sample.lnk");
    EXPECT_EQ(link.m_strTarget, "$InstDir$\\SAMPLE.EXE");

    OptionItemFields full("Full", "FL,Everything");
    EXPECT_EQ(full.m_nKind, 1);
    EXPECT_EQ(full.m_strDescription, "Everything");
    EXPECT_EQ(OptionItemFields("G", "GRP,x").m_nKind, 2);
    EXPECT_EQ(OptionItemFields("F", "fl,x").m_nKind, 0);
}
