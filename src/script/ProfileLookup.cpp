#include "script/ProfileLookup.h"

#include "common/FileUtils.h"
#include "script/Profile.h"

bool ProfileHasSection(const std::string& path, const std::string& section) {
    if (!FileExists(path)) return false;
    CReadonlyFileProfile profile(path);
    const int count = profile.GetSectionCount();
    std::string name;
    for (int index = 0; index < count; ++index)
        if (profile.GetSectionAt(index, name) && name == section) return true;
    return false;
}

bool ProfileHasKey(const std::string& path, const std::string& section, const std::string& key) {
    if (!ProfileHasSection(path, section)) return false;
    CReadonlyFileProfile profile(path);
    profile.SetSection(section.c_str());
    const int count = profile.GetKeyCount();
    std::string name;
    for (int index = 0; index < count; ++index)
        if (profile.GetKeyAt(index, name) && name == key) return true;
    return false;
}
