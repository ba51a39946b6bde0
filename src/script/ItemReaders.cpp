#include "script/ItemReaders.h"

#include "script/Profile.h"

#include <memory>

namespace {

// Parsed script files of this run. The readers run on the user-interface
// thread only, before any worker starts.
core::ParsedFileCache g_parsedScripts;

template <class Item>
int ReadItems(std::vector<Item*>& list, const std::string& scriptPath, const char* section) {
    if (scriptPath.empty()) return 0;
    return ForEachItemLine(scriptPath, section, [&list](const std::string& key, const std::string& value) {
        auto item = std::make_unique<Item>(key, value);
        list.push_back(item.get());
        item.release();
    });
}

}  // namespace

int ForEachItemLine(const std::string& scriptPath, const char* section,
                    const std::function<void(const std::string& key, const std::string& value)>& addItem) {
    CReadonlyFileProfile profile(scriptPath, &g_parsedScripts);
    profile.SetSection(section);
    int count = 0;
    const int keys = profile.GetKeyCount();
    for (int index = 0; index < keys; ++index) {
        std::string key;
        if (!profile.GetKeyAt(index, key)) continue;
        std::string value = profile.GetStringAt(index, "");
        if (value.empty()) continue;
        addItem(key, value);
        ++count;
    }
    return count;
}

void ForgetParsedScripts() { g_parsedScripts.Clear(); }

int ReadFileItems(CFileItemArray& list, const std::string& scriptPath, const char* section) {
    return ReadItems(list, scriptPath, section);
}
int ReadIniItems(CIniItemArray& list, const std::string& scriptPath, const char* section) {
    return ReadItems(list, scriptPath, section);
}
int ReadRegItems(CRegItemArray& list, const std::string& scriptPath, const char* section) {
    return ReadItems(list, scriptPath, section);
}
int ReadExeItems(CExeItemArray& list, const std::string& scriptPath, const char* section) {
    return ReadItems(list, scriptPath, section);
}
int ReadOcxItems(COcxItemArray& list, const std::string& scriptPath, const char* section) {
    return ReadItems(list, scriptPath, section);
}
int ReadAutomationItems(CAutomationItemArray& list, const std::string& scriptPath, const char* section) {
    return ReadItems(list, scriptPath, section);
}
int ReadComItems(CComItemArray&, const std::string&, const char*) { return 0; }
int ReadShortcutItems(CShortcutItemArray& list, const std::string& scriptPath, const char* section) {
    return ReadItems(list, scriptPath, section);
}
int ReadLogoItems(CLogoItemArray& list, const std::string& scriptPath) { return ReadItems(list, scriptPath, "Logo"); }
int ReadOptionItems(COptionItemArray& list, const std::string& scriptPath, const char* section) {
    return ReadItems(list, scriptPath, section);
}
