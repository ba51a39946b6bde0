#include "core/ParsedFileCache.h"

namespace core {

ParsedFileCache::Content ParsedFileCache::Find(const std::string& path, const FileStamp& stamp) const {
    auto found = m_entries.find(path);
    if (found == m_entries.end() || !(found->second.stamp == stamp)) return nullptr;
    return found->second.content;
}

void ParsedFileCache::Store(const std::string& path, const FileStamp& stamp, Content content) {
    m_entries[path] = Entry{stamp, std::move(content)};
}

void ParsedFileCache::Clear() { m_entries.clear(); }

}  // namespace core
