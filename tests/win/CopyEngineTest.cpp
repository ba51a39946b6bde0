// The copy phase under Wine with a scripted version service and scripted answers: the
// progress dialog runs its worker for real, the fake service answers with any result bits
// (and leaves the files a real one would), and the prompts answer without any window.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "UiTestSupport.h"
#include "common/Messages.h"
#include "copy/CopyDialog.h"
#include "copy/CopyThread.h"
#include "core/CopyDecision.h"
#include "resources/dialog_ids.h"
#include "script/PathMacros.h"
#include "script/UninstallNotes.h"

namespace {

using namespace core;

struct InstallAnswer {
    DWORD bits;
    std::string tmpName;  // as the service names it ("\\ver1.tmp" like Wine, or bare)
};
struct FindAnswer {
    DWORD bits;
    std::string destDir;  // "" = the item's directory
};

// Answers from scripts; without a script, a file is found nowhere and installs cleanly.
// It leaves behind what a real service would: the installed file, or a temporary copy.
class FakeVersionService : public CVersionService {
public:
    std::deque<FindAnswer> finds;
    std::deque<InstallAnswer> installs;
    std::vector<DWORD> installFlags;

    DWORD FindFile(DWORD, const std::string&, const std::string&, const std::string& appDir, std::string& curDir,
                   std::string& destDir) override {
        FindAnswer answer{0, {}};
        if (!finds.empty()) answer = finds.front(), finds.pop_front();
        destDir = answer.destDir.empty() ? appDir : answer.destDir;
        curDir = destDir;
        return answer.bits;
    }
    DWORD InstallFile(DWORD flags, const std::string& srcFile, const std::string& destFile, const std::string& srcDir,
                      const std::string& destDir, const std::string&, std::string& tmpFile) override {
        installFlags.push_back(flags);
        InstallAnswer answer{0, {}};
        if (!installs.empty()) answer = installs.front(), installs.pop_front();
        const std::string source = srcDir + "\\" + srcFile;
        // An old copy elsewhere that could not be deleted is reported with the file in place.
        if ((answer.bits & ~kVifCannotDeleteCur) == 0)
            CopyFileA(source.c_str(), (destDir + "\\" + destFile).c_str(), FALSE);
        if (answer.bits & kVifTempFile) {
            tmpFile = answer.tmpName;
            CopyFileA(source.c_str(), (destDir + "\\" + std::string(BareTemporaryName(tmpFile))).c_str(), FALSE);
        }
        return answer.bits;
    }
};

// Scripted user: each question takes the next answer and is written down.
class ScriptedPrompts : public CCopyPrompts {
public:
    std::deque<INT_PTR> answers;
    std::deque<bool> ticks;  // the read-only question's box, per question
    std::vector<std::string> asked;
    std::function<void(int)> onChangeDisk;
    std::function<void()> whileAsking;  // runs on the worker before each answer

    INT_PTR Next(const std::string& question) {
        asked.push_back(question);
        if (whileAsking) whileAsking();
        if (answers.empty()) return IDCANCEL;
        const INT_PTR answer = answers.front();
        answers.pop_front();
        return answer;
    }
    INT_PTR ChangeDisk(int disk) override {
        if (onChangeDisk) onChangeDisk(disk);
        return Next("disk " + std::to_string(disk));
    }
    INT_PTR QueryCancel() override { return Next("stop?"); }
    INT_PTR FileInUse(const std::string&) override { return Next("in use"); }
    INT_PTR SourceOlder(const std::string&, const std::string&) override { return Next("older"); }
    INT_PTR DifferentLanguage(const std::string&, const std::string&) override { return Next("language"); }
    INT_PTR ReadOnly(const std::string&, bool& dontAskAgain) override {
        dontAskAgain = !ticks.empty() && ticks.front();
        if (!ticks.empty()) ticks.pop_front();
        return Next("read-only");
    }
    void SourceMissing(const std::string&) override { asked.push_back("no source"); }
    void AccessViolation(const std::string&) override { asked.push_back("sharing"); }
    void CannotReadSource(const std::string&, const std::string&) override { asked.push_back("cannot read"); }
    void CannotWriteDestination(const std::string&) override { asked.push_back("cannot write"); }
    void Message(UINT id) override { asked.push_back("message " + std::to_string(id)); }
};

class RecordedNotes : public CUninstallNotes {
public:
    std::vector<std::string> files, directories, released;
    void RecordDeleteFile(const std::string& path) override { files.push_back(path); }
    void RecordCreatedDirectory(const std::string& path) override { directories.push_back(path); }
    void RecordDeleteShortcut(const std::string&) override {}
    void RecordUnregisterOcx(const COcxItem&) override {}
    void RecordUnregisterAutomation(const CAutomationItem&) override {}
    void RecordDeleteIniFile(const std::string&) override {}
    void RecordDeleteIniSection(const CIniItem&) override {}
    void RecordDeleteIniKeyword(const CIniItem&) override {}
    void RecordDeleteIniValue(const CIniItem&) override {}
    void RecordDeleteProgramGroup(const std::string&) override {}
    void RecordRestoreIniValue(const std::string&, const std::string&, const std::string&, const std::string&) override {}
    void RecordDeleteRegValue(const std::string&, const std::string&) override {}
    void RecordDeleteRegKey(const std::string&) override {}
    void RecordRestoreRegValue(const std::string&, const std::string&, std::uint32_t, const std::string&) override {}
    void RecordReleaseSharedFile(const std::string& path) override { released.push_back(path); }
    void RecordDeleteProgramItem(const std::string&, const std::string&) override {}
};

// Receives the phase's end as the install driver would.
class DoneWindow : public fw::Window {
public:
    DoneWindow() {
        RegisterWindowClass("CopyEngineTest.Parent", 0, nullptr);
        Create("CopyEngineTest.Parent", "copy parent", WS_POPUP, 0, 0, 0, 400, 300, nullptr, nullptr);
    }
    WPARAM code = 0;
    bool done = false;
    int ends = 0;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_SETUP_COPY_DONE) code = wParam, done = true, ++ends;
        return DefaultProc(msg, wParam, lParam);
    }
};

class CopyEngine : public ::testing::Test {
protected:
    void SetUp() override {
        g_nReadonlyAnswer = -1;
        g_bOverwriteAllDiffer = g_bOverwriteAllOlder = 0;
        m_media = m_dir.Path() + "\\media";
        m_install = m_dir.Path() + "\\inst";
        CreateDirectoryA(m_media.c_str(), nullptr);
        SetSrcDirMacro(m_media);
        SetInstDirMacro(m_install);
    }
    void TearDown() override {
        for (CFileItem* item : m_items) delete item;
    }

    // A file on the media and its item line ("disk, source dir, source, 0, dest dir, dest, size, flags").
    void AddItem(const std::string& name, const std::string& line, const std::string& content = "new") {
        auto item = std::make_unique<CFileItem>(name, line);
        if (!item->m_strSrcDir.empty()) CreateDirectoryA((m_media + item->m_strSrcDir).c_str(), nullptr);
        testsupport::WriteTextFile(m_media + item->m_strSrcDir + "\\" + item->m_strSrcFile, content);
        m_items.push_back(item.release());
    }
    // Runs the copy phase to its end; the code it reported.
    WPARAM Run() {
        DoneWindow parent;
        CCopyDialog dialog;
        dialog.m_pFileItems = &m_items;
        dialog.m_pVersionService = m_bPlatformService ? nullptr : &m_service;
        dialog.m_pPrompts = &m_prompts;
        dialog.m_pUninstallNotes = &m_notes;
        EXPECT_TRUE(dialog.Create(parent.GetHwnd()));
        ShowWindow(dialog.GetHwnd(), SW_SHOW);
        EXPECT_TRUE(uitest::PumpUntil([&] { return parent.done; }));
        uitest::PumpUntilIdle();
        m_nEnds = parent.ends;
        if (m_onEnd) m_onEnd(dialog.GetHwnd());
        m_nDone = dialog.m_nDone;
        m_nPercent = static_cast<int>(SendDlgItemMessageA(dialog.GetHwnd(), 1002, PBM_GETPOS, 0, 0));
        return parent.code;
    }
    std::string Installed(const std::string& relative) const {
        return testsupport::ReadTextFile(m_install + "\\" + relative);
    }
    // The service's temporary files and the engine's moved-aside files left in the directory.
    std::vector<std::string> Leftovers(const std::string& directory) const {
        std::vector<std::string> names;
        for (const char* pattern : {"\\ver*.tmp", "\\~ORV*.OLD"}) {
            WIN32_FIND_DATAA found;
            HANDLE search = FindFirstFileA((directory + pattern).c_str(), &found);
            if (search == INVALID_HANDLE_VALUE) continue;
            do names.push_back(found.cFileName);
            while (FindNextFileA(search, &found));
            FindClose(search);
        }
        return names;
    }
    // While the worker asks its first question, the user presses キャンセル on the progress
    // dialog and confirms the stop; the worker's question is answered after that.
    void ConfirmStopWhileAsked() {
        m_prompts.whileAsking = [this] {
            m_prompts.whileAsking = nullptr;
            uitest::BesideThread user([] {
                HWND progress = uitest::WaitForWindow("セットアップ");
                if (progress) PostMessageA(progress, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
                HWND question = uitest::WaitForWindow("セットアップの中止");
                if (question) {
                    uitest::PostClick(question, IDCANCEL);
                    uitest::WaitGoneOrCancel(question);
                }
            });
            user.Join();
        };
    }

    testsupport::TempDirectory m_dir;
    std::string m_media, m_install;
    CFileItemArray m_items;
    FakeVersionService m_service;
    ScriptedPrompts m_prompts;
    RecordedNotes m_notes;
    bool m_bPlatformService = false;  // the platform's own service instead of the fake
    std::function<void(HWND)> m_onEnd;  // looks at the progress dialog once the copy ended
    std::uint64_t m_nDone = 0;
    int m_nPercent = -1;
    int m_nEnds = 0;  // WM_SETUP_COPY_DONE the driver received
};

}  // namespace

TEST_F(CopyEngine, InstallsEveryItemWithItsDirectoriesAttributesNotesAndProgress) {
    AddItem("A", "1,,A.EX_,0,,A.EXE,30000000,1");
    AddItem("B", "1,\\DATA,B.DA_,0,DATA\\SUB,B.DAT,20000000,1");
    AddItem("C", "1,,C.TX_,0,,C.TXT,0,0");
    SetFileAttributesA((m_media + "\\A.EX_").c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
    ASSERT_EQ(Run(), SETUP_DONE);
    EXPECT_EQ(Installed("A.EXE"), "new");
    EXPECT_EQ(Installed("DATA\\SUB\\B.DAT"), "new");
    EXPECT_EQ(GetFileAttributesA((m_install + "\\A.EXE").c_str()), static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));
    EXPECT_EQ(m_notes.directories,
              (std::vector<std::string>{m_install, m_install + "\\DATA", m_install + "\\DATA\\SUB"}));
    EXPECT_EQ(m_notes.files, (std::vector<std::string>{m_install + "\\A.EXE", m_install + "\\DATA\\SUB\\B.DAT"}));
    EXPECT_EQ(m_nDone, 50000000u);
    EXPECT_EQ(m_nPercent, 100);
    EXPECT_TRUE(m_prompts.asked.empty());
    SetFileAttributesA((m_media + "\\A.EX_").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(CopyEngine, TheFileLineNamesTheItemAQuestionIsAboutAndEndsOnTheLastItem) {
    CreateDirectoryA(m_install.c_str(), nullptr);
    testsupport::WriteTextFile(m_install + "\\B.DLL", "old");
    for (const char* name : {"A", "B", "C"})
        AddItem(std::string("Item ") + name, std::string("1,,") + name + ".DL_,0,," + name + ".DLL,1,1");
    m_service.installs = {{0, ""}, {kVifSrcOld | kVifTempFile, "\\ver1.tmp"}};
    m_prompts.answers = {kAnswerYes};
    std::string lineWhileAsked;
    m_prompts.whileAsking = [&] { lineWhileAsked = uitest::ItemText(uitest::WaitForWindow("セットアップ"), 1001); };
    std::string lineAtEnd;
    m_onEnd = [&](HWND dialog) { lineAtEnd = uitest::ItemText(dialog, 1001); };
    EXPECT_EQ(Run(), SETUP_DONE);
    EXPECT_EQ(lineWhileAsked, "Item B");
    EXPECT_EQ(lineAtEnd, "Item C");
    EXPECT_EQ(m_nPercent, 100);
}

TEST_F(CopyEngine, SharedFilesAreCountedPerInstallationExceptInTheSystemDirectories) {
    const std::string system = m_dir.Path() + "\\sys";
    AddItem("L", "1,,L.DL_,0,,L.DLL,1,3");
    AddItem("S", "1,,S.DL_,0,$SYSDIR$,S.DLL,1,3");
    const std::string counted = m_install + "\\L.DLL";
    const auto count = [&](const std::string& value) {
        DWORD number = 0, size = sizeof number;
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSharedDllsKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return 0;
        const bool read = RegQueryValueExA(key, value.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(&number), &size) == ERROR_SUCCESS;
        RegCloseKey(key);
        return read ? static_cast<int>(number) : 0;
    };
    for (int run = 1; run <= 2; ++run) {
        m_service.finds = {{0, ""}, {0, system}};
        ASSERT_EQ(Run(), SETUP_DONE);
        EXPECT_EQ(count(counted), run);
    }
    EXPECT_EQ(count(system + "\\S.DLL"), 0);
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSharedDllsKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
        RegDeleteValueA(key, counted.c_str());
        RegCloseKey(key);
    }
}

TEST_F(CopyEngine, ACopyTheSystemDirectoriesHeldBeforeIsWrittenOverButNotNotedForDeletion) {
    const std::string system = m_dir.Path() + "\\sys";
    CreateDirectoryA(system.c_str(), nullptr);
    CreateDirectoryA(m_install.c_str(), nullptr);
    testsupport::WriteTextFile(system + "\\OLD.DLL", "old");
    testsupport::WriteTextFile(m_install + "\\APP.EXE", "old");  // an earlier installation's own file
    AddItem("Old", "1,,OLD.DL_,0,$SYSDIR$,OLD.DLL,1,1");
    AddItem("New", "1,,NEW.DL_,0,$SYSDIR$,NEW.DLL,1,1");
    AddItem("App", "1,,APP.EX_,0,,APP.EXE,1,1");
    m_service.finds = {{0, system}, {0, system}, {0, ""}};
    ASSERT_EQ(Run(), SETUP_DONE);
    EXPECT_EQ(testsupport::ReadTextFile(system + "\\OLD.DLL"), "new");
    EXPECT_EQ(m_notes.files, (std::vector<std::string>{system + "\\NEW.DLL", m_install + "\\APP.EXE"}));
}

TEST_F(CopyEngine, AStopConfirmedWhileTheWorkerAsksEndsTheCopyAfterThatItem) {
    CreateDirectoryA(m_install.c_str(), nullptr);
    testsupport::WriteTextFile(m_install + "\\A.DLL", "old");
    AddItem("A", "1,,A.DL_,0,,A.DLL,1,1");
    AddItem("B", "1,,B.DL_,0,,B.DLL,1,1");
    m_service.installs = {{kVifSrcOld | kVifTempFile, "\\ver1.tmp"}};
    m_prompts.answers = {kAnswerYes};
    ConfirmStopWhileAsked();
    EXPECT_EQ(Run(), SETUP_STOPPED);
    EXPECT_EQ(Installed("A.DLL"), "new");  // the item in progress was finished
    EXPECT_FALSE(testsupport::FileExists(m_install + "\\B.DLL"));
    EXPECT_EQ(m_notes.files, std::vector<std::string>{m_install + "\\A.DLL"});

    // The same stop during the last item (here the only one) is a stop all the same.
    delete m_items.back();
    m_items.pop_back();
    testsupport::WriteTextFile(m_install + "\\A.DLL", "old");
    m_service.installs = {{kVifSrcOld | kVifTempFile, "\\ver1.tmp"}};
    m_prompts.answers = {kAnswerYes};
    ConfirmStopWhileAsked();
    EXPECT_EQ(Run(), SETUP_STOPPED);
    EXPECT_EQ(m_nEnds, 1);
}

TEST_F(CopyEngine, OnlyTheWorkersOwnEndEndsTheCopy) {
    CreateDirectoryA(m_install.c_str(), nullptr);
    testsupport::WriteTextFile(m_install + "\\A.DLL", "old");
    AddItem("A", "1,,A.DL_,0,,A.DLL,1,1");
    AddItem("B", "1,,B.DL_,0,,B.DLL,1,1");
    m_service.installs = {{kVifSrcOld | kVifTempFile, "\\ver1.tmp"}};
    m_prompts.answers = {kAnswerYes};
    // Another program's messages of the same numbers reach the progress dialog mid-copy.
    m_prompts.whileAsking = [] {
        HWND progress = uitest::WaitForWindow("セットアップ");
        PostMessageA(progress, WM_COPY_FINISHED, 0, 0);
        PostMessageA(progress, WM_COPY_ABORTED, 0, 0);
    };
    EXPECT_EQ(Run(), SETUP_DONE);
    EXPECT_EQ(Installed("A.DLL"), "new");
    EXPECT_EQ(Installed("B.DLL"), "new");
    EXPECT_EQ(m_nEnds, 1);
}

TEST_F(CopyEngine, ErrorRowsStopWithTheirMessageAndLeaveNoTemporaryFile) {
    struct Row {
        DWORD bits;
        const char* message;
    };
    const Row rows[] = {
        {kVifDiffType | kVifTempFile, "message 165"}, {kVifOutOfSpace, "message 157"},
        {kVifAccessViolation, "sharing"},             {kVifSharingViolation, "sharing"},
        {kVifCannotCreate, "message 155"},            {kVifCannotDelete, "message 155"},
        {kVifCannotRename | kVifTempFile, "message 155"}, {kVifOutOfMemory, "message 156"},
        {kVifCannotReadSrc, "cannot read"},           {kVifCannotReadDst, "cannot write"},
    };
    AddItem("A", "1,,A.EX_,0,,A.EXE,10,1");
    for (const Row& row : rows) {
        m_prompts.asked.clear();
        m_service.installs = {{row.bits, "\\ver1.tmp"}};
        EXPECT_EQ(Run(), SETUP_STOPPED) << row.message;
        EXPECT_EQ(m_prompts.asked, std::vector<std::string>{row.message});
        EXPECT_TRUE(Leftovers(m_install).empty()) << row.message;
    }
}

TEST_F(CopyEngine, FilesTheServiceDidNotPutInPlaceAreAskedAboutAndNeverCountAsInstalled) {
    AddItem("A", "1,,A.EX_,0,,A.EXE,10,1");
    AddItem("B", "1,,B.EX_,0,,B.EXE,10,1");
    AddItem("C", "1,,C.EX_,0,,C.EXE,10,1");
    AddItem("D", "1,,D.EX_,0,,D.EXE,10,1");
    // A: in use, left out; B: the expander could not be loaded, the retry installs it;
    // C: differs only in ways nobody asks about, the existing file stays; D: the service's
    // own buffer was too small, and the user stops.
    m_service.installs = {{kVifFileInUse | kVifTempFile, "ver1.tmp"}, {kVifCannotLoadLz32, ""}, {0, ""},
                          {kVifTempFile | kVifMismatch, "\\ver2.tmp"}, {kVifBuffTooSmall | kVifTempFile, "\\ver3.tmp"}};
    m_prompts.answers = {kAnswerIgnore, IDOK, IDCANCEL};
    EXPECT_EQ(Run(), SETUP_STOPPED);
    EXPECT_EQ(m_prompts.asked, (std::vector<std::string>{"in use", "in use", "in use"}));
    EXPECT_FALSE(testsupport::FileExists(m_install + "\\A.EXE"));
    EXPECT_EQ(Installed("B.EXE"), "new");
    EXPECT_FALSE(testsupport::FileExists(m_install + "\\D.EXE"));
    EXPECT_EQ(m_notes.files, std::vector<std::string>{m_install + "\\B.EXE"});  // C.EXE was kept
    EXPECT_EQ(m_nDone, 30u);  // A's bytes count as done, as for any file left out
    EXPECT_TRUE(Leftovers(m_install).empty());
}

TEST_F(CopyEngine, AnOldCopyElsewhereThatCannotBeDeletedNeitherStopsNorLoops) {
    AddItem("A", "1,,A.EX_,0,,A.EXE,1,1");
    AddItem("B", "1,,B.EX_,0,,B.EXE,1,1");
    // A: still a temporary file: installed once more, leaving the old copy alone. B: the
    // same answer after that too: the file is not in place, and the user decides.
    const InstallAnswer waiting{kVifCannotDeleteCur | kVifTempFile, "\\ver1.tmp"};
    m_service.installs = {waiting, {0, ""}, waiting, waiting};
    m_prompts.answers = {kAnswerIgnore};
    EXPECT_EQ(Run(), SETUP_DONE);
    const DWORD keepingOld = kViffForceInstall | kViffDontDeleteOld;
    EXPECT_EQ(m_service.installFlags, (std::vector<DWORD>{0, keepingOld, 0, keepingOld}));
    EXPECT_EQ(m_prompts.asked, std::vector<std::string>{"in use"});
    EXPECT_EQ(Installed("A.EXE"), "new");
    EXPECT_FALSE(testsupport::FileExists(m_install + "\\B.EXE"));
    EXPECT_EQ(m_notes.files, std::vector<std::string>{m_install + "\\A.EXE"});
    EXPECT_TRUE(Leftovers(m_install).empty());
}

TEST_F(CopyEngine, AReplacementThatCannotTakePlaceKeepsTheExistingFile) {
    CreateDirectoryA(m_install.c_str(), nullptr);
    testsupport::WriteTextFile(m_install + "\\A.DLL", "old");
    SetFileAttributesA((m_install + "\\A.DLL").c_str(), FILE_ATTRIBUTE_READONLY);
    AddItem("A", "1,,A.DL_,0,,A.DLL,1,1");
    m_service.installs = {{kVifSrcOld | kVifTempFile, "\\ver1.tmp"}};
    // The new file that waits beside the old one is gone when it should take its place.
    m_prompts.whileAsking = [this] {
        m_prompts.whileAsking = nullptr;
        DeleteFileA((m_install + "\\ver1.tmp").c_str());
    };
    m_prompts.answers = {kAnswerYes, kAnswerIgnore};
    EXPECT_EQ(Run(), SETUP_DONE);
    EXPECT_EQ(m_prompts.asked, (std::vector<std::string>{"older", "in use"}));
    EXPECT_EQ(Installed("A.DLL"), "old");
    EXPECT_EQ(GetFileAttributesA((m_install + "\\A.DLL").c_str()) & FILE_ATTRIBUTE_READONLY, 0u + FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(m_notes.files.empty());
    EXPECT_EQ(m_nDone, 1u);
    EXPECT_TRUE(Leftovers(m_install).empty());
}

TEST_F(CopyEngine, ADestinationJustShortOfTheLimitLeavesRoomForTheServicesTemporaryName) {
    // The platform's own service: dir\A.TXT stays below 128 bytes, its temporary file not.
    m_bPlatformService = true;
    m_install = m_dir.Path() + "\\";
    m_install += std::string(118 - m_install.size(), 'd');
    SetInstDirMacro(m_install);
    AddItem("A", "1,,A.TXT,0,,A.TXT,3,1");
    EXPECT_EQ(Run(), SETUP_DONE);
    EXPECT_EQ(Installed("A.TXT"), "new");
    EXPECT_TRUE(m_prompts.asked.empty());
}

TEST_F(CopyEngine, OlderFileAnswersAndTheirRememberedOverwriteAll) {
    CreateDirectoryA(m_install.c_str(), nullptr);
    for (const char* name : {"A.DLL", "B.DLL", "C.DLL", "D.DLL"})
        testsupport::WriteTextFile(m_install + "\\" + name, "old");
    AddItem("A", "1,,A.DL_,0,,A.DLL,1,1");
    AddItem("B", "1,,B.DL_,0,,B.DLL,1,1");
    AddItem("C", "1,,C.DL_,0,,C.DLL,1,1");
    AddItem("D", "1,,D.DL_,0,,D.DLL,1,1");
    const InstallAnswer older{kVifSrcOld | kVifMismatch | kVifTempFile, "\\ver1.tmp"};
    const InstallAnswer language{kVifDiffLang | kVifTempFile, "ver2.tmp"};
    m_service.installs = {older, older, older, language};
    m_prompts.answers = {kAnswerNo, kAnswerOverwriteAll, kAnswerNo};
    SetFileAttributesA((m_media + "\\A.DL_").c_str(), FILE_ATTRIBUTE_SYSTEM);
    SetFileAttributesA((m_media + "\\B.DL_").c_str(), FILE_ATTRIBUTE_SYSTEM);
    EXPECT_EQ(Run(), SETUP_DONE);
    EXPECT_EQ(Installed("A.DLL"), "old");  // kept: neither noted nor given attributes
    // Only a file this installation wrote takes the attributes of the media.
    EXPECT_FALSE(GetFileAttributesA((m_install + "\\A.DLL").c_str()) & FILE_ATTRIBUTE_SYSTEM);
    EXPECT_TRUE(GetFileAttributesA((m_install + "\\B.DLL").c_str()) & FILE_ATTRIBUTE_SYSTEM);
    SetFileAttributesA((m_install + "\\B.DLL").c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(Installed("B.DLL"), "new");
    EXPECT_EQ(Installed("C.DLL"), "new");  // overwrite-all: not asked again
    EXPECT_EQ(Installed("D.DLL"), "old");  // the language question is asked all the same
    EXPECT_EQ(m_prompts.asked, (std::vector<std::string>{"older", "older", "language"}));
    EXPECT_EQ(m_notes.files, (std::vector<std::string>{m_install + "\\B.DLL", m_install + "\\C.DLL"}));
    EXPECT_EQ(m_nDone, 4u);
    EXPECT_TRUE(Leftovers(m_install).empty());

    m_prompts.asked.clear();
    m_service.installs = {older};
    m_prompts.answers = {kAnswerStop};
    g_bOverwriteAllOlder = 0;
    EXPECT_EQ(Run(), SETUP_STOPPED);
    EXPECT_TRUE(Leftovers(m_install).empty());
}

TEST_F(CopyEngine, ReadOnlyAnswersAndTheRememberedOne) {
    CreateDirectoryA(m_install.c_str(), nullptr);
    for (const char* name : {"A.TXT", "B.TXT", "C.TXT"}) {
        testsupport::WriteTextFile(m_install + "\\" + name, "old");
        SetFileAttributesA((m_install + "\\" + name).c_str(), FILE_ATTRIBUTE_READONLY);
    }
    AddItem("A", "1,,A.TX_,0,,A.TXT,1,1");
    AddItem("B", "1,,B.TX_,0,,B.TXT,1,1");
    AddItem("C", "1,,C.TX_,0,,C.TXT,1,1");
    // Cancel with the box ticked remembers nothing; the stop question's retry asks again.
    m_prompts.ticks = {true, false, true};
    m_service.installs = {{kVifWriteProt, ""}, {kVifWriteProt, ""}, {0, ""}, {kVifWriteProt, ""}, {kVifWriteProt, ""}};
    m_prompts.answers = {IDCANCEL, IDOK, kAnswerYes, kAnswerNo};
    EXPECT_EQ(Run(), SETUP_DONE);
    EXPECT_EQ(m_prompts.asked, (std::vector<std::string>{"read-only", "stop?", "read-only", "read-only"}));
    EXPECT_EQ(Installed("A.TXT"), "new");  // replaced: deleted, then installed without comparing
    EXPECT_EQ(m_service.installFlags, (std::vector<DWORD>{0, 0, kViffForceInstall, 0, 0}));
    EXPECT_EQ(Installed("B.TXT"), "old");
    EXPECT_EQ(Installed("C.TXT"), "old");  // "いいえ" remembered for B: C was not asked
    EXPECT_EQ(g_nReadonlyAnswer, kAnswerNo);
    // The files kept stay read-only.
    for (const char* name : {"B.TXT", "C.TXT"}) {
        const std::string path = m_install + "\\" + name;
        EXPECT_TRUE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY) << name;
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    EXPECT_TRUE(Leftovers(m_install).empty());
}

TEST_F(CopyEngine, LocatingInUseCopiesElsewhereAndSmallBuffers) {
    AddItem("A", "1,,A.EX_,0,,A.EXE,5,1");
    AddItem("B", "1,,B.EX_,0,,B.EXE,7,1");
    AddItem("C", "1,,C.EX_,0,,C.EXE,1,1");
    m_service.finds = {{kVffFileInUse, ""}, {kVffFileInUse, ""},        // A: retry, then ignore
                       {kVffBuffTooSmall, "C:\\elsewhere"},            // B: into its own directory
                       {0x40, ""}, {0x40, ""}, {0x40, ""}};            // C: unknown bits, bounded
    // B: installed, only an old copy elsewhere could not be deleted: done, nobody asked.
    m_service.installs = {{kVifCannotDeleteCur, ""}, {0, ""}};
    m_prompts.answers = {IDOK, kAnswerIgnore};
    EXPECT_EQ(Run(), SETUP_DONE);
    EXPECT_EQ(m_prompts.asked, (std::vector<std::string>{"in use", "in use"}));
    EXPECT_FALSE(testsupport::FileExists(m_install + "\\A.EXE"));  // ignored: not copied, not noted
    EXPECT_EQ(Installed("B.EXE"), "new");
    EXPECT_EQ(Installed("C.EXE"), "new");
    EXPECT_EQ(m_service.installFlags, (std::vector<DWORD>{0, 0}));
    EXPECT_EQ(m_notes.files, (std::vector<std::string>{m_install + "\\B.EXE", m_install + "\\C.EXE"}));
    EXPECT_EQ(m_nDone, 13u);
}

TEST_F(CopyEngine, ReplacingAFileTheServicePlacedElsewhereKeepsItThere) {
    const std::string shared = m_dir.Path() + "\\shared";
    CreateDirectoryA(shared.c_str(), nullptr);
    testsupport::WriteTextFile(shared + "\\S.DLL", "old");
    // The copy found elsewhere is no file of the system's directories: it is noted.
    AddItem("S", "1,,S.DL_,0,LIB,S.DLL,1,1");
    m_service.finds = {{0, shared}};
    m_service.installs = {{kVifSrcOld | kVifTempFile, "\\ver7.tmp"}};
    m_prompts.answers = {kAnswerYes};
    EXPECT_EQ(Run(), SETUP_DONE);
    EXPECT_EQ(testsupport::ReadTextFile(shared + "\\S.DLL"), "new");
    EXPECT_TRUE(Leftovers(shared).empty());
    EXPECT_EQ(m_notes.files, std::vector<std::string>{shared + "\\S.DLL"});
}

TEST_F(CopyEngine, DisksAreAskedForOnlyWhenTheirTagIsMissing) {
    AddItem("A", "1,,A.EX_,0,,A.EXE,1,1");
    AddItem("B", "2,,B.EX_,0,,B.EXE,1,1");
    AddItem("C", "2,,C.EX_,0,,C.EXE,1,1");
    AddItem("D", "1,,D.EX_,0,,D.EXE,1,1");
    // A floppy set: one disk in the drive at a time, with its tag.
    const auto insert = [&](int disk) {
        DeleteFileA((m_media + "\\DISK1").c_str());
        DeleteFileA((m_media + "\\DISK2").c_str());
        testsupport::WriteTextFile(m_media + "\\DISK" + std::to_string(disk), "");
    };
    insert(1);
    int prompts = 0;
    m_prompts.onChangeDisk = [&](int disk) {
        if (++prompts != 2) insert(disk);  // the second time, OK comes before the disk
    };
    m_prompts.answers = {IDOK, IDOK, IDOK};
    EXPECT_EQ(Run(), SETUP_DONE);
    EXPECT_EQ(m_prompts.asked, (std::vector<std::string>{"disk 2", "disk 1", "disk 1"}));

    // A CD: every tag is there, so nobody is asked for a disk that is already in.
    m_prompts.asked.clear();
    m_prompts.onChangeDisk = nullptr;
    testsupport::WriteTextFile(m_media + "\\DISK2", "");
    EXPECT_EQ(Run(), SETUP_DONE);
    EXPECT_TRUE(m_prompts.asked.empty());

    DeleteFileA((m_media + "\\DISK2").c_str());
    m_prompts.answers = {IDCANCEL, IDOK, IDCANCEL, IDCANCEL};
    EXPECT_EQ(Run(), SETUP_STOPPED);
    EXPECT_EQ(m_prompts.asked, (std::vector<std::string>{"disk 2", "stop?", "disk 2", "stop?"}));
}

TEST_F(CopyEngine, MissingSourceStopsBeforeTheService) {
    AddItem("A", "1,,A.EX_,0,,A.EXE,1,1");
    DeleteFileA((m_media + "\\A.EX_").c_str());
    EXPECT_EQ(Run(), SETUP_STOPPED);
    EXPECT_EQ(m_prompts.asked, std::vector<std::string>{"no source"});
    EXPECT_TRUE(m_service.installFlags.empty());
}
