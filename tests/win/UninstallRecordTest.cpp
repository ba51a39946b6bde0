// The uninstall record under Wine: UNINSTAL.INF, the directory notes in WIN.INI and
// the product's entry in the uninstall list, as the companion uninstaller reads them.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "TestSupport.h"
#include "app/MainFrame.h"
#include "app/SetupDoc.h"
#include "app/SetupView.h"
#include "framework/App.h"
#include "resources/resource.h"
#include "script/PathMacros.h"
#include "uninstall/UninstallRecord.h"

namespace {

const char kUninstallList[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

// Every section of an INI file in file order, as "[name]" lines followed by its
// "key=value" lines, through the private-profile reader.
std::string Listing(const std::string& path) {
    std::string listing;
    char names[8192];
    DWORD length = GetPrivateProfileSectionNamesA(names, sizeof names, path.c_str());
    for (const char* name = names; name < names + length && *name; name += strlen(name) + 1) {
        listing += std::string("[") + name + "]\n";
        char entries[16384];
        DWORD size = GetPrivateProfileSectionA(name, entries, sizeof entries, path.c_str());
        for (const char* entry = entries; entry < entries + size && *entry; entry += strlen(entry) + 1)
            listing += std::string(entry) + "\n";
    }
    return listing;
}

std::string DirectoryNotes() {
    char text[4096] = "";
    GetPrivateProfileSectionA(CUninstallRecord::kDirectoryNotesSection, text, sizeof text, "WIN.INI");
    return text;
}

void ClearDirectoryNotes() {
    WritePrivateProfileStringA(CUninstallRecord::kDirectoryNotesSection, nullptr, nullptr, "WIN.INI");
}

// A string value under HKEY_LOCAL_MACHINE; "<none>" when the key or value is missing.
std::string EntryValue(const std::string& keyPath, const char* name) {
    char data[1024] = "";
    DWORD size = sizeof data;
    LONG result = RegGetValueA(HKEY_LOCAL_MACHINE, keyPath.c_str(), name, RRF_RT_REG_SZ, nullptr, data, &size);
    return result == ERROR_SUCCESS ? std::string(data) : "<none>";
}

class UninstallRecord : public testing::Test {
protected:
    void SetUp() override {
        m_strSavedInstDir = "$INSTDIR$";
        ExpandMacros(m_strSavedInstDir);
        SetInstDirMacro(m_folder.Path());
        m_strUninstallKey = "OrvanSetupTest" + std::to_string(GetCurrentProcessId());
        m_strKeyPath = std::string(kUninstallList) + "\\" + m_strUninstallKey;
        ClearDirectoryNotes();
    }
    void TearDown() override {
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, m_strKeyPath.c_str());
        ClearDirectoryNotes();
        SetInstDirMacro(m_strSavedInstDir);
    }

    CUninstallRecord::Settings Enabled() const {
        CUninstallRecord::Settings settings;
        settings.enabled = true;
        settings.recordPath = RecordPath();
        settings.product = "テスト製品 $InstDir$";
        settings.uninstallKey = m_strUninstallKey;
        return settings;
    }
    std::string RecordPath() const { return m_folder.Path() + "\\UNINSTAL.INF"; }
    std::string In(const char* name) const { return m_folder.Path() + "\\" + name; }

    testsupport::TempDirectory m_folder;
    std::string m_strSavedInstDir;
    std::string m_strUninstallKey;
    std::string m_strKeyPath;
};

}  // namespace

TEST_F(UninstallRecord, TypicalRunListsSectionsInOrderAndItselfLastAndHidden) {
    // Left in WIN.INI by an installation that stopped before completing.
    WritePrivateProfileStringA(CUninstallRecord::kDirectoryNotesSection, "0", "C:\\STALE0", "WIN.INI");
    WritePrivateProfileStringA(CUninstallRecord::kDirectoryNotesSection, "7", "C:\\STALE7", "WIN.INI");

    CUninstallRecord record;
    record.Configure(Enabled());
    const std::string dir = m_folder.Path();
    record.RecordCreatedDirectory(In("SUB"));
    record.RecordCreatedDirectory("");  // an empty note keeps its number out of the record
    record.RecordCreatedDirectory(In("SUB\\DEEP"));
    record.RecordDeleteFile(In("A.EXE"));
    record.RecordDeleteFile(In("SUB\\B.DLL"));
    record.RecordDeleteShortcut("C:\\Menu\\A.lnk");
    record.RecordDeleteIniSection(CIniItem("$InstDir$\\A.INI", "Sec$InstDir$,Key,Value"));
    record.RecordDeleteIniFile(In("NEW.INI"));
    record.RecordDeleteIniValue(CIniItem("WIN.INI", "Windows,Load,x"));
    record.RecordDeleteIniKeyword(CIniItem("A.INI", "Sec,Key$InstDir$,x"));
    // Noted before sections of the original kinds, written after all of them.
    record.RecordRestoreIniValue("WIN.INI", "Windows", "Load", "a, \"b\"");
    record.RecordDeleteRegKey("HKEY_CURRENT_USER\\Software\\T");
    record.RecordDeleteRegValue("HKEY_CURRENT_USER\\Software\\T", "V");
    record.RecordRestoreRegValue("HKEY_CURRENT_USER\\Software", "D", REG_DWORD, std::string("\x2A\0\0\0", 4));
    record.RecordReleaseSharedFile("C:\\WINDOWS\\KEPT.DLL");
    record.RecordDeleteProgramItem("アクセサリ", "Tool, 2");
    // A field holding a comma or a quote is quoted (a quote doubled), so it is read back
    // whole; the script's field splitter took away only the key's enclosing quotes.
    record.RecordDeleteIniKeyword(CIniItem("A.INI", "\"x,y\",\"Say \"\"hi\"\"\",v"));
    record.RecordUnregisterOcx(COcxItem("Skipped", "$InstDir$\\NO.OCX,0"));
    record.RecordUnregisterOcx(COcxItem("Ocx", "$InstDir$\\A.OCX,00"));
    record.RecordUnregisterAutomation(CAutomationItem("Srv", "$InstDir$\\S.EXE,9"));
    record.RecordUnregisterAutomation(CAutomationItem("Skipped", "$InstDir$\\NO.EXE,7"));
    record.RecordDeleteProgramGroup("グループ");
    record.WriteUninstallRecord();

    EXPECT_EQ(Listing(RecordPath()),
              "[DeleteFile]\n0=" + dir + "\\A.EXE\n1=" + dir + "\\SUB\\B.DLL\n2=" + RecordPath() + "\n"
              "[DeleteShortCut]\n0=C:\\Menu\\A.lnk\n"
              "[DeleteIniSection]\n0=" + dir + "\\A.INI,Sec" + dir + "\n"
              "[DeleteIniFile]\n0=" + dir + "\\NEW.INI\n"
              "[DeleteIniValue]\n0=WIN.INI,Windows,Load\n"
              "[DeleteIniKeyword]\n0=A.INI,Sec,Key" + dir + "\n1=A.INI,\"x,y\",\"Say \"\"\"\"hi\"\"\"\"\"\n"
              "[UnregisterOcx]\n0=" + dir + "\\A.OCX\n"
              "[UnregisterAutomation]\n0=" + dir + "\\S.EXE\n"
              "[DeleteProgramGroup]\n0=グループ\n"
              "[DeleteDirectory]\n0=" + dir + "\\SUB\n2=" + dir + "\\SUB\\DEEP\n"
              "[Config]\nProduct=テスト製品 $InstDir$\nReg=" + m_strKeyPath + "\n"
              "[RestoreIniValue]\n0=WIN.INI,Windows,Load,\"a, \"\"b\"\"\"\n"
              "[DeleteRegKey]\n0=HKEY_CURRENT_USER\\Software\\T\n"
              "[DeleteRegValue]\n0=HKEY_CURRENT_USER\\Software\\T,V\n"
              "[RestoreRegValue]\n0=HKEY_CURRENT_USER\\Software,D,4,42\n"
              "[ReleaseSharedFile]\n0=C:\\WINDOWS\\KEPT.DLL\n"
              "[DeleteProgramItem]\n0=アクセサリ,\"Tool, 2\"\n");
    EXPECT_EQ(DirectoryNotes(), "");
    const DWORD attributes = GetFileAttributesA(RecordPath().c_str());
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_HIDDEN);

    char system[MAX_PATH] = "";
    GetSystemDirectoryA(system, sizeof system);
    EXPECT_EQ(EntryValue(m_strKeyPath, "DisplayName"), "テスト製品 $InstDir$");
    EXPECT_EQ(EntryValue(m_strKeyPath, "UninstallString"),
              std::string(system) + "\\ORVUN100.EXE " + dir + "\\UNINSTAL.INF");
}

TEST_F(UninstallRecord, SecondRunOverwritesSameNumbersAndKeepsHigherOnes) {
    {
        CUninstallRecord first;
        first.Configure(Enabled());
        for (const char* name : {"A.EXE", "B.EXE", "C.EXE"}) first.RecordDeleteFile(In(name));
        first.WriteUninstallRecord();
    }
    CUninstallRecord second;
    second.Configure(Enabled());
    second.RecordDeleteFile(In("X.EXE"));
    second.WriteUninstallRecord();

    // The first run left its record hidden; the second one writes into it all the same.
    const std::string listing = Listing(RecordPath());
    EXPECT_EQ(listing.substr(0, listing.find("[Config]")),
              "[DeleteFile]\n0=" + In("X.EXE") + "\n1=" + RecordPath() + "\n2=" + In("C.EXE") + "\n3=" +
                  RecordPath() + "\n");
    EXPECT_TRUE(GetFileAttributesA(RecordPath().c_str()) & FILE_ATTRIBUTE_HIDDEN);
}

TEST_F(UninstallRecord, WithoutAnUninstallKeyNoEntryIsWrittenIntoTheListItself) {
    CUninstallRecord record;
    CUninstallRecord::Settings settings = Enabled();
    settings.uninstallKey = "";
    record.Configure(settings);
    record.WriteUninstallRecord();

    EXPECT_EQ(EntryValue(kUninstallList, "UninstallString"), "<none>");
    EXPECT_EQ(Listing(RecordPath()),
              "[Config]\nProduct=テスト製品 $InstDir$\n[DeleteFile]\n0=" + RecordPath() + "\n");
}

TEST_F(UninstallRecord, MainFrameRecordsOnlyWhatItsDocumentAsksFor) {
    fw::App app;
    CSetupDoc document;
    document.SetInstallDir(m_folder.Path());
    document.m_strProduct = "製品";
    document.m_strUninstallKey = m_strUninstallKey;
    document.m_bUninstall = 0;
    CMainFrame frame;
    ASSERT_TRUE(frame.LoadFrame(IDR_MAINFRAME));
    ASSERT_TRUE(frame.CreateView(std::make_unique<CSetupView>(), &document));
    KillTimer(frame.GetActiveView()->GetHwnd(), CSetupView::kStartTimerId);
    app.SetMainWnd(frame.GetHwnd());
    struct ForgetMainWindow {  // so that the frame's end posts no quit message
        fw::App& app;
        ~ForgetMainWindow() { app.SetMainWnd(nullptr); }
    } forget{app};

    // Reached the way the copy and update workers reach it. With the switch off
    // nothing is written, whatever the items say.
    CUninstallNotes* notes = FindUninstallNotes();
    ASSERT_EQ(notes, static_cast<CUninstallNotes*>(&frame));
    notes->RecordDeleteFile(In("OFF.EXE"));
    notes->RecordCreatedDirectory(In("OFF"));
    notes->RecordUnregisterOcx(COcxItem("Ocx", "$InstDir$\\A.OCX,1"));
    frame.WriteUninstallRecord();
    EXPECT_FALSE(testsupport::FileExists(RecordPath()));
    EXPECT_EQ(DirectoryNotes(), "");
    EXPECT_EQ(EntryValue(m_strKeyPath, "DisplayName"), "<none>");

    document.m_bUninstall = 1;
    notes->RecordDeleteFile(In("ON.EXE"));
    frame.WriteUninstallRecord();
    EXPECT_EQ(Listing(RecordPath()), "[DeleteFile]\n0=" + In("ON.EXE") + "\n1=" + RecordPath() +
                                         "\n[Config]\nProduct=製品\nReg=" + m_strKeyPath + "\n");
}
