#include "script/SetupItems.h"

#include "core/AtoiNumber.h"

namespace {

HKEY RootKey(core::RegRoot root) {
    switch (root) {
        case core::RegRoot::ClassesRoot: return HKEY_CLASSES_ROOT;
        case core::RegRoot::LocalMachine: return HKEY_LOCAL_MACHINE;
        case core::RegRoot::Users: return HKEY_USERS;
        case core::RegRoot::CurrentUser: break;
    }
    return HKEY_CURRENT_USER;
}

}  // namespace

CRegItem::CRegItem(std::string_view key, std::string_view value)
    : m_hRootKey(RootKey(core::RegRootFromName(key))),
      m_strSubKey(GetField(value, 0, "", ",")),
      m_strValueName(GetField(value, 1, "", ",")),
      m_dwType(core::RegTypeFromKeyword(GetField(value, 2, "", ","))),
      m_strData(GetField(value, 3, "", ",")),
      m_nKeepExisting(core::AtoiNumber(GetField(value, 4, "", ","))) {}
