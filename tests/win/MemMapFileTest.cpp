#include "script/MemMapFile.h"
#include "common/SetupMessageBox.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <thread>
#include <vector>

#include "TestSupport.h"
#include "UiTestSupport.h"

namespace {

class MemMapFile : public testing::Test {
protected:
    std::string Write(const std::string& name, const std::string& content) {
        std::ofstream(m_dir + name, std::ios::binary) << content;
        return m_dir + name;
    }

    testsupport::TempDirectory m_temp;
    const std::string m_dir = m_temp.Path() + "\\";
};

std::vector<std::string> AllLines(CMemMapFile& file) {
    std::vector<std::string> lines;
    std::string line;
    while (file.GetPosition() >= 0 && file.GetPosition() < file.GetLength()) {
        file.ReadLine(line);
        lines.push_back(line);
    }
    return lines;
}

using Lines = std::vector<std::string>;

// Answers the next message box of the installer (found by its caption among this
// process's windows) with a button, on a thread of its own while the test's thread
// waits in the box.
class MessageBoxAnswer {
public:
    explicit MessageBoxAnswer(int button, std::function<void()> beforeAnswer = {})
        : m_thread([this, button, beforeAnswer] {
              HWND box = uitest::WaitForWindow(kSetupCaption);
              if (!box) return;
              m_text = uitest::StaticTexts(box);
              if (beforeAnswer) beforeAnswer();
              PostMessageA(box, WM_COMMAND, button, 0);
          }) {}
    // The text the box showed; "" when no box appeared within the wait.
    const std::string& Text() {
        if (m_thread.joinable()) m_thread.join();
        return m_text;
    }
    ~MessageBoxAnswer() {
        if (m_thread.joinable()) m_thread.join();
    }

private:
    std::string m_text;
    std::thread m_thread;
};

}  // namespace

TEST_F(MemMapFile, ReadsLinesAndSeeks) {
    // The line ends that matter to the script parser; the core tests cover the rest.
    CMemMapFile file(Write("lines.inf", "a=1\r\nb\n\rc=3"));
    EXPECT_EQ(file.GetLength(), 11);
    EXPECT_EQ(AllLines(file), (Lines{"a=1", "", "b", "c=3"}));
    std::string line = "old";
    EXPECT_EQ(file.ReadLine(line), 0);  // at the end: nothing, position kept
    EXPECT_EQ(line, "");
    EXPECT_EQ(file.GetPosition(), 11);

    EXPECT_EQ(file.Seek(0, 2), 10);  // the last byte
    std::uint8_t byte = 0;
    EXPECT_EQ(file.ReadByte(byte), 1);
    EXPECT_EQ(byte, '3');
    EXPECT_EQ(file.Seek(11, 2), -1);
    EXPECT_EQ(file.ReadLine(line), 0);
    EXPECT_EQ(file.Seek(0, 0), 0);
    std::int32_t value = 0;
    EXPECT_EQ(file.ReadLong(value), 4);
    EXPECT_EQ(value, 0x0D313D61);  // "a=1\r", little-endian

    auto copy = file.Duplicate();
    EXPECT_EQ(copy->GetLength(), 11);
    EXPECT_EQ(copy->GetPosition(), 0);
    file.Close();
    EXPECT_EQ(file.GetLength(), 0);
    EXPECT_EQ(file.ReadByte(byte), 0);
}

TEST_F(MemMapFile, AnEmptyFileOpensWithNothingToRead) {
    CMemMapFile file(Write("empty.inf", ""));
    EXPECT_EQ(file.GetLength(), 0);
    std::string line = "old";
    EXPECT_EQ(file.ReadLine(line), 0);
    EXPECT_EQ(line, "");
    EXPECT_EQ(file.GetCurrentPointer(), nullptr);
    EXPECT_EQ(file.Open(m_dir + "empty.inf"), 0);  // open already
}

TEST_F(MemMapFile, MissingFileAsksAndIgnoreLeavesAnEmptyFile) {
    // A '%' in the name is shown as it is.
    const std::string name = m_dir + "missing%s%d.inf";
    MessageBoxAnswer ignore(IDIGNORE);
    CMemMapFile file(name);
    EXPECT_EQ(ignore.Text(), "Can not open <" + name + ">!>");
    EXPECT_EQ(file.GetLength(), 0);
    std::string line;
    EXPECT_EQ(file.ReadLine(line), 0);
    EXPECT_EQ(file.Open(name), 0);  // still marked open
}

TEST_F(MemMapFile, RetryOpensTheFileOnceItIsThere) {
    const std::string name = m_dir + "late.inf";
    MessageBoxAnswer retry(IDRETRY, [&] { Write("late.inf", "[Config]\n"); });
    CMemMapFile file(name);
    EXPECT_EQ(retry.Text(), "Can not open <" + name + ">!>");
    EXPECT_EQ(file.GetLength(), 9);
    std::string line;
    EXPECT_EQ(file.ReadLine(line), 8);
    EXPECT_EQ(line, "[Config]");
}

TEST_F(MemMapFile, AbortEndsTheProcessWithCode1) {
    const std::string name = m_dir + "gone.inf";
    EXPECT_EXIT(
        {
            MessageBoxAnswer abort(IDABORT);
            CMemMapFile file(name);
        },
        testing::ExitedWithCode(1), "");
}

TEST_F(MemMapFile, SetLengthTellsTheUserAndChangesNothing) {
    CMemMapFile file(Write("keep.inf", "[Config]\n"));
    ASSERT_EQ(file.Seek(3, 0), 3);
    MessageBoxAnswer ok(IDOK);
    file.SetLength(2);
    EXPECT_NE(ok.Text(), "");
    EXPECT_EQ(file.GetLength(), 9);
    EXPECT_EQ(file.GetPosition(), 3);
    std::string line;
    EXPECT_EQ(file.ReadLine(line), 5);
    EXPECT_EQ(line, "nfig]");
}
