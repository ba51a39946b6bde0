#include "app/SetupDoc.h"

#include "app/SetupApp.h"
#include "core/AtoiNumber.h"
#include "core/ShiftJisPath.h"
#include "framework/App.h"
#include "framework/SystemPaths.h"
#include "script/ItemReaders.h"
#include "script/PathMacros.h"

#include <windows.h>

#include <memory>

namespace {

const char kConfig[] = "Config";

// A Config key through the application profile (the platform's private-profile
// rules: names in any case, the first occurrence wins).
std::string ConfigString(const char* key, const char* defaultValue) {
    fw::App* app = fw::App::Current();
    return app ? app->GetProfileString(kConfig, key, defaultValue) : std::string(defaultValue);
}

// The setup script the item lists are read from: the application's SETUP.INF.
std::string SetupScriptPath() {
    CSetupApp* app = GetSetupApp();
    return app ? app->GetSetupInfPath() : std::string();
}

template <class Item>
void DeleteAll(std::vector<Item*>& list) {
    for (Item* item : list) delete item;
    list.clear();
}

}  // namespace

CSetupDoc::CSetupDoc() { ForgetParsedScripts(); }

CSetupDoc::~CSetupDoc() {
    DeleteAll(m_arrOptions);
    DeleteAll(m_arrFileItems);
    DeleteAll(m_arrIniItems);
    DeleteAll(m_arrRegItems);
    DeleteAll(m_arrExeItems);
    DeleteAll(m_arrOcxItems);
    DeleteAll(m_arrAutomationItems);
    DeleteAll(m_arrComItems);
    DeleteAll(m_arrShortcutItems);
    DeleteAll(m_arrLogoItems);
    ForgetParsedScripts();
}

BOOL CSetupDoc::OnNewDocument() { return ReadSettings(); }

BOOL CSetupDoc::ReadSettings() {
    if (!fw::Document::OnNewDocument()) return FALSE;

    ReadLogoItems(m_arrLogoItems, SetupScriptPath());

    std::string sourceDir = ConfigString("SrcDir", "");
    if (sourceDir.empty()) sourceDir = fw::ModuleDirectory();
    if (!sourceDir.empty()) SetSrcDirMacro(sourceDir);

    m_strInstallDir = ConfigString("InstallDir", "");
    ExpandMacros(m_strInstallDir);
    SetInstDirMacro(m_strInstallDir);

    m_strProduct = ConfigString("Product", "");
    ReadOptionItems(m_arrOptions, SetupScriptPath(), "InstallOption");
    m_strGroupName = ConfigString("GroupName", "");

    if (ConfigString("ShowChooseDirPage", "TRUE") != "TRUE") m_bShowChooseDirPage = 0;
    if (ConfigString("ShowGroupNamePage", "TRUE") != "TRUE") m_bShowGroupNamePage = 0;

    std::string userName = ConfigString("ShowUserNamePage", "TRUE");
    if (GetField(userName, 0, "", ",") != "TRUE") m_bShowUserNamePage = 0;
    m_nUserNameMinLength = core::AtoiNumber(GetField(userName, 1, "", ","));
    m_nUserNameMaxLength = core::AtoiNumber(GetField(userName, 2, "", ","));

    std::string uninstall = ConfigString("Uninstall", "TRUE");
    if (GetField(uninstall, 0, "", ",") != "TRUE") m_bUninstall = 0;
    m_strUninstallKey = GetField(uninstall, 1, "", ",");
    m_strUninstallInfPath = m_strInstallDir + "\\UNINSTAL.INF";
    m_strUninstallerTitle = GetField(uninstall, 2, "", ",");
    return TRUE;
}

void CSetupDoc::SetInstallDir(const std::string& directory) {
    m_strInstallDir = directory;
    m_strUninstallInfPath = directory + "\\UNINSTAL.INF";
}

void CSetupDoc::SetGroupName(const std::string& name) {
    m_strGroupName = name;
    if (fw::App* app = fw::App::Current()) app->WriteProfileString(kConfig, "GroupName", m_strGroupName.c_str());
}

COptionItemArray& CSetupDoc::GetOptions() {
    if (m_arrOptions.empty()) ReadOptionItems(m_arrOptions, SetupScriptPath(), "InstallOption");
    return m_arrOptions;
}

template <class Item>
std::vector<Item*>& CSetupDoc::Gather(std::vector<Item*>& list, const char* section, const char* optionSection,
                                      int (*read)(std::vector<Item*>&, const std::string&, const char*)) {
    if (!list.empty() || m_bListsRead) return list;
    const std::string script = SetupScriptPath();
    read(list, script, section);
    read(list, script, (std::string("Common::") + section).c_str());
    if (!m_strOption.empty()) read(list, script, (m_strOption + "::" + optionSection).c_str());
    return list;
}

CFileItemArray& CSetupDoc::GetInstallFiles() {
    if (!m_arrFileItems.empty() || m_bListsRead) return m_arrFileItems;
    // The option's own section of files to install is spelt "InstallFIles".
    Gather(m_arrFileItems, "InstallFiles", "InstallFIles", ReadFileItems);
    if (m_bUninstall) {
        auto uninstaller = std::make_unique<CFileItem>();
        static_cast<core::FileItemFields&>(*uninstaller) = core::UninstallerFileItem(m_strUninstallerTitle);
        m_arrFileItems.push_back(uninstaller.get());
        uninstaller.release();
    }
    return m_arrFileItems;
}

CIniItemArray& CSetupDoc::GetIniUpdates() { return Gather(m_arrIniItems, "IniUpdates", "IniUpdates", ReadIniItems); }

CRegItemArray& CSetupDoc::GetRegUpdates() { return Gather(m_arrRegItems, "RegUpdates", "RegUpdates", ReadRegItems); }

CExeItemArray& CSetupDoc::GetExecutes() { return Gather(m_arrExeItems, "Executes", "Executes", ReadExeItems); }

COcxItemArray& CSetupDoc::GetRegisterOcx() {
    return Gather(m_arrOcxItems, "RegisterOcx", "RegisterOcx", ReadOcxItems);
}

CAutomationItemArray& CSetupDoc::GetRegisterAutomation() {
    return Gather(m_arrAutomationItems, "RegisterAutomation", "RegisterAutomation", ReadAutomationItems);
}

CComItemArray& CSetupDoc::GetRegisterCom() {
    return Gather(m_arrComItems, "RegisterCom", "RegisterCom", ReadComItems);
}

CShortcutItemArray& CSetupDoc::GetShortcuts() {
    return Gather(m_arrShortcutItems, "MakeShortCut", "MakeShortCut", ReadShortcutItems);
}

void CSetupDoc::ReadAllLists() {
    GetInstallFiles();
    GetIniUpdates();
    GetRegUpdates();
    GetExecutes();
    GetRegisterOcx();
    GetRegisterAutomation();
    GetRegisterCom();
    GetShortcuts();
    m_bListsRead = true;
    ForgetParsedScripts();  // nothing reads the script's items any more
}
