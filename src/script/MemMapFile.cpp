#include "script/MemMapFile.h"

#include "core/MemoryReader.h"
#include "common/SetupMessageBox.h"

CAsyncMemFile::~CAsyncMemFile() {
    CAsyncMemFile::Close();
}

std::unique_ptr<CAsyncMemFile> CAsyncMemFile::Duplicate() const {
    auto copy = std::make_unique<CAsyncMemFile>();
    copy->Open(m_strFileName, m_nMode);
    return copy;
}

int CAsyncMemFile::Open(const std::string& name, int mode) {
    if (m_bOpen) return 0;
    m_strFileName = name;
    m_nMode = mode;
    m_pData = nullptr;
    m_nLength = m_nDataSize = m_nPosition = 0;
    m_bOpen = 1;
    OnOpen();
    return 1;
}

int CAsyncMemFile::GetPosition() { return m_nPosition; }

int CAsyncMemFile::Seek(int offset, int origin) {
    m_nPosition = core::SeekPosition(m_nPosition, m_nLength, offset, origin);
    return m_nPosition;
}

const char* CAsyncMemFile::GetCurrentPointer() {
    return m_pData != nullptr && m_nPosition >= 0 ? m_pData + m_nPosition : nullptr;
}

void CAsyncMemFile::SetLength(int) {
    SetupMessageBox("Sorry CAsyncMemFile::SetLength() is not implemented", MB_OK);
}

int CAsyncMemFile::GetLength() { return m_nLength; }

int CAsyncMemFile::GetDataSize() { return m_nDataSize; }

int CAsyncMemFile::Read(void* buffer, int count) {
    return core::ReadBytesAt(Data(), m_nPosition, buffer, count);
}

int CAsyncMemFile::ReadLine(std::string& line) {
    return core::ReadLineAt(Data(), m_nPosition, line);
}

int CAsyncMemFile::ReadLong(std::int32_t& value) {
    return core::ReadFixedAt(Data(), m_nPosition, &value, sizeof value);
}

int CAsyncMemFile::ReadShort(std::int16_t& value) {
    return core::ReadFixedAt(Data(), m_nPosition, &value, sizeof value);
}

int CAsyncMemFile::ReadByte(std::uint8_t& value) {
    return core::ReadFixedAt(Data(), m_nPosition, &value, sizeof value);
}

void CAsyncMemFile::Close() {
    if (m_bOpen) OnClose();
    m_bOpen = 0;
    m_pData = nullptr;
    m_nLength = m_nDataSize = m_nPosition = 0;
}

std::string_view CAsyncMemFile::Data() const {
    if (!m_bOpen || m_pData == nullptr) return {};
    return std::string_view(m_pData, static_cast<size_t>(m_nDataSize));
}

void CAsyncMemFile::SetData(const char* data, int size) {
    m_pData = data;
    m_nLength = m_nDataSize = size;
    m_nPosition = 0;
}

CMemMapFile::CMemMapFile(const std::string& name, int mode) {
    CMemMapFile::Open(name, mode);
}

CMemMapFile::~CMemMapFile() {
    CMemMapFile::Close();
}

std::unique_ptr<CAsyncMemFile> CMemMapFile::Duplicate() const {
    return std::make_unique<CMemMapFile>(m_strFileName, m_nMode);
}

int CMemMapFile::Open(const std::string& name, int mode) {
    if (!CAsyncMemFile::Open(name, mode)) return 0;

    for (;;) {
        m_hFile = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
        if (m_hFile != INVALID_HANDLE_VALUE) break;
        const std::string message = "Can not open <" + name + ">!>";
        switch (SetupMessageBox(message.c_str(), MB_ABORTRETRYIGNORE | MB_ICONEXCLAMATION)) {
            case IDABORT: ExitProcess(1);
            case IDRETRY: continue;
            default: return 0;  // Ignore: an open file without data
        }
    }

    DWORD sizeHigh = 0;
    const DWORD size = GetFileSize(m_hFile, &sizeHigh);
    if (sizeHigh != 0 || size > 0x7FFFFFFF) return 0;  // also INVALID_FILE_SIZE
    if (size == 0) return 1;  // an empty file has nothing to map

    m_hMapping = CreateFileMappingA(m_hFile, nullptr, PAGE_READONLY, 0, 0, nullptr);
    if (m_hMapping == nullptr) return 0;
    const void* view = MapViewOfFile(m_hMapping, FILE_MAP_READ, 0, 0, 0);
    if (view == nullptr) return 0;
    SetData(static_cast<const char*>(view), static_cast<int>(size));
    return 1;
}

void CMemMapFile::Close() {
    if (m_bOpen) {
        if (m_pData != nullptr) UnmapViewOfFile(m_pData);
        if (m_hMapping != nullptr) CloseHandle(m_hMapping);
        if (m_hFile != INVALID_HANDLE_VALUE) CloseHandle(m_hFile);
        m_hMapping = nullptr;
        m_hFile = INVALID_HANDLE_VALUE;
    }
    CAsyncMemFile::Close();
}
