#pragma once
// The setup document: the settings of SETUP.INF, the wizard's answers and one
// owned list per item kind, each gathered at its first request.
#include "framework/Document.h"
#include "script/SetupItems.h"

#include <string>

class CSetupDoc : public fw::Document {
public:
    CSetupDoc();
    ~CSetupDoc() override;

    // Reads the settings (ReadSettings).
    BOOL OnNewDocument() override;
    // Logo and option lists and the Config keys of SETUP.INF; fails only when the
    // framework's own new-document processing fails.
    BOOL ReadSettings();

    const std::string& GetInstallDir() const { return m_strInstallDir; }
    // Also names UNINSTAL.INF in that directory.
    void SetInstallDir(const std::string& directory);
    const std::string& GetProduct() const { return m_strProduct; }
    const std::string& GetGroupName() const { return m_strGroupName; }
    // Also writes GroupName back into SETUP.INF; a failed write (read-only media) is ignored.
    void SetGroupName(const std::string& name);
    const std::string& GetOption() const { return m_strOption; }
    void SetOption(const std::string& name) { m_strOption = name; }
    BOOL IsUninstallEnabled() const { return m_bUninstall; }

    // The install options; read again from InstallOption while the list is empty.
    COptionItemArray& GetOptions();

    // Each list is read from the plain, the Common:: and the chosen option's
    // section at the first request that finds items; later requests return it unchanged.
    CFileItemArray& GetInstallFiles();
    CIniItemArray& GetIniUpdates();
    CRegItemArray& GetRegUpdates();
    CExeItemArray& GetExecutes();
    COcxItemArray& GetRegisterOcx();
    CAutomationItemArray& GetRegisterAutomation();
    CComItemArray& GetRegisterCom();
    CShortcutItemArray& GetShortcuts();
    // Reads every list now (the option chosen), while the media's first disk with the
    // script is surely in the drive; from then on no request reads the script again, even
    // for an empty list (a floppy set may have another disk in by then).
    void ReadAllLists();

    std::string m_strInstallDir;
    std::string m_strProduct;
    std::string m_strGroupName;
    COptionItemArray m_arrOptions;
    CFileItemArray m_arrFileItems;
    CIniItemArray m_arrIniItems;
    CRegItemArray m_arrRegItems;
    CExeItemArray m_arrExeItems;
    COcxItemArray m_arrOcxItems;
    CAutomationItemArray m_arrAutomationItems;
    CComItemArray m_arrComItems;
    CShortcutItemArray m_arrShortcutItems;
    bool m_bListsRead = false;  // ReadAllLists has run
    std::string m_strOption;
    int m_bShowChooseDirPage = 1;
    int m_bShowGroupNamePage = 1;
    int m_bShowUserNamePage = 1;
    int m_nUserNameMinLength = 0;
    int m_nUserNameMaxLength = 0;
    CLogoItemArray m_arrLogoItems;
    int m_bUninstall = 1;
    std::string m_strUninstallKey;
    std::string m_strUninstallInfPath;
    std::string m_strUninstallerTitle;

private:
    // Plain, Common:: and option section of one kind, through its reader.
    template <class Item>
    std::vector<Item*>& Gather(std::vector<Item*>& list, const char* section, const char* optionSection,
                               int (*read)(std::vector<Item*>&, const std::string&, const char*));
};
