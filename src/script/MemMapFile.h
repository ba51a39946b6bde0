#pragma once
// Read-only files held in memory with a read position. CMemMapFile maps a file
// on disk; the script's own INI parser reads SETUP.INF through it line by line.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class CAsyncMemFile {
public:
    CAsyncMemFile() = default;
    CAsyncMemFile(const CAsyncMemFile&) = delete;
    CAsyncMemFile& operator=(const CAsyncMemFile&) = delete;
    virtual ~CAsyncMemFile();

    // A new object of the same class, opened on the same name and mode.
    virtual std::unique_ptr<CAsyncMemFile> Duplicate() const;
    // Marks the file open (0 when it is open already); a derived class then
    // fills in the data.
    virtual int Open(const std::string& name, int mode = 0);
    virtual int GetPosition();
    // Origin 0: from the start, 1: from the position, 2: back from the last
    // byte. A position outside the data becomes -1 (invalid).
    virtual int Seek(int offset, int origin);
    // The data at the position; nullptr without data or with an invalid position.
    virtual const char* GetCurrentPointer();
    // Not supported: tells the user so and changes nothing.
    virtual void SetLength(int length);
    virtual int GetLength();
    virtual int GetDataSize();
    virtual int Read(void* buffer, int count);
    // One line without its terminator (0, LF or CR); returns its length.
    virtual int ReadLine(std::string& line);
    // Fixed-size reads in the machine's byte order: the size read, or 0 when
    // fewer bytes remain.
    virtual int ReadLong(std::int32_t& value);
    virtual int ReadShort(std::int16_t& value);
    virtual int ReadByte(std::uint8_t& value);
    virtual void Close();

protected:
    virtual void OnOpen() {}
    virtual void OnClose() {}
    // The readable bytes: none unless the file is open.
    std::string_view Data() const;
    // Hands the bytes to read to the object and moves to their start.
    void SetData(const char* data, int size);

    std::string m_strFileName;
    int m_nMode = 0;
    int m_bOpen = 0;
    const char* m_pData = nullptr;
    int m_nLength = 0;
    int m_nDataSize = 0;
    int m_nPosition = 0;
};

class CMemMapFile : public CAsyncMemFile {
public:
    // Opens the file at once (see Open).
    explicit CMemMapFile(const std::string& name, int mode = 0);
    ~CMemMapFile() override;

    std::unique_ptr<CAsyncMemFile> Duplicate() const override;
    // Maps the whole file for reading (only reading is supported, whatever the
    // mode). When the file cannot be opened the user chooses: Abort ends the
    // process, Retry tries again, Ignore returns 0 and leaves an open, empty file.
    // An empty file opens with length 0. Returns 1 when the file is open.
    int Open(const std::string& name, int mode = 0) override;
    void Close() override;

private:
    HANDLE m_hFile = INVALID_HANDLE_VALUE;
    HANDLE m_hMapping = nullptr;
};
