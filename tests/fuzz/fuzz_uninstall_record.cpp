// Any bytes must read as a record without a crash or hang; what is read must write back
// and read again to the same notes; the removal order must hold each note once; the
// path judgements and the other readers of the uninstaller must take any text.
#include "core/RecordPaths.h"
#include "core/UninstallPlan.h"
#include "core/UninstallRecordReader.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const core::UninstallRecordContents record = core::ReadUninstallRecordText(text);

    const core::UninstallRecordContents again =
        core::ReadUninstallRecordText(core::WriteUninstallRecordText(record.notes, record));
    if (again.notes.size() != record.notes.size() || !again.unreadable.empty()) std::abort();
    for (size_t i = 0; i < record.notes.size(); ++i)
        if (again.notes[i].value != record.notes[i].value || again.notes[i].fields != record.notes[i].fields)
            std::abort();
    if (again.hasConfig != record.hasConfig || again.product != record.product) std::abort();

    std::vector<bool> seen(record.notes.size(), false);
    for (size_t index : core::RemovalOrder(record.notes)) {
        if (index >= seen.size() || seen[index]) std::abort();
        seen[index] = true;
    }
    const std::vector<std::string> protectedFolders = {"C:\\WINDOWS", "C:\\WINDOWS\\SYSTEM"};
    for (const core::RecordNote& note : record.notes) {
        core::CheckRecordPath(note.fields[0], protectedFolders);
        core::ParentFolder(note.fields[0]);
    }
    core::ParseProgramGroupData(text);
    core::ParseUninstallerCommandLine(text);
    core::AddWininitDeletion(text, "C:\\X");
    return 0;
}
