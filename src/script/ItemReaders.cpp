#include "script/ItemReaders.h"

#include "app/SetupApp.h"
#include "script/Profile.h"

#include <memory>

namespace {

// Parsed script files of this run. The readers run on the user-interface
// thread only, before any worker starts.
core::ParsedFileCache g_parsedScripts;

std::string SetupScriptPath() {
    CSetupApp* app = GetSetupApp();
    return app ? app->GetSetupInfPath() : std::string();
}

template <class Item>
int ReadItems(std::vector<Item*>& list, const char* section) {
    std::string path = SetupScriptPath();
    if (path.empty()) return 0;
    return ForEachItemLine(path, section, [&list](const std::string& key, const std::string& value) {
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

int ReadFileItems(CFileItemArray& list, const char* section) { return ReadItems(list, section); }
int ReadIniItems(CIniItemArray& list, const char* section) { return ReadItems(list, section); }
int ReadRegItems(CRegItemArray& list, const char* section) { return ReadItems(list, section); }
int ReadExeItems(CExeItemArray& list, const char* section) { return ReadItems(list, section); }
int ReadOcxItems(COcxItemArray& list, const char* section) { return ReadItems(list, section); }
int ReadAutomationItems(CAutomationItemArray& list, const char* section) { return ReadItems(list, section); }
int ReadComItems(CComItemArray&, const char*) { return 0; }
int ReadShortcutItems(CShortcutItemArray& list, const char* section) { return ReadItems(list, section); }
int ReadLogoItems(CLogoItemArray& list) { return ReadItems(list, "Logo"); }
int ReadOptionItems(COptionItemArray& list, const char* section) { return ReadItems(list, section); }
