#pragma once
// Reading the uninstall record UNINSTAL.INF as the uninstaller needs it, and writing back
// what remains of it. The file is read the way the platform's profile reader reads it:
// section names and keys in any case, blanks around keys and values dropped, lines
// without "=" and lines before the first section ignored, a key given twice in a section
// taken once (the first). A section may appear more than once; all its lines count.
#include <string>
#include <string_view>
#include <vector>

namespace core {

// The record's sections of notes, in the order the uninstaller reads them. The first ten
// are the installer's original sections; the rest follow them in the file.
enum class RecordSection {
    DeleteFile,
    DeleteShortCut,
    UnregisterOcx,
    UnregisterAutomation,
    DeleteIniFile,
    DeleteIniSection,
    DeleteIniKeyword,
    DeleteIniValue,
    DeleteProgramGroup,
    DeleteDirectory,
    RestoreIniValue,
    DeleteRegValue,
    DeleteRegKey,
    RestoreRegValue,
    ReleaseSharedFile,
    DeleteProgramItem,
};
inline constexpr int kRecordSectionCount = 16;

std::string_view RecordSectionName(RecordSection section);

// One note of the record.
struct RecordNote {
    RecordSection section = RecordSection::DeleteFile;
    // The value as the file holds it (written back unchanged while the note remains).
    std::string value;
    // Its fields: for the sections of one path or name the whole value (one enclosing pair
    // of double quotes removed, "" inside standing for one quote); for the others the
    // fields of SplitRecordFields, as many as the section has.
    std::vector<std::string> fields;
};

struct UninstallRecordContents {
    // A [Config] section is there: the installation was completed.
    bool hasConfig = false;
    std::string product;  // Config Product
    std::string reg;      // Config Reg: the product's key in the uninstall list
    // Notes that fit their section, grouped by section in RecordSection's order, each
    // section's notes in file order. Empty values are no notes.
    std::vector<RecordNote> notes;
    // Notes whose fields do not fit their section (count, quoting, an empty name, a
    // registry path without a known root, data that does not fit its type): never acted on.
    std::vector<RecordNote> unreadable;
};

// Reads the record's text. Any bytes are accepted; what cannot be read is left out
// (or, for a note of a known section, listed as unreadable).
UninstallRecordContents ReadUninstallRecordText(std::string_view text);

// A note's fields as ReadUninstallRecordText takes them; false when they do not fit.
bool ReadRecordNote(RecordNote& note);

// The text of a record that holds these notes: one section per kind in RecordSection's
// order, keys numbered from 0 in the order given, then [Config] when hasConfig (Product,
// and Reg when it is not empty). Lines end with CR LF.
std::string WriteUninstallRecordText(const std::vector<RecordNote>& notes, const UninstallRecordContents& config);

}  // namespace core
