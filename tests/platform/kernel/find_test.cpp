// Folder listings with wildcards.
#include "temp_program_folder.h"

#include "platform/kernel/wildcard.h"
#include "platform/kernel/winbase.h"

#include <gtest/gtest.h>
#include <map>
#include <vector>

namespace {

std::vector<std::string> listNames(const char* pattern)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(pattern, &data);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do
        names.push_back(data.cFileName);
    while (FindNextFileA(find, &data));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_NO_MORE_FILES));
    FindClose(find);
    return names;
}

} // namespace

TEST(Wildcards, MatchLikeTheFindFunctions)
{
    struct Case {
        const char* pattern;
        const char* name;
        bool matches;
    };
    const Case cases[] = {
        { "*.*", "README", true },
        { "*.*", "a.b.c", true },
        { "*", "", true },
        { "*.map", "SCEN01.MAP", true },
        { "*.map", "scen01.map.bak", false },
        { "scen??.map", "scen01.map", true },
        { "scen??.map", "scen1.map", false },
        { "a*b*c", "aXbYbZc", true },
        { "a*b*c", "aXbYbZ", false },
        { "*.", "noext", true },
        { "*.", "has.ext", false },
        { "save*.*", "save", true },
        // A double-byte character is one character for '?', and its trail byte never folds.
        { "?.txt", "\x83\x41.txt", true },
        { "\x83\x61.txt", "\x83\x41.txt", false },
    };
    for (const Case& c : cases)
        EXPECT_EQ(platform::matchesWildcard(c.pattern, c.name), c.matches) << c.pattern << " vs " << c.name;
}

TEST(FindFiles, ListsMatchesWithSizesAndDotEntries)
{
    TempProgramFolder folder;
    folder.write("tkmap/b.map", "12345");
    folder.write("tkmap/A.MAP", "1");
    folder.write("tkmap/c.txt", "");
    folder.write("tkmap/sub/x", "");
    folder.write("tkmap/-first", "");
    EXPECT_EQ(listNames("TKMAP\\*.map"), (std::vector<std::string> { "A.MAP", "b.map" }));
    EXPECT_EQ(listNames("tkmap/*.*"), (std::vector<std::string> { ".", "..", "-first", "A.MAP", "b.map", "c.txt", "sub" }));

    std::map<std::string, WIN32_FIND_DATAA> byName;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA("tkmap\\*", &data);
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    do
        byName[data.cFileName] = data;
    while (FindNextFileA(find, &data));
    FindClose(find);
    EXPECT_EQ(byName["b.map"].nFileSizeLow, 5u);
    EXPECT_EQ(byName["b.map"].dwFileAttributes, DWORD(FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(byName["sub"].dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY, DWORD(FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_EQ(byName[".."].dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY, DWORD(FILE_ATTRIBUTE_DIRECTORY));
    SYSTEMTIME written;
    ASSERT_TRUE(FileTimeToSystemTime(&byName["b.map"].ftLastWriteTime, &written));
    SYSTEMTIME now;
    GetSystemTime(&now);
    EXPECT_EQ(written.wYear, now.wYear);
}

TEST(FindFiles, MissingMatchesAndFoldersAreErrors)
{
    TempProgramFolder folder;
    folder.write("data/a.txt", "");
    WIN32_FIND_DATAA data;
    EXPECT_EQ(FindFirstFileA("data\\*.map", &data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(FindFirstFileA("nothing\\*.*", &data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_PATH_NOT_FOUND));
    // An exact name is a one-entry listing with the name as it is on disk.
    HANDLE find = FindFirstFileA("DATA\\A.TXT", &data);
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    EXPECT_STREQ(data.cFileName, "a.txt");
    EXPECT_FALSE(FindNextFileA(find, &data));
    EXPECT_TRUE(FindClose(find));
    EXPECT_FALSE(FindClose(find));
}
