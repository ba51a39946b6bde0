#include "core/UninstallRecordReader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using core::RecordSection;

namespace {

std::vector<std::string> Values(const core::UninstallRecordContents& record, RecordSection section) {
    std::vector<std::string> values;
    for (const core::RecordNote& note : record.notes)
        if (note.section == section) values.push_back(note.fields[0]);
    return values;
}

}  // namespace

TEST(UninstallRecordReader, ReadsAsTheProfileReaderDoes) {
    const auto record = core::ReadUninstallRecordText(
        "stray=before any section\r\n"
        "[deletefile]\r\n"
        "  0 = C:\\App\\A.EXE  \r\n"
        "1=\r\n"                       // empty: no note
        "no equals sign\r\n"
        "0=C:\\App\\DUP.EXE\r\n"       // a key given twice: the first counts
        "[Other]\r\n"
        "0=C:\\App\\NOT.EXE\r\n"
        "[DeleteFile]\n"               // the section again: its lines count too
        "2=\"C:\\App\\Q.EXE\"\n"       // one quoted field: unquoted
        "[CONFIG]\r\n"
        "product=サンプル\r\n"
        "Product=second\r\n"
        "Reg=SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\S");
    EXPECT_TRUE(record.hasConfig);
    EXPECT_EQ(record.product, "サンプル");
    EXPECT_EQ(record.reg, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\S");
    EXPECT_EQ(Values(record, RecordSection::DeleteFile), (std::vector<std::string>{"C:\\App\\A.EXE", "C:\\App\\Q.EXE"}));
    EXPECT_TRUE(record.unreadable.empty());
}

TEST(UninstallRecordReader, NotesThatDoNotFitTheirSectionAreSetAside) {
    const auto record = core::ReadUninstallRecordText(
        "[DeleteIniKeyword]\n0=WIN.INI,Sec,Key\n1=WIN.INI,Sec\n2=WIN.INI,,Key\n3=WIN.INI,Sec,Key,extra\n"
        "[DeleteIniSection]\n0=\"open,Sec\n"
        "[DeleteRegKey]\n0=HKEY_LOCAL_MACHINE\n1=HKEY_CURRENT_USER\\Software\\A\n"
        "[RestoreRegValue]\n0=HKEY_CURRENT_USER\\S,V,4,12x\n1=HKEY_CURRENT_USER\\S,V,4,12\n"
        "[DeleteRegValue]\n0=HKEY_CURRENT_USER\\S,\n");
    EXPECT_FALSE(record.hasConfig);  // an installation that never completed
    std::vector<std::string> fitting;
    for (const auto& note : record.notes) fitting.push_back(note.value);
    // In removal-neutral section order; the empty value name is the default value.
    EXPECT_EQ(fitting, (std::vector<std::string>{"WIN.INI,Sec,Key", "HKEY_CURRENT_USER\\S,",
                                                  "HKEY_CURRENT_USER\\Software\\A", "HKEY_CURRENT_USER\\S,V,4,12"}));
    EXPECT_EQ(record.unreadable.size(), 6u);
}

TEST(UninstallRecordReader, RemainingNotesAreWrittenBackRenumbered) {
    auto record = core::ReadUninstallRecordText(
        "[RestoreIniValue]\n7=WIN.INI,S,K,\"a, b\"\n[DeleteFile]\n3=C:\\A\\X\n9=C:\\A\\UNINSTAL.INF\n"
        "[Config]\nProduct=P\nReg=R\n");
    const std::string text = core::WriteUninstallRecordText(record.notes, record);
    EXPECT_EQ(text,
              "[DeleteFile]\r\n0=C:\\A\\X\r\n1=C:\\A\\UNINSTAL.INF\r\n"
              "[RestoreIniValue]\r\n0=WIN.INI,S,K,\"a, b\"\r\n"
              "[Config]\r\nProduct=P\r\nReg=R\r\n");
    const auto again = core::ReadUninstallRecordText(text);
    ASSERT_EQ(again.notes.size(), 3u);
    EXPECT_EQ(again.notes[2].fields[3], "a, b");
}

TEST(UninstallRecordReader, LargeAndOddInputStaysBounded) {
    std::string text = "[DeleteFile]\n";
    for (int i = 0; i < 10000; ++i) text += std::to_string(i) + "=C:\\App\\F" + std::to_string(i) + "\n";
    text += "10000=C:\\App\\" + std::string(5000, 'x') + "\n";
    text += "10001=C:\\App\\\x83\n";  // a lone lead byte at the end of a value
    text += "[DeleteFile";            // a header without its bracket
    const auto record = core::ReadUninstallRecordText(text);
    EXPECT_EQ(record.notes.size(), 10002u);
    EXPECT_EQ(record.notes[10000].fields[0].size(), 5007u);
}
