#pragma once
// The setup script as a product maker's tools see it: parsed by the installer's own
// parser, with the line of every section header and entry kept, and the install-file
// items in the order the installer gathers them.
#include "core/ItemRecords.h"
#include "core/ProfileParser.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace core {

// Where a parsed piece came from: its line number (from 1) and the byte offset of the
// line's start in the text.
struct ScriptPlace {
    int line = 0;
    std::size_t start = 0;
    std::size_t length = 0;  // the line's bytes, without its line end
};

struct LocatedSection {
    const FileProfileSection* section = nullptr;
    ScriptPlace header;
    std::vector<ScriptPlace> entries;  // one per entry of the section
};

struct SetupScript {
    std::string text;
    FileProfileSections sections;
    std::vector<LocatedSection> located;  // one per section, in file order

    // First section whose name equals the name exactly, or null.
    const LocatedSection* Find(std::string_view name) const;
    // The Config section: its name in any case, the first one.
    const LocatedSection* FindConfig() const;
    // A Config key's value (key in any case, the first occurrence), or the default.
    std::string ConfigValue(std::string_view key, std::string_view defaultValue) const;
    // Where an entry's value starts in the text.
    std::size_t ValueOffset(const LocatedSection& section, std::size_t entry) const;
};

SetupScript ReadSetupScript(std::string text);

// The names under which the installer reads item sections, one kind after another.
struct ItemKind {
    std::string_view plain;   // "InstallFiles"
    std::string_view option;  // the name after "<option>::": "InstallFIles" for files
    int maxFields;            // fields a line of this kind uses
    int minFields;            // fields a line needs before the ones with defaults
};
const std::vector<ItemKind>& ItemKinds();

// The other sections the installer reads, and the keys of Config.
const std::vector<std::string_view>& FixedSectionNames();
const std::vector<std::string_view>& ConfigKeys();

// Whether the uninstaller's own file item is added: Uninstall's first field is TRUE.
bool UninstallEnabled(const SetupScript& script);

struct ScriptFileItem {
    FileItemFields fields;
    const LocatedSection* section = nullptr;  // null for the uninstaller's own item
    std::size_t entry = 0;
};

// Every install-file item of every option: InstallFiles, Common::InstallFiles, then
// <option>::InstallFIles for each option of InstallOption in its order, then the
// uninstaller's own item (disk 1, ORVUN100.EX_) when Uninstall is on.
std::vector<ScriptFileItem> AllFileItems(const SetupScript& script);

// Where an item's source lies on its disk, as the script names it: the source folder
// without its leading backslashes, then the source file ("DATA\FULL.DA_").
std::string MediaPath(const FileItemFields& item);
// Whether the item's source name marks a compressed file: it ends in "_".
bool HasCompressedName(const FileItemFields& item);

// The text with field index of an entry's value replaced by replacement, every other
// byte kept.
std::string ReplaceField(std::string_view text, std::size_t valueOffset, std::size_t valueLength, int index,
                         std::string_view replacement);

}  // namespace core
