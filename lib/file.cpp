// swCFile over the kernel's file calls.
#include "lib/file.h"

#include "lib/error.h"
#include "platform/kernel/winbase.h"

namespace {

struct OpenMode {
    DWORD access;
    DWORD sharing;
    DWORD disposition;
};

// Mode 2 keeps what the file held past the bytes written: callers that rewrite a whole file
// use mode 1 so no stale tail of a longer old version survives.
constexpr OpenMode kModes[] = {
    { GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING },
    { GENERIC_WRITE, 0, CREATE_ALWAYS },
    { GENERIC_WRITE, 0, OPEN_ALWAYS },
    { GENERIC_READ | GENERIC_WRITE, 0, OPEN_ALWAYS },
};

} // namespace

swCFile::swCFile(const char* name, int mode)
{
    const OpenMode& m = kModes[mode >= 0 && mode < 4 ? mode : 0];
    HANDLE h = CreateFileA(name, m.access, m.sharing, nullptr, m.disposition,
        FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (h == INVALID_HANDLE_VALUE || h == nullptr)
        throw new swCFileError(0, name);
    m_handle = h;
}

swCFile::~swCFile()
{
    // A destructor cannot report a failed close; the handle is gone either way.
    if (m_handle)
        CloseHandle(m_handle);
}

DWORD swCFile::Read(void* buffer, DWORD count)
{
    DWORD done = 0;
    if (!ReadFile(m_handle, buffer, count, &done, nullptr))
        throw new swCFileError(1);
    return done;
}

DWORD swCFile::Write(const void* buffer, DWORD count)
{
    DWORD done = 0;
    if (!WriteFile(m_handle, buffer, count, &done, nullptr))
        throw new swCFileError(2);
    return done;
}

DWORD swCFile::Seek(LONG offset, int origin)
{
    DWORD position = SetFilePointer(m_handle, offset, nullptr, DWORD(origin));
    if (position == INVALID_SET_FILE_POINTER) {
        if (m_handle)
            CloseHandle(m_handle);
        m_handle = nullptr;
        throw new swCFileError(3);
    }
    return position;
}

DWORD swCFile::fileGetSize()
{
    DWORD size = GetFileSize(m_handle, nullptr);
    if (size == INVALID_FILE_SIZE)
        throw new swCFileError(5);
    return size;
}

void swCFile::fileFlush()
{
    if (!FlushFileBuffers(m_handle))
        throw new swCFileError(2);
}

void swCFile::fileClose()
{
    if (!m_handle)
        return;
    if (!CloseHandle(m_handle))
        throw new swCFileError(4);
    m_handle = nullptr;
}

bool fileExists(const char* name)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(name, &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    FindClose(search);
    return !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}
