#pragma once
// Parsed script files kept for the rest of the run, by path, so that reading
// many sections of one file parses it once. Each entry remembers the file's
// size and time of last write; a file that changed since is parsed anew.
#include "core/ProfileParser.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>

namespace core {

struct FileStamp {
    std::uint64_t size = 0;
    std::uint64_t lastWrite = 0;
    bool operator==(const FileStamp&) const = default;
};

class ParsedFileCache {
public:
    using Content = std::shared_ptr<const FileProfileSections>;

    // The stored content of the path when the file still has this stamp, or null.
    Content Find(const std::string& path, const FileStamp& stamp) const;
    void Store(const std::string& path, const FileStamp& stamp, Content content);
    void Clear();

private:
    struct Entry {
        FileStamp stamp;
        Content content;
    };
    std::map<std::string, Entry> m_entries;
};

}  // namespace core
