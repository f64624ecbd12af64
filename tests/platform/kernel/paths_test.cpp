// Game paths reaching host files: separators, letter case, CP932 names and the program folder.
#include "temp_program_folder.h"

#include "platform/kernel/host.h"
#include "platform/kernel/winbase.h"

#include <gtest/gtest.h>

namespace {

std::string readGameFile(const char* gamePath)
{
    HANDLE file = CreateFileA(gamePath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "<" + std::to_string(GetLastError()) + ">";
    char buffer[256];
    DWORD got = 0;
    ReadFile(file, buffer, sizeof buffer, &got, nullptr);
    CloseHandle(file);
    return std::string(buffer, got);
}

} // namespace

TEST(GamePaths, ResolveEachComponentIgnoringCaseWithEitherSeparator)
{
    TempProgramFolder folder;
    folder.write("TkMap/Map01.DAT", "map");
    EXPECT_EQ(readGameFile("tkmap\\map01.dat"), "map");
    EXPECT_EQ(readGameFile("TKMAP/MAP01.dat"), "map");
    EXPECT_EQ(readGameFile(".\\tkmap\\sub\\..\\MAP01.DAT"), "map");
    EXPECT_EQ(platform::hostPath("tkmap\\map01.dat"), folder / "TkMap/Map01.DAT");
}

TEST(GamePaths, PreferExactMatchOverOtherCase)
{
    TempProgramFolder folder;
    folder.write("save/a.sav", "lower");
    folder.write("save/A.sav", "upper");
    EXPECT_EQ(readGameFile("save\\A.sav"), "upper");
    EXPECT_EQ(readGameFile("save\\a.sav"), "lower");
}

TEST(GamePaths, RelativeToProgramFolderNotWorkingDirectory)
{
    TempProgramFolder folder;
    folder.write("only-here.txt", "x");
    std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path("/");
    EXPECT_EQ(readGameFile("only-here.txt"), "x");
    std::filesystem::current_path(previous);
}

TEST(GamePaths, AbsolutePathsWithAndWithoutDrive)
{
    TempProgramFolder folder;
    folder.write("abs.txt", "abs");
    std::string game = platform::gamePathFromHost(folder / "abs.txt");
    EXPECT_EQ(game.front(), '\\');
    EXPECT_EQ(readGameFile(game.c_str()), "abs");
    EXPECT_EQ(readGameFile(("C:" + game).c_str()), "abs");
}

TEST(GamePaths, MissingComponentsKeptAsGivenForNewFiles)
{
    TempProgramFolder folder;
    folder.write("Data/x", "");
    EXPECT_EQ(platform::hostPath("data\\NewDir\\New.txt"), folder / "Data/NewDir/New.txt");
}

TEST(GamePaths, Cp932NamesAreUtf8OnDiskAndCp932ToTheGame)
{
    TempProgramFolder folder;
    // "ソ" is 0x83 0x5C in CP932: its trail byte is a '\' that must not split the path.
    std::string name = platform::utf8ToCp932("ソート地図.map");
    ASSERT_EQ(name.substr(0, 2), "\x83\x5C");
    HANDLE file = CreateFileA(("tkmap\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_EQ(file, INVALID_HANDLE_VALUE); // the folder does not exist yet
    ASSERT_TRUE(CreateDirectoryA("tkmap", nullptr));
    file = CreateFileA(("tkmap\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    EXPECT_TRUE(std::filesystem::exists(folder / "tkmap/ソート地図.map"));

    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA("tkmap\\*.map", &data);
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    EXPECT_EQ(std::string(data.cFileName), name);
    FindClose(find);
}

TEST(GamePaths, CurrentDirectoryIsProgramFolderUntilSet)
{
    TempProgramFolder folder;
    folder.write("Sub/inner.txt", "inner");
    char buffer[MAX_PATH];
    DWORD length = GetCurrentDirectoryA(sizeof buffer, buffer);
    std::string expected = platform::gamePathFromHost(folder.path());
    expected.pop_back();
    EXPECT_EQ(std::string(buffer, length), expected);
    EXPECT_EQ(GetCurrentDirectoryA(3, buffer), expected.size() + 1);

    folder.write("top.txt", "top");
    ASSERT_TRUE(SetCurrentDirectoryA("sub"));
    EXPECT_EQ(readGameFile("inner.txt"), "inner");
    EXPECT_EQ(readGameFile("..\\top.txt"), "top"); // a leading ".." climbs from the current folder
    EXPECT_FALSE(SetCurrentDirectoryA("inner.txt"));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_DIRECTORY));
}

TEST(GamePaths, FullPathNamesAreTextual)
{
    TempProgramFolder folder;
    char buffer[MAX_PATH];
    char* filePart = nullptr;
    std::string base = platform::gamePathFromHost(folder.path());
    DWORD length = GetFullPathNameA("save\\..\\tkmap\\m.map", sizeof buffer, buffer, &filePart);
    EXPECT_EQ(std::string(buffer, length), base + "tkmap\\m.map");
    ASSERT_NE(filePart, nullptr);
    EXPECT_STREQ(filePart, "m.map");
    EXPECT_EQ(GetFullPathNameA("x", 2, buffer, nullptr), base.size() + 2);
    length = GetFullPathNameA("D:/a/./b", sizeof buffer, buffer, nullptr);
    EXPECT_EQ(std::string(buffer, length), "\\a\\b");
}

TEST(GamePaths, FileNamesSplitByCharactersNotBytes)
{
    // "ソ" and "表" end in the byte of '\': neither is a separator.
    const std::string name = platform::utf8ToCp932("ソ表能.vtm");
    struct Case {
        std::string path;
        size_t offset;
    };
    const Case cases[] = {
        { name, 0 },
        { "tkmap\\" + name, 6 },
        { "C:/a\\" + name, 5 },
        { platform::utf8ToCp932("表\\") + name, 3 },
        { "tkmap\\", 6 },
        { "", 0 },
    };
    for (const Case& c : cases)
        EXPECT_EQ(platform::fileNameOffset(c.path), c.offset) << platform::cp932ToUtf8(c.path);

    TempProgramFolder folder;
    char buffer[MAX_PATH];
    char* filePart = nullptr;
    GetFullPathNameA(("tkmap\\" + name).c_str(), sizeof buffer, buffer, &filePart);
    ASSERT_NE(filePart, nullptr);
    EXPECT_EQ(filePart, name);
}
