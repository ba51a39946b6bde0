#pragma once
// Parsed script files kept for the rest of the run, by path, so that reading
// many sections of one file parses it once.
#include "core/ProfileParser.h"

#include <map>
#include <memory>
#include <string>

namespace core {

class ParsedFileCache {
public:
    using Content = std::shared_ptr<const FileProfileSections>;

    // The stored content of the path, or null.
    Content Find(const std::string& path) const;
    void Store(const std::string& path, Content content);
    void Clear();

private:
    std::map<std::string, Content> m_entries;
};

}  // namespace core
