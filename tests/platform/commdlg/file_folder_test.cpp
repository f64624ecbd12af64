// Path pieces and filters of the file dialogs, with CP932 names whose second byte is "\".
#include "platform/commdlg/file_folder.h"

#include "platform/kernel/host.h"

#include <gtest/gtest.h>

using namespace platform::commdlg;

TEST(FileDialogPaths, DoubleByteNamesAreNeverSplitAtTheirSecondByte)
{
    // "表" is 0x95 0x5C in CP932: its second byte is the separator's code.
    std::string table = platform::utf8ToCp932("表");
    ASSERT_EQ(table.size(), 2u);
    ASSERT_EQ(table[1], '\\');
    std::string path = "\\data\\" + table + "\\" + table + ".sav";
    EXPECT_EQ(path.substr(nameOffset(path)), table + ".sav");
    EXPECT_EQ(path.substr(extensionOffset(path)), "sav");
    EXPECT_EQ(parentFolder(path), "\\data\\" + table);
    EXPECT_EQ(joinPath("\\data\\" + table, ".."), "\\data");
    EXPECT_EQ(folderChain("\\data\\" + table), (std::vector<std::string> { "\\", "\\data", "\\data\\" + table }));
}

TEST(FileDialogPaths, JoiningNormalisesAndKeepsAbsoluteNames)
{
    EXPECT_EQ(joinPath("\\game\\save", "..\\map\\.\\a.vt1"), "\\game\\map\\a.vt1");
    EXPECT_EQ(joinPath("\\game", "\\other\\b.txt"), "\\other\\b.txt");
    EXPECT_EQ(joinPath("\\game", "C:\\x\\c.txt"), "\\x\\c.txt");
    EXPECT_EQ(joinPath("\\", "..\\.."), "\\");
    EXPECT_EQ(parentFolder("\\"), "\\");
    EXPECT_EQ(extensionOffset("\\a.b\\name"), std::string("\\a.b\\name").size()) << "a dot in a folder is no extension";
}

TEST(FileDialogFilters, PairsSplitIntoPatternsAndStopAtAMissingPattern)
{
    std::vector<Filter> filters = parseFilters("Maps\0*.vt1; *.vt2\0All\0*.*\0Broken\0\0");
    ASSERT_EQ(filters.size(), 2u);
    EXPECT_EQ(filters[0].description, "Maps");
    EXPECT_EQ(filters[0].patterns, (std::vector<std::string> { "*.vt1", "*.vt2" }));
    EXPECT_EQ(filters[1].patterns, (std::vector<std::string> { "*.*" }));
    EXPECT_TRUE(parseFilters(nullptr).empty());
    EXPECT_TRUE(parseFilters("").empty());
}
