#include "core/ParsedFileCache.h"

namespace core {

ParsedFileCache::Content ParsedFileCache::Find(const std::string& path) const {
    auto found = m_entries.find(path);
    return found == m_entries.end() ? nullptr : found->second;
}

void ParsedFileCache::Store(const std::string& path, Content content) { m_entries[path] = std::move(content); }

void ParsedFileCache::Clear() { m_entries.clear(); }

}  // namespace core
