// Operations on files and folders by name: delete, move, copy, folders and attributes.
#include "platform/kernel/host.h"
#include "platform/kernel/internal.h"
#include "platform/kernel/winbase.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

BOOL failWith(DWORD error)
{
    SetLastError(error);
    return FALSE;
}

bool statPath(const std::string& path, struct stat& st) { return stat(path.c_str(), &st) == 0; }

// A rename is on the disk once the folder that holds the name is. A folder that may be written but
// not read cannot be opened to be synced: the rename is done all the same, and saying it failed
// would tell the caller that the old name still holds the file.
bool syncFolderOf(const std::string& path)
{
    size_t slash = path.find_last_of('/');
    std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errno == EACCES;
    bool synced = fsync(fd) == 0;
    close(fd);
    return synced;
}

// Renames onto a name that must stay free. Where the file system refuses the no-replace flag (NFS,
// 9p and ecryptfs answer EINVAL), a hard link to the new name, which fails on a name that exists,
// then the old name's removal; where links are refused as well, a check just before a plain rename.
// Either way an existing file of the new name is never replaced. Sets errno.
int renameNoReplace(const std::string& from, const std::string& to)
{
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return -1;
    if (link(from.c_str(), to.c_str()) == 0) {
        if (unlink(from.c_str()) == 0)
            return 0;
        const int error = errno;
        unlink(to.c_str());
        errno = error;
        return -1;
    }
    if (errno == EEXIST || (errno != EPERM && errno != ENOTSUP && errno != EOPNOTSUPP))
        return -1;
    struct stat st;
    if (lstat(to.c_str(), &st) == 0) {
        errno = EEXIST;
        return -1;
    }
    return rename(from.c_str(), to.c_str());
}

// Copies the bytes, the permissions and the last write time; the target is made by this call.
bool copyContents(const std::string& from, const std::string& to, bool failIfExists)
{
    // As CreateFileA: only a regular file is copied, and opening a pipe does not wait for a writer.
    int in = open(from.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (in < 0) {
        platform::failFromErrno(from);
        return false;
    }
    struct stat st {};
    if (fstat(in, &st) != 0 || !S_ISREG(st.st_mode) || fcntl(in, F_SETFL, fcntl(in, F_GETFL) & ~O_NONBLOCK) != 0) {
        close(in);
        SetLastError(S_ISDIR(st.st_mode) ? ERROR_ACCESS_DENIED : ERROR_NOT_SUPPORTED);
        return false;
    }
    int out = open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | (failIfExists ? O_EXCL : 0), 0600);
    if (out < 0) {
        int error = errno;
        close(in);
        SetLastError(error == EEXIST ? ERROR_FILE_EXISTS : platform::errorFromErrno(error, to));
        return false;
    }
    char buffer[65536];
    bool ok = true;
    for (;;) {
        ssize_t got = read(in, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            ok = got == 0;
            break;
        }
        for (ssize_t done = 0; ok && done < got;) {
            ssize_t put = write(out, buffer + done, size_t(got - done));
            if (put < 0 && errno != EINTR)
                ok = false;
            else if (put > 0)
                done += put;
        }
        if (!ok)
            break;
    }
    if (ok) {
        timespec times[2] = { st.st_atim, st.st_mtim };
        futimens(out, times);
        fchmod(out, st.st_mode & 07777);
    } else {
        platform::failFromErrno(to);
    }
    close(in);
    if (close(out) != 0 && ok) {
        ok = false;
        platform::failFromErrno(to);
    }
    if (!ok)
        unlink(to.c_str());
    return ok;
}

} // namespace

using namespace platform;

BOOL DeleteFileA(LPCSTR lpFileName)
{
    if (!lpFileName || !*lpFileName)
        return failWith(ERROR_PATH_NOT_FOUND);
    std::string path = hostPath(lpFileName);
    struct stat st;
    if (!statPath(path, st))
        return failFromErrno(path);
    // Folders and read-only files are not deleted by this call.
    if (S_ISDIR(st.st_mode) || !(st.st_mode & S_IWUSR))
        return failWith(ERROR_ACCESS_DENIED);
    if (unlink(path.c_str()) != 0)
        return failFromErrno(path);
    return TRUE;
}

BOOL MoveFileA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName)
{
    return MoveFileExA(lpExistingFileName, lpNewFileName, 0);
}

BOOL MoveFileExA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, DWORD dwFlags)
{
    if (!lpExistingFileName || !lpNewFileName || !*lpExistingFileName || !*lpNewFileName)
        return failWith(ERROR_INVALID_PARAMETER);
    std::string from = hostPath(lpExistingFileName);
    std::string to = hostPath(lpNewFileName);
    struct stat source;
    if (!statPath(from, source))
        return failFromErrno(from);
    struct stat target;
    bool targetExists = statPath(to, target);
    // Renaming onto itself (only the letter case differs, or the very same name) is allowed.
    bool same = targetExists && target.st_dev == source.st_dev && target.st_ino == source.st_ino;
    if (targetExists && !same) {
        if (!(dwFlags & MOVEFILE_REPLACE_EXISTING))
            return failWith(ERROR_ALREADY_EXISTS);
        if (S_ISDIR(target.st_mode) || S_ISDIR(source.st_mode))
            return failWith(ERROR_ACCESS_DENIED);
    }
    // rename() replaces the target in one step, so saving through a temporary file is atomic.
    if ((targetExists ? rename(from.c_str(), to.c_str()) : renameNoReplace(from, to)) == 0) {
        if ((dwFlags & MOVEFILE_WRITE_THROUGH) && !syncFolderOf(to))
            return failFromErrno(to);
        return TRUE;
    }
    if (errno == EEXIST)
        return failWith(ERROR_ALREADY_EXISTS);
    if (errno == EXDEV) {
        if (!(dwFlags & MOVEFILE_COPY_ALLOWED) || S_ISDIR(source.st_mode))
            return failWith(ERROR_NOT_SAME_DEVICE);
        if (!copyContents(from, to, false))
            return FALSE;
        unlink(from.c_str());
        return TRUE;
    }
    return failFromErrno(to);
}

BOOL CopyFileA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, BOOL bFailIfExists)
{
    if (!lpExistingFileName || !lpNewFileName || !*lpExistingFileName || !*lpNewFileName)
        return failWith(ERROR_INVALID_PARAMETER);
    std::string from = hostPath(lpExistingFileName);
    std::string to = hostPath(lpNewFileName);
    struct stat source;
    struct stat target;
    if (statPath(from, source) && statPath(to, target) && source.st_dev == target.st_dev && source.st_ino == target.st_ino)
        return failWith(ERROR_SHARING_VIOLATION);
    return copyContents(from, to, bFailIfExists != FALSE) ? TRUE : FALSE;
}

BOOL CreateDirectoryA(LPCSTR lpPathName, LPSECURITY_ATTRIBUTES)
{
    if (!lpPathName || !*lpPathName)
        return failWith(ERROR_PATH_NOT_FOUND);
    std::string path = hostPath(lpPathName);
    if (mkdir(path.c_str(), 0777) != 0) {
        if (errno == ENOENT)
            return failWith(ERROR_PATH_NOT_FOUND);
        return failFromErrno(path);
    }
    return TRUE;
}

BOOL RemoveDirectoryA(LPCSTR lpPathName)
{
    if (!lpPathName || !*lpPathName)
        return failWith(ERROR_PATH_NOT_FOUND);
    std::string path = hostPath(lpPathName);
    if (rmdir(path.c_str()) != 0)
        return errno == ENOTDIR ? failWith(ERROR_DIRECTORY) : failFromErrno(path);
    return TRUE;
}

DWORD GetFileAttributesA(LPCSTR lpFileName)
{
    if (!lpFileName || !*lpFileName) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return INVALID_FILE_ATTRIBUTES;
    }
    std::string path = hostPath(lpFileName);
    struct stat st;
    if (!statPath(path, st)) {
        failFromErrno(path);
        return INVALID_FILE_ATTRIBUTES;
    }
    return attributesFromMode(st.st_mode);
}
