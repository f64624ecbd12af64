// Ini settings through the key accessors, on a fresh program folder per test.
#include "lib/profile.h"
#include "platform/kernel/winbase.h"
#include "temp_program_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace testing_lib;

namespace {

std::string iniText(const TempProgramFolder& folder)
{
    for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
        if (entry.path().extension() == ".ini") {
            std::ifstream in(entry.path());
            std::stringstream text;
            text << in.rdbuf();
            return text.str();
        }
    return {};
}

} // namespace

TEST(Profile, PathReplacesOnlyTheProgramExtension)
{
    TempProgramFolder folder("with.dot");
    char program[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    std::string expected = program;
    ASSERT_NE(expected.find("with.dot"), std::string::npos);
    expected.erase(expected.find_last_of('.') + 1);
    EXPECT_EQ(profilePath(), expected + "ini");

    swCProfileKey("Environment", "Speed").profileWriteInt(3);
    EXPECT_NE(iniText(folder).find("Speed=3"), std::string::npos);
}

TEST(Profile, MissingFileAndKeyGiveDefaults)
{
    TempProgramFolder folder;
    swCProfileKey key("Environment", "Missing");
    EXPECT_EQ(key.profileReadInt(-7), -7);
    EXPECT_TRUE(key.profileReadBool(true));
    EXPECT_FALSE(key.profileReadBool(false));
    EXPECT_FALSE(key.profileIsTrue());
    std::string text = "previous";
    key.profileReadString(text);
    EXPECT_EQ(text, "");
    char buffer[16];
    key.profileReadStringBuffer("dflt", buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "dflt");
}

TEST(Profile, IntegersRoundTripWithSign)
{
    TempProgramFolder folder;
    swCProfileKey key("Environment", "Offset");
    key.profileWriteInt(-5);
    std::string text;
    key.profileReadString(text);
    EXPECT_EQ(text, "-5");
    EXPECT_EQ(key.profileReadInt(0), -5);
    key.profileWriteInt(2147483647);
    EXPECT_EQ(key.profileReadInt(0), 2147483647);
}

TEST(Profile, OnlyAStoredOneIsTrue)
{
    TempProgramFolder folder;
    swCProfileKey key("Environment", "Flag");
    key.profileWriteBool(true);
    EXPECT_TRUE(key.profileReadBool(false));
    key.profileWriteBool(false);
    EXPECT_FALSE(key.profileReadBool(true));
    key.profileWriteString("2");
    EXPECT_FALSE(key.profileReadBool(true));
    key.profileWriteString("1");
    EXPECT_TRUE(key.profileReadBool(false));
}

TEST(Profile, IsTrueWantsExactlyTRUE)
{
    TempProgramFolder folder;
    swCProfileKey key("Environment", "Help");
    for (const char* no : { "true", "True", "TRUE ", "1", "TRUEX" }) {
        key.profileWriteString(no);
        EXPECT_FALSE(key.profileIsTrue()) << '"' << no << '"';
    }
    key.profileWriteString("TRUE");
    EXPECT_TRUE(key.profileIsTrue());
}

TEST(Profile, KeysAreCaseInsensitiveAndOthersKept)
{
    TempProgramFolder folder;
    swCProfileKey("WindowInfo", "Main").profileWriteString("1,2,3,4");
    swCProfileKey("Environment", "Name").profileWriteString("first");
    swCProfileKey("environment", "NAME").profileWriteString("second");
    std::string text;
    swCProfileKey("ENVIRONMENT", "name").profileReadString(text);
    EXPECT_EQ(text, "second");
    swCProfileKey("windowinfo", "main").profileReadString(text);
    EXPECT_EQ(text, "1,2,3,4");
}

TEST(Profile, LongTextIsCutToTheBuffer)
{
    TempProgramFolder folder;
    swCProfileKey key("Environment", "Long");
    key.profileWriteString(std::string(1500, 'a').c_str());
    std::string text;
    key.profileReadString(text);
    EXPECT_EQ(text, std::string(1023, 'a'));
}
