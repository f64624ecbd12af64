// File handles: CreateFileA, ReadFile, WriteFile, SetFilePointer, GetFileSize, SetEndOfFile.
#include "platform/kernel/files.h"
#include "platform/kernel/handle_table.h"
#include "platform/kernel/host.h"
#include "platform/kernel/internal.h"
#include "platform/kernel/winbase.h"

#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

struct FileObject {
    int fd = -1;
    bool canRead = false;
    bool canWrite = false;
    ~FileObject()
    {
        if (fd >= 0)
            close(fd);
    }
};

HandleTable<FileObject>& fileTable()
{
    static auto* table = new HandleTable<FileObject>(HandleKind::File);
    return *table;
}

std::shared_ptr<FileObject> fileFromHandle(HANDLE handle)
{
    std::shared_ptr<FileObject> file = fileTable().get(handleValue(handle));
    if (!file)
        SetLastError(ERROR_INVALID_HANDLE);
    return file;
}

BOOL fail(DWORD error)
{
    SetLastError(error);
    return FALSE;
}

int openRetrying(const std::string& path, int flags, mode_t mode)
{
    int fd;
    do
        fd = open(path.c_str(), flags | O_CLOEXEC, mode);
    while (fd < 0 && errno == EINTR);
    return fd;
}

} // namespace

bool closeFileHandle(uintptr_t value) { return fileTable().remove(value) != nullptr; }

} // namespace platform

using namespace platform;

HANDLE CreateFileA(LPCSTR lpFileName, DWORD dwDesiredAccess, DWORD, LPSECURITY_ATTRIBUTES,
    DWORD dwCreationDisposition, DWORD dwFlagsAndAttributes, HANDLE)
{
    if (!lpFileName || !*lpFileName) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    bool read = dwDesiredAccess & (GENERIC_READ | GENERIC_ALL);
    bool write = dwDesiredAccess & (GENERIC_WRITE | GENERIC_ALL);
    bool truncates = dwCreationDisposition == CREATE_ALWAYS || dwCreationDisposition == TRUNCATE_EXISTING;
    if (dwCreationDisposition < CREATE_NEW || dwCreationDisposition > TRUNCATE_EXISTING
        || (dwCreationDisposition == TRUNCATE_EXISTING && !write)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    // The host needs write access to truncate, even where the caller only asked to read. Opening
    // never waits: a named pipe in a file's place would block until a writer came.
    int flags = ((write || truncates) ? (read || !write ? O_RDWR : O_WRONLY) : O_RDONLY) | O_NONBLOCK;
    mode_t mode = (dwFlagsAndAttributes & FILE_ATTRIBUTE_READONLY) ? 0444 : 0666;
    std::string path = hostPath(lpFileName);

    bool existed = false;
    int fd = -1;
    switch (dwCreationDisposition) {
    case CREATE_NEW:
        fd = openRetrying(path, flags | O_CREAT | O_EXCL, mode);
        break;
    case CREATE_ALWAYS:
    case OPEN_ALWAYS:
        // Exclusive first, so "existed" is decided by the same call that opens.
        fd = openRetrying(path, flags | O_CREAT | O_EXCL, mode);
        if (fd < 0 && errno == EEXIST) {
            existed = true;
            fd = openRetrying(path, flags | (truncates ? O_TRUNC : 0), 0);
        }
        break;
    case OPEN_EXISTING:
        fd = openRetrying(path, flags, 0);
        break;
    case TRUNCATE_EXISTING:
        fd = openRetrying(path, flags | O_TRUNC, 0);
        break;
    }
    if (fd < 0) {
        SetLastError(errno == EEXIST ? ERROR_FILE_EXISTS : errorFromErrno(errno, path));
        return INVALID_HANDLE_VALUE;
    }
    // Only regular files: a folder is refused as the original platform refuses it, and a pipe or a
    // device (one endless, like /dev/zero) is no file of the game's.
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
        close(fd);
        SetLastError(S_ISDIR(st.st_mode) ? ERROR_ACCESS_DENIED : ERROR_NOT_SUPPORTED);
        return INVALID_HANDLE_VALUE;
    }
    auto file = std::make_shared<FileObject>();
    file->fd = fd;
    file->canRead = read;
    file->canWrite = write;
    HANDLE handle = makeHandle<HANDLE>(fileTable().add(std::move(file)));
    SetLastError(existed ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    return handle;
}

BOOL ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead, LPDWORD lpNumberOfBytesRead,
    LPOVERLAPPED lpOverlapped)
{
    auto file = fileFromHandle(hFile);
    if (!file)
        return FALSE;
    if (lpNumberOfBytesRead)
        *lpNumberOfBytesRead = 0;
    if (lpOverlapped || !lpNumberOfBytesRead || (!lpBuffer && nNumberOfBytesToRead))
        return fail(ERROR_INVALID_PARAMETER);
    if (!file->canRead)
        return fail(ERROR_ACCESS_DENIED);
    // A short count means the end of the file, never a partial host read.
    DWORD done = 0;
    while (done < nNumberOfBytesToRead) {
        ssize_t got = read(file->fd, static_cast<char*>(lpBuffer) + done, nNumberOfBytesToRead - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            *lpNumberOfBytesRead = done;
            return failFromErrno();
        }
        if (got == 0)
            break;
        done += DWORD(got);
    }
    *lpNumberOfBytesRead = done;
    return TRUE;
}

BOOL WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite, LPDWORD lpNumberOfBytesWritten,
    LPOVERLAPPED lpOverlapped)
{
    auto file = fileFromHandle(hFile);
    if (!file)
        return FALSE;
    if (lpNumberOfBytesWritten)
        *lpNumberOfBytesWritten = 0;
    if (lpOverlapped || !lpNumberOfBytesWritten || (!lpBuffer && nNumberOfBytesToWrite))
        return fail(ERROR_INVALID_PARAMETER);
    if (!file->canWrite)
        return fail(ERROR_ACCESS_DENIED);
    DWORD done = 0;
    while (done < nNumberOfBytesToWrite) {
        ssize_t put = write(file->fd, static_cast<const char*>(lpBuffer) + done, nNumberOfBytesToWrite - done);
        if (put < 0 && errno == EINTR)
            continue;
        if (put < 0) {
            *lpNumberOfBytesWritten = done;
            return failFromErrno();
        }
        done += DWORD(put);
    }
    *lpNumberOfBytesWritten = done;
    return TRUE;
}

DWORD SetFilePointer(HANDLE hFile, LONG lDistanceToMove, LONG* lpDistanceToMoveHigh, DWORD dwMoveMethod)
{
    auto file = fileFromHandle(hFile);
    if (!file)
        return INVALID_SET_FILE_POINTER;
    int64_t distance = lpDistanceToMoveHigh ? int64_t(uint64_t(uint32_t(*lpDistanceToMoveHigh)) << 32 | uint32_t(lDistanceToMove))
                                            : int64_t(lDistanceToMove);
    int64_t base;
    switch (dwMoveMethod) {
    case FILE_BEGIN:
        base = 0;
        break;
    case FILE_CURRENT:
        base = lseek(file->fd, 0, SEEK_CUR);
        break;
    case FILE_END: {
        struct stat st;
        base = fstat(file->fd, &st) == 0 ? int64_t(st.st_size) : -1;
        break;
    }
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_SET_FILE_POINTER;
    }
    if (base < 0) {
        failFromErrno();
        return INVALID_SET_FILE_POINTER;
    }
    if ((distance < 0 && base + distance < 0) || (distance > 0 && base > INT64_MAX - distance)) {
        SetLastError(ERROR_NEGATIVE_SEEK);
        return INVALID_SET_FILE_POINTER;
    }
    int64_t target = base + distance;
    // Without a high part the caller can only see positions below 4 GiB - 1.
    if (!lpDistanceToMoveHigh && target >= int64_t(INVALID_SET_FILE_POINTER)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_SET_FILE_POINTER;
    }
    if (lseek(file->fd, off_t(target), SEEK_SET) < 0) {
        failFromErrno();
        return INVALID_SET_FILE_POINTER;
    }
    if (lpDistanceToMoveHigh)
        *lpDistanceToMoveHigh = LONG(target >> 32);
    // A low part equal to INVALID_SET_FILE_POINTER is told apart by the last error.
    SetLastError(ERROR_SUCCESS);
    return DWORD(target);
}

DWORD GetFileSize(HANDLE hFile, LPDWORD lpFileSizeHigh)
{
    auto file = fileFromHandle(hFile);
    if (!file)
        return INVALID_FILE_SIZE;
    struct stat st;
    if (fstat(file->fd, &st) != 0) {
        failFromErrno();
        return INVALID_FILE_SIZE;
    }
    uint64_t size = uint64_t(st.st_size);
    if (lpFileSizeHigh)
        *lpFileSizeHigh = DWORD(size >> 32);
    SetLastError(ERROR_SUCCESS);
    return DWORD(size);
}

BOOL SetEndOfFile(HANDLE hFile)
{
    auto file = fileFromHandle(hFile);
    if (!file)
        return FALSE;
    if (!file->canWrite)
        return fail(ERROR_ACCESS_DENIED);
    off_t position = lseek(file->fd, 0, SEEK_CUR);
    if (position < 0 || ftruncate(file->fd, position) != 0)
        return failFromErrno();
    return TRUE;
}

BOOL FlushFileBuffers(HANDLE hFile)
{
    auto file = fileFromHandle(hFile);
    if (!file)
        return FALSE;
    if (!file->canWrite)
        return fail(ERROR_ACCESS_DENIED);
    if (fsync(file->fd) != 0)
        return failFromErrno();
    return TRUE;
}
