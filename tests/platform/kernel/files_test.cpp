// File handles and file operations by name.
#include "temp_program_folder.h"

#include "platform/kernel/file_bytes.h"
#include "platform/kernel/ini_document.h"
#include "platform/kernel/winbase.h"

#include <gtest/gtest.h>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

// As a file system that refuses the no-replace rename (1), and hard links as well (2).
int g_refusedRenames = 0;

} // namespace

extern "C" int renameat2(int from_folder, const char* from, int to_folder, const char* to, unsigned int flags) __THROW
{
    if (g_refusedRenames && (flags & RENAME_NOREPLACE))
        return errno = EINVAL, -1;
    return int(syscall(SYS_renameat2, from_folder, from, to_folder, to, flags));
}

extern "C" int link(const char* from, const char* to) __THROW
{
    if (g_refusedRenames == 2)
        return errno = EPERM, -1;
    return int(syscall(SYS_linkat, AT_FDCWD, from, AT_FDCWD, to, 0));
}

namespace {

HANDLE openFile(const char* name, DWORD access, DWORD disposition)
{
    return CreateFileA(name, access, FILE_SHARE_READ, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

void writeText(HANDLE file, const std::string& text)
{
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(file, text.data(), DWORD(text.size()), &written, nullptr));
    ASSERT_EQ(written, text.size());
}

} // namespace

TEST(CreateFile, DispositionsReportWhetherTheFileExisted)
{
    TempProgramFolder folder;
    HANDLE file = openFile("a.txt", GENERIC_WRITE, OPEN_EXISTING);
    EXPECT_EQ(file, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(openFile("nofolder\\a.txt", GENERIC_WRITE, OPEN_EXISTING), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_PATH_NOT_FOUND));

    SetLastError(ERROR_ALREADY_EXISTS);
    file = openFile("a.txt", GENERIC_WRITE, CREATE_NEW);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_SUCCESS));
    writeText(file, "hello");
    CloseHandle(file);

    EXPECT_EQ(openFile("a.txt", GENERIC_WRITE, CREATE_NEW), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_EXISTS));

    file = openFile("a.txt", GENERIC_READ | GENERIC_WRITE, OPEN_ALWAYS);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ALREADY_EXISTS));
    EXPECT_EQ(GetFileSize(file, nullptr), 5u);
    CloseHandle(file);

    file = openFile("a.txt", GENERIC_WRITE, CREATE_ALWAYS);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ALREADY_EXISTS));
    EXPECT_EQ(GetFileSize(file, nullptr), 0u);
    CloseHandle(file);

    folder.write("b.txt", "12345");
    EXPECT_EQ(openFile("b.txt", GENERIC_READ, TRUNCATE_EXISTING), INVALID_HANDLE_VALUE);
    file = openFile("b.txt", GENERIC_WRITE, TRUNCATE_EXISTING);
    EXPECT_EQ(GetFileSize(file, nullptr), 0u);
    CloseHandle(file);

    CreateDirectoryA("dir", nullptr);
    EXPECT_EQ(openFile("dir", GENERIC_READ, OPEN_EXISTING), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ACCESS_DENIED));
}

TEST(ReadFile, ShortReadAtEndThenZero)
{
    TempProgramFolder folder;
    folder.write("r.bin", "abcdef");
    HANDLE file = openFile("r.bin", GENERIC_READ, OPEN_EXISTING);
    char buffer[16];
    DWORD got = 99;
    ASSERT_TRUE(ReadFile(file, buffer, 4, &got, nullptr));
    EXPECT_EQ(got, 4u);
    ASSERT_TRUE(ReadFile(file, buffer, 16, &got, nullptr));
    EXPECT_EQ(got, 2u);
    EXPECT_EQ(std::string(buffer, 2), "ef");
    ASSERT_TRUE(ReadFile(file, buffer, 16, &got, nullptr));
    EXPECT_EQ(got, 0u);
    // Read-only handles refuse writes; overlapped requests are refused.
    EXPECT_FALSE(WriteFile(file, "x", 1, &got, nullptr));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ACCESS_DENIED));
    OVERLAPPED overlapped {};
    EXPECT_FALSE(ReadFile(file, buffer, 1, &got, &overlapped));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
    CloseHandle(file);
}

TEST(SetFilePointer, SeeksPastEndAndTruncates)
{
    TempProgramFolder folder;
    HANDLE file = openFile("s.bin", GENERIC_READ | GENERIC_WRITE, CREATE_ALWAYS);
    writeText(file, "0123456789");
    EXPECT_EQ(SetFilePointer(file, -4, nullptr, FILE_END), 6u);
    EXPECT_EQ(SetFilePointer(file, 2, nullptr, FILE_CURRENT), 8u);
    EXPECT_EQ(SetFilePointer(file, 20, nullptr, FILE_BEGIN), 20u);
    EXPECT_EQ(GetFileSize(file, nullptr), 10u); // seeking alone does not grow the file
    writeText(file, "Z");
    EXPECT_EQ(GetFileSize(file, nullptr), 21u);
    std::string expected = "0123456789";
    expected.append(10, '\0');
    expected += 'Z';
    EXPECT_EQ(folder.read("s.bin"), expected);

    EXPECT_EQ(SetFilePointer(file, -1, nullptr, FILE_BEGIN), INVALID_SET_FILE_POINTER);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_NEGATIVE_SEEK));
    EXPECT_EQ(SetFilePointer(file, 0, nullptr, FILE_CURRENT), 21u); // a refused seek leaves it

    LONG high = 1;
    EXPECT_EQ(SetFilePointer(file, 5, &high, FILE_BEGIN), 5u);
    EXPECT_EQ(high, 1); // 4 GiB + 5: the high part travels both ways
    high = 0;
    SetFilePointer(file, 4, &high, FILE_BEGIN);
    ASSERT_TRUE(SetEndOfFile(file));
    EXPECT_EQ(GetFileSize(file, nullptr), 4u);
    ASSERT_TRUE(FlushFileBuffers(file));
    CloseHandle(file);
    EXPECT_EQ(folder.read("s.bin"), "0123");
}

TEST(FileHandles, StaleAndForeignHandlesAreRefused)
{
    TempProgramFolder folder;
    HANDLE file = openFile("h.bin", GENERIC_READ | GENERIC_WRITE, CREATE_ALWAYS);
    ASSERT_TRUE(CloseHandle(file));
    char buffer[4];
    DWORD got;
    EXPECT_FALSE(ReadFile(file, buffer, 4, &got, nullptr));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));
    EXPECT_FALSE(CloseHandle(file));
    // A new file may reuse the slot; the old handle still does not reach it.
    HANDLE reused = openFile("h.bin", GENERIC_READ, OPEN_EXISTING);
    EXPECT_NE(reused, file);
    EXPECT_EQ(GetFileSize(file, nullptr), INVALID_FILE_SIZE);
    CloseHandle(reused);

    HANDLE event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    EXPECT_FALSE(WriteFile(event, "x", 1, &got, nullptr));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));
    EXPECT_FALSE(ReadFile(INVALID_HANDLE_VALUE, buffer, 1, &got, nullptr));
    EXPECT_FALSE(ReadFile(nullptr, buffer, 1, &got, nullptr));
    CloseHandle(event);
}

TEST(FileOperations, MoveReplacesOnlyWhenAsked)
{
    TempProgramFolder folder;
    folder.write("new.tmp", "new");
    folder.write("game.sav", "old");
    EXPECT_FALSE(MoveFileA("new.tmp", "game.sav"));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ALREADY_EXISTS));
    ASSERT_TRUE(MoveFileExA("new.tmp", "GAME.SAV", MOVEFILE_REPLACE_EXISTING));
    EXPECT_EQ(folder.read("game.sav"), "new");
    EXPECT_EQ(GetFileAttributesA("new.tmp"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND));
    ASSERT_TRUE(MoveFileA("game.sav", "moved.sav"));
    EXPECT_EQ(folder.read("moved.sav"), "new");
}

TEST(FileOperations, AFileSystemWithoutTheNoReplaceRenameStillMovesToANewNameAndNeverOverAnother)
{
    for (int refused : { 1, 2 }) {
        SCOPED_TRACE(refused);
        TempProgramFolder folder;
        g_refusedRenames = refused;
        folder.write("new.tmp", "new");
        folder.write("other.tmp", "other");
        EXPECT_TRUE(MoveFileExA("new.tmp", "game.sav", MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
        EXPECT_FALSE(MoveFileA("other.tmp", "game.sav"));
        EXPECT_EQ(GetLastError(), DWORD(ERROR_ALREADY_EXISTS));
        g_refusedRenames = 0;
        EXPECT_EQ(folder.read("game.sav"), "new");
        EXPECT_EQ(GetFileAttributesA("new.tmp"), INVALID_FILE_ATTRIBUTES);
    }
}

TEST(FileOperations, CopyDeleteAndAttributes)
{
    TempProgramFolder folder;
    folder.write("src.dat", "data");
    ASSERT_TRUE(CopyFileA("src.dat", "dst.dat", TRUE));
    EXPECT_EQ(folder.read("dst.dat"), "data");
    EXPECT_FALSE(CopyFileA("src.dat", "dst.dat", TRUE));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_EXISTS));
    EXPECT_FALSE(CopyFileA("missing.dat", "x.dat", FALSE));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND));

    EXPECT_EQ(GetFileAttributesA("SRC.DAT"), DWORD(FILE_ATTRIBUTE_NORMAL));
    chmod((folder / "src.dat").c_str(), 0444);
    EXPECT_EQ(GetFileAttributesA("src.dat"), DWORD(FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(DeleteFileA("src.dat"));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ACCESS_DENIED));
    ASSERT_TRUE(DeleteFileA("dst.dat"));
    EXPECT_FALSE(DeleteFileA("dst.dat"));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND));
}

TEST(FileOperations, Folders)
{
    TempProgramFolder folder;
    ASSERT_TRUE(CreateDirectoryA("Save", nullptr));
    EXPECT_FALSE(CreateDirectoryA("save", nullptr));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ALREADY_EXISTS));
    EXPECT_FALSE(CreateDirectoryA("a\\b", nullptr));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(GetFileAttributesA("save"), DWORD(FILE_ATTRIBUTE_DIRECTORY));
    // An empty name is no name, not the current folder.
    EXPECT_EQ(GetFileAttributesA(""), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(RemoveDirectoryA(""));
    folder.write("Save/x", "");
    EXPECT_FALSE(RemoveDirectoryA("save"));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_DIR_NOT_EMPTY));
    EXPECT_FALSE(DeleteFileA("save"));
    ASSERT_TRUE(DeleteFileA("save\\x"));
    ASSERT_TRUE(RemoveDirectoryA("save"));
}

TEST(CreateFile, OnlyRegularFilesAreReadAndNothingWaitsForAWriterOrReadsForEver)
{
    TempProgramFolder folder;
    ASSERT_EQ(mkfifo((folder / "pipe.vtm").c_str(), 0644), 0);
    ASSERT_EQ(symlink("/dev/zero", (folder / "zero.ini").c_str()), 0);
    ASSERT_TRUE(CreateDirectoryA("folder.bmp", nullptr));
    folder.write("huge.ini", std::string(size_t(1) << 21, ';'));
    for (const char* name : { "pipe.vtm", "zero.ini", "folder.bmp" }) {
        EXPECT_EQ(openFile(name, GENERIC_READ, OPEN_EXISTING), INVALID_HANDLE_VALUE) << name;
        EXPECT_FALSE(platform::readGameFile(name, 1 << 20)) << name;
        EXPECT_FALSE(CopyFileA(name, "copy.dat", FALSE)) << name;
    }
    for (const char* name : { "pipe.vtm", "zero.ini", "folder.bmp", "huge.ini" }) {
        const platform::IniDocument document = platform::IniDocument::load(folder / name);
        EXPECT_TRUE(document.found() && !document.readable()) << name;
    }
}
