#pragma once
// Findings about a setup script: what the installer would silently skip, misread or
// refuse, found with the installer's own parser, field splitter and item records.
#include "core/SetupScript.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace core {

struct Finding {
    int line = 0;
    bool error = false;
    std::string_view kind;  // one of FindingKinds()
    std::string text;       // may hold the script's own Shift-JIS bytes
};

struct FindingKind {
    std::string_view name;
    bool error;
};
const std::vector<FindingKind>& FindingKinds();

std::vector<Finding> CheckScript(const SetupScript& script);

// What the media checks need to see of a media folder. Paths are relative to the
// top of one disk and written as in the script (Shift-JIS, backslashes).
class MediaFolder {
public:
    virtual ~MediaFolder() = default;
    // Whether the disk's tag file DISKn is there (on a CD every tag lies at the top).
    virtual bool HasDisk(int disk) const = 0;
    // The file's bytes, or nothing when there is no such file on that disk.
    virtual std::optional<std::string> Read(int disk, const std::string& path) const = 0;
    virtual bool Exists(int disk, const std::string& path) const = 0;
};

// Checks the script's file items against built media.
std::vector<Finding> CheckMedia(const SetupScript& script, const MediaFolder& media);

// The installation directory the script proposes, with the macros a Windows 95
// installation on drive C: gives them.
std::string DefaultInstallDir(const SetupScript& script);
// An item's destination path under that directory.
std::string DefaultDestPath(const SetupScript& script, const FileItemFields& item);

}  // namespace core
