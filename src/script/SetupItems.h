#pragma once
// The records of the item sections of SETUP.INF: one record per line. Their
// fields are filled from the line by the portable parts in core; the lists that
// hold them own them.
#include "core/GetField.h"
#include "core/ItemRecords.h"

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

using core::FILEITEM_SHAREDDLL;
using core::FILEITEM_UNINSTALL;
using core::GetField;

// A file to install (section InstallFiles and its kin).
class CFileItem : public core::FileItemFields {
public:
    CFileItem() = default;
    CFileItem(std::string_view key, std::string_view value) : FileItemFields(key, value) {}
    virtual ~CFileItem() = default;
};

// An INI file update.
class CIniItem : public core::IniItemFields {
public:
    using IniItemFields::IniItemFields;
    virtual ~CIniItem() = default;
};

// A registry update; the key of its line names the root.
class CRegItem {
public:
    CRegItem(std::string_view key, std::string_view value);
    virtual ~CRegItem() = default;

    HKEY m_hRootKey;
    std::string m_strSubKey;
    std::string m_strValueName;
    DWORD m_dwType;
    std::string m_strData;
    int m_nKeepExisting;
};

// A program to run.
class CExeItem : public core::ExeItemFields {
public:
    using ExeItemFields::ExeItemFields;
    virtual ~CExeItem() = default;
};

// An OCX control to register.
class COcxItem : public core::OcxItemFields {
public:
    using OcxItemFields::OcxItemFields;
    virtual ~COcxItem() = default;
};

// An OLE automation server to register.
class CAutomationItem : public core::AutomationItemFields {
public:
    using AutomationItemFields::AutomationItemFields;
    virtual ~CAutomationItem() = default;
};

// COM registration: its sections yield no records.
class CComItem {
public:
    virtual ~CComItem() = default;
};

// A free shortcut.
class CShortcutItem : public core::ShortcutItemFields {
public:
    using ShortcutItemFields::ShortcutItemFields;
    virtual ~CShortcutItem() = default;
};

// A text drawn on the background.
class CLogoItem : public core::LogoItemFields {
public:
    using LogoItemFields::LogoItemFields;
};

// An install option.
class COptionItem : public core::OptionItemFields {
public:
    using OptionItemFields::OptionItemFields;
    virtual ~COptionItem() = default;
};

// Lists of records; the holder of a list owns its records.
using CFileItemArray = std::vector<CFileItem*>;
using CIniItemArray = std::vector<CIniItem*>;
using CRegItemArray = std::vector<CRegItem*>;
using CExeItemArray = std::vector<CExeItem*>;
using COcxItemArray = std::vector<COcxItem*>;
using CAutomationItemArray = std::vector<CAutomationItem*>;
using CComItemArray = std::vector<CComItem*>;
using CShortcutItemArray = std::vector<CShortcutItem*>;
using CLogoItemArray = std::vector<CLogoItem*>;
using COptionItemArray = std::vector<COptionItem*>;
