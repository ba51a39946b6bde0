#include "uninstall/UninstallRecord.h"

#include "core/UninstallRecordText.h"
#include "script/PathMacros.h"
#include "script/Profile.h"

#include <windows.h>

namespace {

// Section of the record file per counter; the directory notes have theirs in WIN.INI.
constexpr const char* kSectionNames[] = {
    "DeleteFile",       "DeleteShortCut",   "UnregisterOcx",     "UnregisterAutomation", "DeleteIniFile",
    "DeleteIniSection", "DeleteIniKeyword", "DeleteIniValue",    "DeleteProgramGroup",   nullptr,
    "RestoreIniValue",  "DeleteRegValue",   "DeleteRegKey",      "RestoreRegValue",      "ReleaseSharedFile",
    "DeleteProgramItem",
};

// File, section and key of an INI update, each expanded, joined with commas (quoted
// where a field holds a comma or a quote, so that the uninstaller reads them back).
std::string IniFileSectionKey(const CIniItem& item) {
    return core::RecordFields({Expanded(item.m_strFile), Expanded(item.m_strSection), Expanded(item.m_strKey)});
}

}  // namespace

void CUninstallRecord::Note(Counter counter, const std::string& value) {
    const std::string key = core::RecordEntryKey(m_nNextKey[counter]++);
    const bool directoryNote = counter == kDirectoryNotes;
    const std::string file = directoryNote ? std::string(kDirectoryNotesFile) : m_settings.recordPath;
    if (file.empty()) return;  // an empty name would be the program's own INI file
    CIniProfile profile(file);
    profile.SetSection(directoryNote ? kDirectoryNotesSection : kSectionNames[counter]);
    profile.WriteString(key.c_str(), value.c_str());
}

void CUninstallRecord::NoteLater(Counter counter, const std::string& value) {
    if (m_settings.enabled) m_laterNotes.emplace_back(counter, value);
}

void CUninstallRecord::RecordDeleteFile(const std::string& path) {
    if (m_settings.enabled) Note(kDeleteFile, path);
}

void CUninstallRecord::RecordDeleteShortcut(const std::string& linkPath) {
    if (m_settings.enabled) Note(kDeleteShortCut, linkPath);
}

void CUninstallRecord::RecordUnregisterOcx(const COcxItem& item) {
    if (m_settings.enabled && item.m_bRecordUninstall) Note(kUnregisterOcx, Expanded(item.m_strPath));
}

void CUninstallRecord::RecordUnregisterAutomation(const CAutomationItem& item) {
    if (m_settings.enabled && (item.m_nFlags & core::AUTOMATIONITEM_UNINSTALL))
        Note(kUnregisterAutomation, Expanded(item.m_strPath));
}

void CUninstallRecord::RecordCreatedDirectory(const std::string& path) {
    if (m_settings.enabled) Note(kDirectoryNotes, path);
}

void CUninstallRecord::RecordDeleteIniFile(const std::string& path) {
    if (m_settings.enabled) Note(kDeleteIniFile, path);
}

void CUninstallRecord::RecordDeleteIniSection(const CIniItem& item) {
    if (m_settings.enabled)
        Note(kDeleteIniSection, core::RecordFields({Expanded(item.m_strFile), Expanded(item.m_strSection)}));
}

void CUninstallRecord::RecordDeleteIniKeyword(const CIniItem& item) {
    if (m_settings.enabled) Note(kDeleteIniKeyword, IniFileSectionKey(item));
}

void CUninstallRecord::RecordDeleteIniValue(const CIniItem& item) {
    if (m_settings.enabled) Note(kDeleteIniValue, IniFileSectionKey(item));
}

void CUninstallRecord::RecordDeleteProgramGroup(const std::string& name) {
    if (m_settings.enabled) Note(kDeleteProgramGroup, name);
}

void CUninstallRecord::RecordRestoreIniValue(const std::string& file, const std::string& section,
                                             const std::string& key, const std::string& oldValue) {
    NoteLater(kRestoreIniValue, core::RestoreIniValueNote(file, section, key, oldValue));
}

void CUninstallRecord::RecordDeleteRegValue(const std::string& keyPath, const std::string& valueName) {
    NoteLater(kDeleteRegValue, core::DeleteRegValueNote(keyPath, valueName));
}

void CUninstallRecord::RecordDeleteRegKey(const std::string& keyPath) { NoteLater(kDeleteRegKey, keyPath); }

void CUninstallRecord::RecordRestoreRegValue(const std::string& keyPath, const std::string& valueName,
                                             std::uint32_t type, const std::string& oldData) {
    std::string note;
    // Data that no line of the record can hold (a text with a line break) cannot come back.
    if (core::RestoreRegValueNote(keyPath, valueName, type, oldData, note)) NoteLater(kRestoreRegValue, note);
}

void CUninstallRecord::RecordReleaseSharedFile(const std::string& path) { NoteLater(kReleaseSharedFile, path); }

void CUninstallRecord::RecordDeleteProgramItem(const std::string& group, const std::string& title) {
    NoteLater(kDeleteProgramItem, core::DeleteProgramItemNote(group, title));
}

void CUninstallRecord::WriteUninstallRecord() {
    if (!m_settings.enabled) return;

    // Without a name the key path would be the uninstall list itself: values written
    // there belong to no program, and an uninstaller removing "its" key would take
    // every program's entry with it. Such a record names no key.
    const bool hasKey = !m_settings.uninstallKey.empty();
    const std::string keyPath = core::UninstallKeyPath(m_settings.uninstallKey);
    if (hasKey) WriteRegistryEntry(keyPath);

    MoveDirectoryNotes();

    if (!m_settings.recordPath.empty()) {
        CIniProfile record(m_settings.recordPath);
        record.SetSection("Config");
        record.WriteString("Product", m_settings.product.c_str());
        if (hasKey) record.WriteString("Reg", keyPath.c_str());
    }
    for (const auto& [counter, value] : m_laterNotes) Note(counter, value);
    m_laterNotes.clear();

    const std::string recordFile = Expanded(core::kUninstallRecordFile);
    RecordDeleteFile(recordFile);
    const DWORD attributes = GetFileAttributesA(recordFile.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        // FILE_ATTRIBUTE_NORMAL is valid only alone.
        const DWORD hidden = (attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_NORMAL)) | FILE_ATTRIBUTE_HIDDEN;
        SetFileAttributesA(recordFile.c_str(), hidden);
    }
}

void CUninstallRecord::WriteRegistryEntry(const std::string& keyPath) {
    CRegProfile entry(keyPath, HKEY_LOCAL_MACHINE);
    entry.WriteString("DisplayName", m_settings.product.c_str());
    entry.WriteString("UninstallString", Expanded(core::kUninstallCommandLine).c_str());
}

void CUninstallRecord::MoveDirectoryNotes() {
    CIniProfile notes(kDirectoryNotesFile);
    notes.SetSection(kDirectoryNotesSection);
    if (!m_settings.recordPath.empty()) {
        CIniProfile record(m_settings.recordPath);
        record.SetSection("DeleteDirectory");
        const int count = notes.GetKeyCount();
        for (int index = 0; index < count; ++index) {
            std::string key;
            if (!notes.GetKeyAt(index, key)) continue;
            // Notes left by an installation that never completed are not this one's.
            if (!core::IsRecordEntryKeyBelow(key, m_nNextKey[kDirectoryNotes])) continue;
            const std::string path = notes.GetStringAt(index, "");
            if (!path.empty()) record.WriteString(key.c_str(), path.c_str());
        }
    }
    notes.WriteString("", "");  // removes the section
}
