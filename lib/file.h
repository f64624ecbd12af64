// swCFile: the library's file over a system handle; failures throw swCFileError.
#pragma once

#include "platform/kernel/windef.h"

class swCFile {
public:
    swCFile() = default;
    // Opens name. Modes: 0 read (must exist), 1 write (created or truncated), 2 write (created
    // or kept, not truncated), 3 read and write (created or kept); other values open as 0.
    // A failed open throws swCFileError code 0 with the name as caption.
    swCFile(const char* name, int mode);
    swCFile(const swCFile&) = delete;
    swCFile& operator=(const swCFile&) = delete;

    // Returns the bytes read; fewer than count only at the end of the file.
    virtual DWORD Read(void* buffer, DWORD count);
    virtual DWORD Write(const void* buffer, DWORD count);
    // Origin 0 from the start, 1 from the current position, 2 from the end; returns the new
    // position. A failed seek closes the handle.
    virtual DWORD Seek(LONG offset, int origin);
    virtual ~swCFile();

    DWORD fileRead(void* buffer, DWORD count) { return Read(buffer, count); }
    DWORD fileWrite(const void* buffer, DWORD count) { return Write(buffer, count); }
    DWORD fileSeek(LONG offset, int origin) { return Seek(offset, origin); }
    DWORD fileGetSize();
    // Puts what was written on the disk before it returns; a failure throws code 2 (write).
    void fileFlush();
    void fileClose();

    bool isOpen() const { return m_handle != nullptr; }
    HANDLE handle() const { return m_handle; }

private:
    HANDLE m_handle = nullptr;
};

// True when name is an existing file (not a folder).
bool fileExists(const char* name);
