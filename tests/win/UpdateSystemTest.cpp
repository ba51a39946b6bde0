// The system update under Wine: INI and registry steps run on the test's thread with
// their uninstall notes recorded, program folders and icons made in a private folder,
// and the whole phase (dialog and worker) running a program from a path with a blank.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "UiTestSupport.h"
#include "common/FileUtils.h"
#include "common/Messages.h"
#include "framework/Handles.h"
#include "script/PathMacros.h"
#include "script/ProgramFolders.h"
#include "script/UninstallNotes.h"
#include "system/ProgramGroups.h"
#include "system/UpdateSystemDialog.h"
#include "system/UpdateSystemThread.h"

namespace {

// Every note as "Kind:value" (items as their file, section and key).
class NoteList : public CUninstallNotes {
public:
    std::vector<std::string> notes;
    void RecordDeleteFile(const std::string& path) override { notes.push_back("File:" + path); }
    void RecordDeleteShortcut(const std::string& link) override { notes.push_back("ShortCut:" + link); }
    void RecordUnregisterOcx(const COcxItem& item) override { notes.push_back("Ocx:" + item.m_strPath); }
    void RecordUnregisterAutomation(const CAutomationItem& item) override { notes.push_back("Automation:" + item.m_strPath); }
    void RecordCreatedDirectory(const std::string& path) override { notes.push_back("Directory:" + path); }
    void RecordDeleteIniFile(const std::string& path) override { notes.push_back("IniFile:" + path); }
    void RecordDeleteIniSection(const CIniItem& item) override { notes.push_back("IniSection:" + Fields(item)); }
    void RecordDeleteIniKeyword(const CIniItem& item) override { notes.push_back("IniKeyword:" + Fields(item)); }
    void RecordDeleteIniValue(const CIniItem& item) override { notes.push_back("IniValue:" + Fields(item)); }
    void RecordDeleteProgramGroup(const std::string& name) override { notes.push_back("Group:" + name); }
    void RecordRestoreIniValue(const std::string& file, const std::string& section, const std::string& key,
                               const std::string& old) override {
        notes.push_back("RestoreIni:" + file + "," + section + "," + key + "," + old);
    }
    void RecordDeleteRegValue(const std::string& key, const std::string& name) override {
        notes.push_back("RegValue:" + key + "," + name);
    }
    void RecordDeleteRegKey(const std::string& key) override { notes.push_back("RegKey:" + key); }
    void RecordRestoreRegValue(const std::string& key, const std::string& name, std::uint32_t type,
                               const std::string& data) override {
        notes.push_back("RestoreReg:" + key + "," + name + "," + std::to_string(type) + "," + std::to_string(data.size()));
    }
    void RecordReleaseSharedFile(const std::string& path) override { notes.push_back("Release:" + path); }
    void RecordDeleteProgramItem(const std::string& group, const std::string& title) override {
        notes.push_back("Icon:" + group + "," + title);
    }

private:
    static std::string Fields(const CIniItem& item) { return item.m_strSection + "," + item.m_strKey; }
};

std::string IniValue(const std::string& file, const char* section, const char* key) {
    char value[256] = "";
    GetPrivateProfileStringA(section, key, "<none>", value, sizeof value, file.c_str());
    return value;
}

class UpdateSteps : public testing::Test {
protected:
    void SetUp() override { m_worker.m_pUninstallNotes = &m_notes; }
    // One INI item ("section,key,value,mode") on the file, as the worker runs it.
    void Ini(const std::string& file, const std::string& fields) { m_worker.UpdateIniItem(CIniItem(file, fields)); }
    void Reg(const char* root, const std::string& fields) { m_worker.UpdateRegItem(CRegItem(root, fields)); }

    testsupport::TempDirectory m_dir;
    NoteList m_notes;
    CUpdateSystemThread m_worker;  // never started: its steps run on this thread
};

const char kRegKey[] = "Software\\OrvanSetupTest\\Update";

std::string RegText(HKEY root, const char* name) {
    char data[256] = "";
    DWORD size = sizeof data;
    return RegGetValueA(root, kRegKey, name, RRF_RT_REG_SZ, nullptr, data, &size) == ERROR_SUCCESS ? data : "<none>";
}

void DeleteTestKey() {
    RegDeleteKeyA(HKEY_CURRENT_USER, kRegKey);
    fw::RegKey parent;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\OrvanSetupTest", 0, KEY_SET_VALUE, parent.Receive()) == ERROR_SUCCESS)
        RegDeleteValueA(parent.Get(), "Prior");
    parent.Reset();
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\OrvanSetupTest");
}

DWORD RegNumber(const char* name) {
    DWORD number = 0xDEAD, size = sizeof number;
    RegGetValueA(HKEY_CURRENT_USER, kRegKey, name, RRF_RT_REG_DWORD, nullptr, &number, &size);
    return number;
}

std::vector<std::string> SubkeyNames(HKEY root) {
    std::vector<std::string> names;
    char name[512];
    for (DWORD i = 0;; ++i) {
        DWORD size = sizeof name;
        if (RegEnumKeyExA(root, i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) return names;
        names.emplace_back(name, size);
    }
}

}  // namespace

TEST_F(UpdateSteps, IniWritesAreNotedByWhatTheFileHeldBefore) {
    const std::string file = m_dir.Path() + "\\A.INI";
    Ini(file, "S,K,1");         // no file yet (mode 9 by default)
    Ini(file, "T,K,2,1");       // no section
    Ini(file, "T,L,3,2");       // no key
    Ini(file, "T,L,4,9");       // the key is there (this installation made it)
    Ini(file, "t,l,5,1");       // the same key in another case, as the platform takes it
    for (const char* mode : {"0", "5", "6", "7", "8"}) Ini(file, std::string("U,K,x,") + mode);
    Ini(m_dir.Path() + "\\NoSuchDir\\B.INI", "S,K,1,1");  // cannot be written: not noted
    EXPECT_EQ(m_notes.notes, (std::vector<std::string>{"IniFile:" + file, "IniSection:T,K", "IniKeyword:T,L",
                                                       "IniValue:T,L", "IniValue:t,l"}));
    EXPECT_EQ(IniValue(file, "T", "L"), "5");
    EXPECT_EQ(IniValue(file, "U", "K"), "<none>");

    // A file of the user's: its section in another case is the same section (removing it
    // would take the user's settings), and the value first written over comes back.
    const std::string user = m_dir.Path() + "\\USER.INI";
    testsupport::WriteTextFile(user, "[windows]\r\nload=mine\r\n");
    m_notes.notes.clear();
    Ini(user, "Windows,Added,1");
    Ini(user, "WINDOWS,LOAD,setup");
    Ini(user, "Windows,Load,again");
    EXPECT_EQ(m_notes.notes, (std::vector<std::string>{"IniKeyword:Windows,Added", "IniValue:WINDOWS,LOAD",
                                                       "RestoreIni:" + user + ",WINDOWS,LOAD,mine",
                                                       "IniValue:Windows,Load"}));
}

TEST_F(UpdateSteps, Mode3WritesOnlyOverAKeyOfExactlyThatName) {
    const std::string file = m_dir.Path() + "\\M.INI";
    testsupport::WriteTextFile(file, "[S]\r\nKey=old\r\n");
    Ini(file, "S,key,lower,3");
    Ini(file, "S,Other,new,3");
    Ini(file, "s,Key,section case,3");
    EXPECT_EQ(IniValue(file, "S", "Key"), "old");
    Ini(file, "S,Key,new,3");
    EXPECT_EQ(IniValue(file, "S", "Key"), "new");
    EXPECT_EQ(IniValue(file, "S", "Other"), "<none>");
    // A missing file has no key: nothing is written and nobody is asked about the file.
    const std::string missing = m_dir.Path() + "\\MISSING.INI";
    Ini(missing, "S,Key,new,3");
    EXPECT_FALSE(testsupport::FileExists(missing));
    EXPECT_EQ(m_notes.notes, (std::vector<std::string>{"IniValue:S,Key", "RestoreIni:" + file + ",S,Key,old"}));
}

TEST_F(UpdateSteps, Mode4RemovesAKeyASectionOrTheFileAndNotesWhatComesBack) {
    const std::string file = m_dir.Path() + "\\D.INI";
    testsupport::WriteTextFile(file, "[A]\r\nK=1\r\nL=2\r\n[B]\r\nK=3\r\n");
    Ini(file, "A,K,,4");
    EXPECT_EQ(IniValue(file, "A", "K"), "<none>");
    EXPECT_EQ(IniValue(file, "A", "L"), "2");
    Ini(file, "B,,,4");
    EXPECT_EQ(IniValue(file, "B", "K"), "<none>");
    EXPECT_EQ(IniValue(file, "A", "L"), "2");
    Ini(file, ",,,4");
    EXPECT_FALSE(testsupport::FileExists(file));
    EXPECT_EQ(m_notes.notes, (std::vector<std::string>{"RestoreIni:" + file + ",A,K,1", "RestoreIni:" + file + ",B,K,3",
                                                       "RestoreIni:" + file + ",A,L,2"}));
}

TEST_F(UpdateSteps, BareIniNamesAreFilesInTheWindowsDirectory) {
    const std::string file = testsupport::WindowsDirectory() + "\\ORVUPDT.INI";
    Ini("ORVUPDT.INI", "S,K,v,1");
    EXPECT_EQ(IniValue(file, "S", "K"), "v");
    EXPECT_EQ(m_notes.notes, std::vector<std::string>{"IniFile:" + file});
    DeleteFileA(file.c_str());
}

TEST_F(UpdateSteps, RegistryValuesAndTheirKeepRules) {
    DeleteTestKey();
    for (const std::string& name : SubkeyNames(HKEY_CURRENT_USER))  // an earlier run's shortened key
        if (name.rfind("xxxx", 0) == 0) RegDeleteKeyA(HKEY_CURRENT_USER, name.c_str());
    const std::string key = kRegKey;
    {
        fw::RegKey parent;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\OrvanSetupTest", 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                  parent.Receive(), nullptr), ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueExA(parent.Get(), "Prior", 0, REG_SZ, reinterpret_cast<const BYTE*>("old"), 4), ERROR_SUCCESS);
    }
    Reg("CURRENT_USER", "Software\\OrvanSetupTest,Prior,SZ,new");
    Reg("CURRENT_USER", key + ",Text,SZ,first");
    Reg("CURRENT_USER", key + ",Text,SZ,second,1");   // kept: it exists
    Reg("CURRENT_USER", key + ",New,SZ,made,2");      // made: it did not
    Reg("CURRENT_USER", key + ",Over,SZ,a");
    Reg("CURRENT_USER", key + ",Over,SZ,b,4");        // bit 4 does not keep
    Reg("CURRENT_USER", key + ",Digits,DWORD,12ab");
    Reg("CURRENT_USER", key + ",Letters,DWORD,x12");
    Reg("CURRENT_USER", key + ",Macro,DWORD,$WinDir$");
    Reg("CURRENT_USER", key + ",Digits,DWORD,99,3");  // kept
    Reg("CURRENT_USER", key + ",Binary,BINARY,01");   // not written
    Reg("HKEY_LOCAL_MACHINE", key + ",Root,SZ,user"); // an unknown root name is the current user
    Reg("CURRENT_USER", std::string(300, 'x') + ",V,SZ,v");  // a key that cannot be made
    Reg("CURRENT_USER", key + ",AfterLongKey,SZ,written");     // and the next item still is
    EXPECT_EQ(RegText(HKEY_CURRENT_USER, "Text"), "first");
    EXPECT_EQ(RegText(HKEY_CURRENT_USER, "New"), "made");
    EXPECT_EQ(RegText(HKEY_CURRENT_USER, "Over"), "b");
    EXPECT_EQ(RegNumber("Digits"), 12u);
    EXPECT_EQ(RegNumber("Letters"), 0u);
    EXPECT_EQ(RegNumber("Macro"), 0u);
    EXPECT_EQ(RegText(HKEY_CURRENT_USER, "Binary"), "<none>");
    EXPECT_EQ(RegText(HKEY_CURRENT_USER, "Root"), "user");
    EXPECT_EQ(RegText(HKEY_LOCAL_MACHINE, "Root"), "<none>");
    EXPECT_EQ(RegText(HKEY_CURRENT_USER, "AfterLongKey"), "written");
    // Neither that key nor a shortened one was made.
    for (const std::string& name : SubkeyNames(HKEY_CURRENT_USER)) EXPECT_NE(name.rfind("xxxx", 0), 0u) << name;
    // What the uninstaller is told: the value written over with its old type and data, the
    // key made (the one above it was there), every value made, each once.
    const std::string made = "HKEY_CURRENT_USER\\" + key;
    EXPECT_EQ(m_notes.notes, (std::vector<std::string>{
                                 "RestoreReg:HKEY_CURRENT_USER\\Software\\OrvanSetupTest,Prior,1,4", "RegKey:" + made,
                                 "RegValue:" + made + ",Text", "RegValue:" + made + ",New", "RegValue:" + made + ",Over",
                                 "RegValue:" + made + ",Digits", "RegValue:" + made + ",Letters",
                                 "RegValue:" + made + ",Macro", "RegValue:" + made + ",Root",
                                 "RegValue:" + made + ",AfterLongKey"}));
    DeleteTestKey();
}

namespace {

// A worker whose messages are recorded instead of shown, and whose programs are recorded
// instead of started: each "start" hands out a copy of `process` (none: did not start).
class RecordingWorker : public CUpdateSystemThread {
public:
    struct Launch {
        std::string commandLine;
        DWORD flags;
        std::string title;
    };
    std::vector<std::string> errors;
    std::vector<Launch> starts;
    HANDLE process = nullptr;

protected:
    void ShowError(const std::string& text) override { errors.push_back(text); }
    fw::Handle StartProgram(std::string commandLine, DWORD flags, const std::string&, const std::string& title,
                            int) override {
        starts.push_back({commandLine, flags, title});
        HANDLE copy = nullptr;
        if (process) DuplicateHandle(GetCurrentProcess(), process, GetCurrentProcess(), &copy, 0, FALSE, DUPLICATE_SAME_ACCESS);
        return fw::Handle(copy);
    }
};

// The smallest file the system takes for a 16-bit Windows program: a DOS header whose
// new-header offset leads to an "NE" header for Windows (target system 2).
void WriteWin16Program(const std::string& path) {
    std::string image(0x80, '\0');
    image[0] = 'M', image[1] = 'Z';
    image[0x18] = 0x40;                  // relocations at 0x40: a new-style executable
    image[0x3C] = 0x40;                  // its header's offset
    image[0x40] = 'N', image[0x41] = 'E';
    image[0x40 + 0x36] = 2;              // for Windows
    ASSERT_TRUE(testsupport::WriteTextFile(path, image));
}

}  // namespace

TEST(UpdateWorker, AnAutomationServerThatDoesNotEndIsReportedAfterTheBoundAndNotNoted) {
    RecordingWorker worker;
    NoteList notes;
    worker.m_pUninstallNotes = &notes;
    worker.m_dwAutomationWaitMs = 300;
    const fw::Handle ended(CreateEventA(nullptr, TRUE, TRUE, nullptr));
    const fw::Handle endless(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    worker.process = ended.Get();
    worker.RegisterAutomationItem(CAutomationItem("Done", "C:\\App\\DONE.EXE"));
    worker.process = endless.Get();
    const DWORD started = GetTickCount();
    worker.RegisterAutomationItem(CAutomationItem("Endless", "C:\\App\\ENDLESS.EXE"));
    EXPECT_GE(GetTickCount() - started, 250u);
    EXPECT_EQ(worker.errors, std::vector<std::string>{"OLEオートメーション(Endless)の登録が失敗しました。"});
    EXPECT_EQ(notes.notes, std::vector<std::string>{"Automation:C:\\App\\DONE.EXE"});
}

TEST(UpdateWorker, ProgramsAreTypedAndTitledByTheirExpandedPath) {
    testsupport::TempDirectory dir;
    WriteWin16Program(dir.Path() + "\\OLD16.EXE");
    const std::string arglog = testsupport::WindowsPathOfUnix(SETUP_BINARY_UNIX_DIR "/payload/updatetest/ARGLOG.EXE");
    ASSERT_TRUE(CopyFileA(arglog.c_str(), (dir.Path() + "\\NEW32.EXE").c_str(), FALSE));
    SetInstDirMacro(dir.Path());
    RecordingWorker worker;
    worker.RunExeItem(CExeItem("$InstDir$\\OLD16.EXE", ""));
    worker.RunExeItem(CExeItem("$InstDir$\\NEW32.EXE", ""));
    ASSERT_EQ(worker.starts.size(), 2u);
    EXPECT_EQ(worker.starts[0].title, dir.Path() + "\\OLD16.EXE");
    EXPECT_TRUE(worker.starts[0].flags & CREATE_SEPARATE_WOW_VDM);
    EXPECT_EQ(worker.starts[1].title, dir.Path() + "\\NEW32.EXE");
    EXPECT_FALSE(worker.starts[1].flags & CREATE_SEPARATE_WOW_VDM);
}

// On the worker's own thread, as in the update: the control finds the library beside it,
// and COM is there for the objects its registration creates.
TEST(UpdateWorker, AControlRegistersWithTheLibraryBesideItAndCom) {
    testsupport::TempDirectory dir;
    for (const char* name : {"DEPOCX.OCX", "DEPLIB.DLL"}) {
        const std::string built = testsupport::WindowsPathOfUnix(std::string(SETUP_BINARY_UNIX_DIR "/payload/updatetest/") + name);
        ASSERT_TRUE(CopyFileA(built.c_str(), (dir.Path() + "\\" + name).c_str(), FALSE)) << name;
    }
    SetInstDirMacro(dir.Path());
    COcxItem control("Dependent", "$InstDir$\\DEPOCX.OCX");
    COcxItemArray controls{&control};
    NoteList notes;
    RecordingWorker worker;
    worker.m_pUninstallNotes = &notes;
    worker.m_pOcxItems = &controls;
    ASSERT_TRUE(worker.Start());
    worker.PostToThread(WM_UPDATE_STEP);
    worker.Stop();  // the step was asked for first: it has run when the worker ends
    EXPECT_EQ(worker.errors, std::vector<std::string>{});
    EXPECT_EQ(notes.notes, std::vector<std::string>{"Ocx:$InstDir$\\DEPOCX.OCX"});
}

TEST(ProgramGroups, IconsAreLinksInTheFolderMadeWithItsParentsNotedOnlyWhenSaved) {
    testsupport::TempDirectory dir;
    const std::string base = dir.Path() + "\\Start Menu\\Programs";  // not there yet
    NoteList notes;
    // The folder the installation made is the uninstaller's to remove once empty; the
    // Programs folder above it, made too, is not. Made a second time, it is not noted.
    EXPECT_TRUE(CreateProgramFolder(base, "Tools", &notes));
    EXPECT_FALSE(CreateProgramFolder(base, "Tools", &notes));
    EXPECT_EQ(notes.notes, std::vector<std::string>{"Directory:" + base + "\\Tools"});
    notes.notes.clear();
    const std::string link = AddProgramIcon(base, "Tools", "100%s Readme", "C:\\App\\README.TXT", &notes);
    EXPECT_EQ(link, base + "\\Tools\\100%s Readme.lnk");
    EXPECT_EQ(testsupport::ReadShellLink(link), "C:\\App\\README.TXT|100%s Readme");

    // A folder of several levels is made whole; names a file cannot hold make nothing and
    // their icons are not noted, and the folder after each is made as usual.
    std::vector<std::string> noted = {"ShortCut:" + link};
    const std::string folders[] = {"Company\\Tools", "a|b", "Why?"};
    for (size_t i = 0; i < std::size(folders); ++i) {
        const std::string& folder = folders[i];
        CreateProgramFolder(base, folder, nullptr);
        const std::string icon = AddProgramIcon(base, folder, "Readme", "C:\\App\\README.TXT", &notes);
        EXPECT_EQ(testsupport::FileExists(icon), i == 0) << folder;
        if (i == 0) noted.push_back("ShortCut:" + icon);
        const std::string after = "After " + std::to_string(i);
        CreateProgramFolder(base, after, nullptr);
        const std::string made = AddProgramIcon(base, after, "Readme", "C:\\App\\README.TXT", &notes);
        EXPECT_TRUE(testsupport::FileExists(made)) << "after " << folder;
        noted.push_back("ShortCut:" + made);
    }
    EXPECT_EQ(testsupport::DirectoryNames(base), (std::vector<std::string>{"After 0", "After 1", "After 2", "Company", "Tools"}));
    EXPECT_EQ(notes.notes, noted);
}

// Windows NT 4.0 keeps program folders where its shell says; only a shell that names no
// folder leaves the path under the Windows directory's profiles.
TEST(ProgramGroups, NtProgramsFolderIsTheShellsUnlessItNamesNone) {
    using core::ProgramFolderRoute;
    const std::string programs = GetSpecialFolder(CSIDL_PROGRAMS);
    ASSERT_FALSE(programs.empty());
    EXPECT_EQ(ProgramFoldersBase(ProgramFolderRoute::NtProgramsFolder), programs);
    EXPECT_EQ(ProgramFoldersBase(ProgramFolderRoute::NtProgramsFolder, ShellFolderFunctions{}),
              GetUserProfileDir() + "\\ｽﾀｰﾄ ﾒﾆｭｰ\\ﾌﾟﾛｸﾞﾗﾑ");
    EXPECT_EQ(ProgramFoldersBase(ProgramFolderRoute::ProgramsFolder, ShellFolderFunctions{}), "");
    EXPECT_EQ(ProgramFoldersBase(ProgramFolderRoute::ProgramManager), "");
}

namespace {

// Receives the phase's end as the install driver would.
class UpdateParent : public fw::Window {
public:
    UpdateParent() {
        RegisterWindowClass("UpdateSystemTest.Parent", 0, nullptr);
        Create("UpdateSystemTest.Parent", "update parent", WS_POPUP, 0, 0, 0, 400, 300, nullptr, nullptr);
    }
    std::vector<WPARAM> codes;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_SETUP_UPDATE_DONE) codes.push_back(wParam);
        return DefaultProc(msg, wParam, lParam);
    }
};

}  // namespace

TEST(UpdateSystemDialog, RunsItsListsPastEmptyEntriesAndEndsWithoutItsTemporaryDirectory) {
    testsupport::TempDirectory dir;
    const std::string tools = dir.Path() + "\\Tool Dir";
    const std::string temporary = dir.Path() + "\\SetupTmp";
    CreateDirectoryA(tools.c_str(), nullptr);
    CreateDirectoryA(temporary.c_str(), nullptr);
    testsupport::WriteTextFile(temporary + "\\left.txt", "x");
    const std::string arglog = testsupport::WindowsPathOfUnix(SETUP_BINARY_UNIX_DIR "/payload/updatetest/ARGLOG.EXE");
    ASSERT_TRUE(CopyFileA(arglog.c_str(), (tools + "\\ARGLOG.EXE").c_str(), FALSE));
    SetInstDirMacro(dir.Path());
    std::string savedTmpDir = "$TmpDir$";
    ExpandMacros(savedTmpDir);
    SetTmpDirMacro(temporary);

    // Empty entries are passed over; the program's path holds a blank.
    CIniItem ini(dir.Path() + "\\ORDER.INI", "S,K,ini first");
    CExeItem run("$InstDir$\\Tool Dir\\ARGLOG.EXE", "$InstDir$\\Tool Dir,SYNC,HIDE,30000,run.log two words");
    CIniItemArray inis{&ini, nullptr};
    CExeItemArray runs{nullptr, &run};
    NoteList notes;
    UpdateParent parent;
    CUpdateSystemDialog dialog;
    dialog.m_pIniItems = &inis;
    dialog.m_pExeItems = &runs;
    dialog.m_pUninstallNotes = &notes;
    ASSERT_TRUE(dialog.StartUpdate(parent.GetHwnd()));
    EXPECT_TRUE(uitest::PumpUntil([&] { return !parent.codes.empty(); }));

    EXPECT_EQ(parent.codes, std::vector<WPARAM>{SETUP_DONE});
    EXPECT_FALSE(dialog.IsAlive());
    EXPECT_EQ(dialog.m_pThread, nullptr);
    EXPECT_EQ(GetFileAttributesA(temporary.c_str()), INVALID_FILE_ATTRIBUTES);
    // Waited for: its record is complete when the update ends.
    EXPECT_EQ(testsupport::ReadTextFile(tools + "\\run.log"),
              "\"" + tools + "\\ARGLOG.EXE\" run.log two words\r\n" + tools + "\r\n");
    EXPECT_EQ(notes.notes, std::vector<std::string>{"IniFile:" + dir.Path() + "\\ORDER.INI"});
    SetTmpDirMacro(savedTmpDir);
}
