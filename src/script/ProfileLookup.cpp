#include "script/ProfileLookup.h"

#include "common/FileUtils.h"
#include "core/ShiftJis.h"
#include "script/Profile.h"

ProfileFacts LookUpSectionAndKey(const std::string& path, const std::string& section, const std::string& key) {
    ProfileFacts facts;
    if (!FileExists(path)) return facts;
    CReadonlyFileProfile profile(path);
    const int sections = profile.GetSectionCount();
    std::string name;
    for (int index = 0; index < sections && !facts.hasSection; ++index)
        facts.hasSection = profile.GetSectionAt(index, name) && name == section;
    if (!facts.hasSection) return facts;
    profile.SetSection(section.c_str());
    const int keys = profile.GetKeyCount();
    for (int index = 0; index < keys && !facts.hasKey; ++index)
        facts.hasKey = profile.GetKeyAt(index, name) && name == key;
    return facts;
}

bool ProfileHasSection(const std::string& path, const std::string& section) {
    return LookUpSectionAndKey(path, section, std::string()).hasSection;
}

bool ProfileHasKey(const std::string& path, const std::string& section, const std::string& key) {
    return LookUpSectionAndKey(path, section, key).hasKey;
}

namespace {

bool SameName(const std::string& a, const std::string& b) { return core::ToUpperShiftJis(a) == core::ToUpperShiftJis(b); }

// The selected section's entries; only the key's when one is given.
void AddEntries(CIniProfile& profile, const std::string& section, const std::string& key,
                std::vector<IniEntry>& entries) {
    profile.SetSection(section.c_str());
    for (const std::string& name : profile.GetKeyNames())
        if (key.empty() || SameName(name, key)) entries.push_back({section, name, profile.GetString(name.c_str(), "")});
}

}  // namespace

IniFacts LookUpIniFacts(const std::string& path, const std::string& section, const std::string& key) {
    IniFacts facts;
    facts.fileExists = FileExists(path);
    if (!facts.fileExists) return facts;
    CIniProfile profile(path);
    for (const std::string& name : profile.GetSectionNames()) {
        if (!SameName(name, section)) continue;
        facts.hasSection = true;
        std::vector<IniEntry> entries;
        if (!key.empty()) AddEntries(profile, name, key, entries);
        if (!entries.empty()) {
            facts.hasKey = true;
            facts.value = entries.front().value;
        }
        break;
    }
    return facts;
}

std::vector<IniEntry> ReadIniEntries(const std::string& path, const std::string& section, const std::string& key) {
    std::vector<IniEntry> entries;
    if (!FileExists(path)) return entries;
    CIniProfile profile(path);
    for (const std::string& name : profile.GetSectionNames())
        if (section.empty() || SameName(name, section)) AddEntries(profile, name, key, entries);
    return entries;
}
