// Files compressed by our SZDD writer, installed by the platform's version service:
// each must arrive expanded byte for byte, the writer's edge cases among them.
#include <windows.h>

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <thread>
#include <vector>

#include "TestSupport.h"
#include "core/Szdd.h"

namespace {

std::string RandomBytes(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string data(size, '\0');
    for (char& c : data) c = static_cast<char>(random() & 0xFF);
    return data;
}

// Runs the slices on threads of their own, as the media builder does.
void OnThreads(std::size_t count, const std::function<void(std::size_t)>& task) {
    std::vector<std::thread> threads;
    for (std::size_t i = 0; i < count; ++i) threads.emplace_back(task, i);
    for (std::thread& thread : threads) thread.join();
}

struct Case {
    std::string compressedName, installedName, data;
};

}  // namespace

TEST(SzddInstall, VerInstallFileExpandsEveryEdgeCaseByteForByte) {
    std::string text;
    for (int i = 0; i < 30000; ++i) text += "line " + std::to_string(i * 7919 % 104729) + "\r\n";
    const std::vector<Case> cases = {
        {"EMPTY.TX_", "EMPTY.TXT", ""},
        {"SHORT.TX_", "SHORT.TXT", "short"},
        {"FIFTEEN.TX_", "FIFTEEN.TXT", "0123456789abcde"},
        {"BLANKS.TX_", "BLANKS.TXT", std::string(5000, ' ') + "x"},  // the ring's own blanks
        {"RUN.TX_", "RUN.TXT", "head" + std::string(20000, 'x') + "tail"},  // longer than the ring
        {"ZERO.BI_", "ZERO.BIN", std::string(70000, '\0')},
        {"RANDOM.BI_", "RANDOM.BIN", RandomBytes(200000, 1)},
        // Several slices compressed at once, ending in random bytes and in text.
        {"SLICES.DA_", "SLICES.DAT", RandomBytes(300000, 2) + text + std::string(4000, 'q')},
        // "取扱説明": the last character is double-byte, so the header names none.
        {"\x8E\xE6\x88\xB5\x90\xE0_", "\x8E\xE6\x88\xB5\x90\xE0\x96\xBE", text.substr(0, 5000)},
    };
    testsupport::TempDirectory source, destination;
    for (const Case& item : cases) {
        SCOPED_TRACE(item.installedName);
        std::string file;
        ASSERT_TRUE(core::CompressSzdd(item.data, core::SzddNameByte(item.installedName), file, OnThreads));
        ASSERT_TRUE(testsupport::WriteTextFile(source.Path() + "\\" + item.compressedName, file));
        char temporary[MAX_PATH] = "";
        UINT temporaryLength = sizeof temporary;
        auto in = [](const std::string& text) { return const_cast<LPSTR>(text.c_str()); };  // only read
        const DWORD result = VerInstallFileA(0, in(item.compressedName), in(item.installedName), in(source.Path()),
                                             in(destination.Path()), in(destination.Path()), temporary, &temporaryLength);
        EXPECT_EQ(result, 0u);
        const std::string installed = testsupport::ReadTextFile(destination.Path() + "\\" + item.installedName);
        EXPECT_EQ(installed.size(), item.data.size());
        EXPECT_TRUE(installed == item.data);
    }
}
