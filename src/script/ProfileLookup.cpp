#include "script/ProfileLookup.h"

#include "common/FileUtils.h"
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
