// Ini settings through the key accessors, on a fresh program folder per test.
#include "lib/profile.h"
#include "platform/kernel/winbase.h"
#include "temp_program_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace testing_lib;

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
    EXPECT_TRUE(std::filesystem::exists(folder.host(expected.substr(expected.find_last_of('\\') + 1) + "ini")));
}

TEST(Profile, MissingFileAndKeyGiveDefaults)
{
    TempProgramFolder folder;
    swCProfileKey key("Environment", "Missing");
    EXPECT_EQ(key.profileReadInt(-7), -7);
    EXPECT_TRUE(key.profileReadBool(true));
    EXPECT_FALSE(key.profileIsTrue());
    std::string text = "previous";
    key.profileReadString(text);
    EXPECT_EQ(text, "");
    text = "kept";
    key.profileReadString(text, text.c_str());
    EXPECT_EQ(text, "kept");
}

TEST(Profile, ValuesRoundTripThroughTheirAccessors)
{
    TempProgramFolder folder;
    swCProfileKey key("Environment", "Value");
    std::string text;
    key.profileWriteInt(-5);
    key.profileReadString(text);
    EXPECT_EQ(text, "-5");
    EXPECT_EQ(key.profileReadInt(0), -5);
    key.profileWriteBool(true);
    EXPECT_TRUE(key.profileReadBool(false));
    key.profileWriteBool(false);
    EXPECT_FALSE(key.profileReadBool(true));
    key.profileWriteString("2");
    EXPECT_FALSE(key.profileReadBool(true)) << "only a stored 1 is true";
    for (const char* no : { "true", "True", "1", "TRUEX" }) {
        key.profileWriteString(no);
        EXPECT_FALSE(key.profileIsTrue()) << no;
    }
    key.profileWriteString("TRUE");
    EXPECT_TRUE(key.profileIsTrue());
    key.profileWriteString(std::string(1500, 'a').c_str());
    key.profileReadString(text);
    EXPECT_EQ(text, std::string(1023, 'a'));
}

TEST(Profile, KeysMatchWithoutCaseAndOtherSectionsStay)
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
