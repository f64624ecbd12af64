// swCFile: open modes, short reads, seeks and their failures, fileExists.
#include "lib/file.h"
#include "temp_program_folder.h"
#include "thrown_error.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace testing_lib;

namespace {

std::string contents(const std::string& host_path)
{
    std::ifstream in(host_path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeHost(const std::string& host_path, const std::string& text)
{
    std::ofstream(host_path, std::ios::binary) << text;
}

void writeWith(const char* name, int mode, const std::string& text)
{
    swCFile file(name, mode);
    EXPECT_EQ(file.fileWrite(text.data(), DWORD(text.size())), text.size());
    file.fileClose();
}

} // namespace

TEST(File, OpenForReadingMissingFileThrowsOpenErrorNamingTheFile)
{
    TempProgramFolder folder;
    ThrownError e = thrownError([] { swCFile file("missing.dat", 0); });
    EXPECT_TRUE(e.isFileError);
    EXPECT_EQ(e.code, 0);
    EXPECT_EQ(e.caption, "missing.dat");
    // An unknown mode reads, so it also needs the file.
    EXPECT_EQ(fileErrorCode([] { swCFile file("missing.dat", 9); }), 0);
    EXPECT_FALSE(std::filesystem::exists(folder.host("missing.dat")));
}

TEST(File, WritingModesCreateMissingFiles)
{
    TempProgramFolder folder;
    writeWith("one.dat", 1, "1");
    writeWith("two.dat", 2, "2");
    writeWith("three.dat", 3, "3");
    EXPECT_EQ(contents(folder.host("one.dat")), "1");
    EXPECT_EQ(contents(folder.host("two.dat")), "2");
    EXPECT_EQ(contents(folder.host("three.dat")), "3");
}

TEST(File, ModeOneTruncatesAndModeTwoKeepsTheTail)
{
    TempProgramFolder folder;
    writeHost(folder.host("a.dat"), "abcdef");
    writeHost(folder.host("b.dat"), "abcdef");
    writeWith("a.dat", 1, "XY");
    writeWith("b.dat", 2, "XY");
    EXPECT_EQ(contents(folder.host("a.dat")), "XY");
    EXPECT_EQ(contents(folder.host("b.dat")), "XYcdef");
}

TEST(File, ReadsShortAtTheEndWithoutError)
{
    TempProgramFolder folder;
    writeHost(folder.host("ten.dat"), "0123456789");
    swCFile file("ten.dat", 0);
    EXPECT_EQ(file.fileGetSize(), 10u);
    char buffer[32] = {};
    EXPECT_EQ(file.fileRead(buffer, 4), 4u);
    EXPECT_EQ(file.fileRead(buffer, sizeof buffer), 6u);
    EXPECT_STREQ(buffer, "456789");
    EXPECT_EQ(file.fileRead(buffer, sizeof buffer), 0u);
}

TEST(File, SeeksFromEachOrigin)
{
    TempProgramFolder folder;
    writeHost(folder.host("ten.dat"), "0123456789");
    swCFile file("ten.dat", 3);
    EXPECT_EQ(file.fileSeek(2, 0), 2u);
    EXPECT_EQ(file.fileSeek(3, 1), 5u);
    EXPECT_EQ(file.fileSeek(-1, 2), 9u);
    char c = 0;
    EXPECT_EQ(file.fileRead(&c, 1), 1u);
    EXPECT_EQ(c, '9');
    // Mode 3 writes in place.
    file.fileSeek(0, 0);
    file.fileWrite("AB", 2);
    file.fileClose();
    EXPECT_EQ(contents(folder.host("ten.dat")), "AB23456789");
}

TEST(File, FailedSeekGivesUpTheHandle)
{
    TempProgramFolder folder;
    writeHost(folder.host("ten.dat"), "0123456789");
    swCFile file("ten.dat", 0);
    EXPECT_EQ(fileErrorCode([&] { file.fileSeek(-5, 0); }), 3);
    EXPECT_FALSE(file.isOpen());
    char c;
    EXPECT_EQ(fileErrorCode([&] { file.fileRead(&c, 1); }), 1);
    // With no handle, closing has nothing left to do.
    EXPECT_EQ(fileErrorCode([&] { file.fileClose(); }), -1);
}

TEST(File, WritingAReadOnlyHandleThrowsWriteError)
{
    TempProgramFolder folder;
    writeHost(folder.host("ro.dat"), "x");
    swCFile file("ro.dat", 0);
    EXPECT_EQ(fileErrorCode([&] { file.fileWrite("y", 1); }), 2);
    EXPECT_TRUE(file.isOpen());
}

TEST(File, ExistsOnlyForFiles)
{
    TempProgramFolder folder;
    writeHost(folder.host("here.dat"), "x");
    std::filesystem::create_directory(folder.host("sub"));
    EXPECT_TRUE(fileExists("here.dat"));
    EXPECT_FALSE(fileExists("sub"));
    EXPECT_FALSE(fileExists("gone.dat"));
}
