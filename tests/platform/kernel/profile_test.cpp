// Ini profile functions: reading, writing, deleting and listing, keeping unrelated lines.
#include "temp_program_folder.h"

#include "platform/kernel/host.h"
#include "platform/kernel/winbase.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/fsuid.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

std::string getString(const char* section, const char* key, const char* fallback, const char* file, DWORD size = 256)
{
    std::vector<char> buffer(size + 1, 'X');
    DWORD length = GetPrivateProfileStringA(section, key, fallback, buffer.data(), size, file);
    return std::string(buffer.data(), length);
}

// A double-zero list as names.
std::vector<std::string> getList(const char* section, const char* file, DWORD size = 256)
{
    std::vector<char> buffer(size, 'X');
    DWORD length = GetPrivateProfileStringA(section, nullptr, "", buffer.data(), size, file);
    std::vector<std::string> names;
    for (const char* p = buffer.data(); p < buffer.data() + length; p += strlen(p) + 1)
        names.push_back(p);
    EXPECT_EQ(buffer[length], '\0');
    EXPECT_EQ(length == 0 ? buffer[1] : buffer[length], '\0');
    return names;
}

} // namespace

TEST(Profile, MissingFileAndKeyGiveDefaults)
{
    TempProgramFolder folder;
    EXPECT_EQ(getString("Game", "Speed", "fast  ", "game.ini"), "fast");
    EXPECT_EQ(getString("Game", "Speed", nullptr, "game.ini"), "");
    EXPECT_EQ(GetPrivateProfileIntA("Game", "Speed", -3, "game.ini"), UINT(-3));
    EXPECT_EQ(getList(nullptr, "game.ini"), std::vector<std::string> {});
    EXPECT_FALSE(std::filesystem::exists(folder / "game.ini")); // reading creates nothing
}

TEST(Profile, ReadsCaseInsensitivelyWithTrimmingAndNumbers)
{
    TempProgramFolder folder;
    folder.write("game.ini",
        "; settings\r\n[Game]\r\n  Speed =  3 \r\nName=\"quoted value\"\r\nNeg=-42\r\nPlus=+7x\r\nText=abc\r\n"
        "\r\n[Other]\r\nSpeed=9\r\n");
    EXPECT_EQ(getString("GAME", "speed", "", "game.ini"), "3 "); // the value's own blanks stay
    EXPECT_EQ(getString("game", "name", "", "game.ini"), "quoted value");
    EXPECT_EQ(GetPrivateProfileIntA("Game", "SPEED", 0, "game.ini"), 3u);
    EXPECT_EQ(int(GetPrivateProfileIntA("Game", "Neg", 0, "game.ini")), -42);
    EXPECT_EQ(GetPrivateProfileIntA("Game", "Plus", 0, "game.ini"), 7u);
    EXPECT_EQ(GetPrivateProfileIntA("Game", "Text", 5, "game.ini"), 0u);
    EXPECT_EQ(GetPrivateProfileIntA("Other", "Speed", 0, "game.ini"), 9u);
    EXPECT_EQ(getList(nullptr, "game.ini"), (std::vector<std::string> { "Game", "Other" }));
    EXPECT_EQ(getList("game", "game.ini"), (std::vector<std::string> { "Speed", "Name", "Neg", "Plus", "Text" }));
}

TEST(Profile, Cp932KeysDoNotFoldTrailBytes)
{
    TempProgramFolder folder;
    std::string key = platform::utf8ToCp932("ア"); // 0x83 0x41: its trail byte is 'A'
    std::string other = "\x83\x61";                 // a different character whose trail is 'a'
    folder.write("k.ini", "[S]\r\n" + key + "=1\r\n");
    EXPECT_EQ(getString("S", other.c_str(), "none", "k.ini"), "none");
    EXPECT_EQ(getString("S", key.c_str(), "none", "k.ini"), "1");
}

TEST(Profile, TruncationFollowsTheOriginalRules)
{
    TempProgramFolder folder;
    folder.write("t.ini", "[Alpha]\r\nkey=abcdefgh\r\n[Beta]\r\n");
    char buffer[9];
    EXPECT_EQ(GetPrivateProfileStringA("Alpha", "key", "", buffer, 5, "t.ini"), 4u);
    EXPECT_STREQ(buffer, "abcd");
    // "Alpha\0Beta\0\0" needs 12 bytes; with 9 the list is cut and double-terminated.
    EXPECT_EQ(GetPrivateProfileStringA(nullptr, nullptr, "", buffer, 9, "t.ini"), 7u);
    EXPECT_EQ(std::string(buffer, 9), std::string("Alpha\0B\0\0", 9));
    EXPECT_EQ(GetPrivateProfileStringA("Alpha", "key", "", buffer, 0, "t.ini"), 0u);
}

TEST(Profile, WritesKeepUnrelatedLinesAndUseCrlf)
{
    TempProgramFolder folder;
    folder.write("w.ini", "; top comment\n[Game]\nSpeed=1\n; keep me\n\n[Other]\nx=1\n");
    ASSERT_TRUE(WritePrivateProfileStringA("game", "speed", "2", "w.ini"));
    ASSERT_TRUE(WritePrivateProfileStringA("Game", "New", "v", "w.ini"));
    ASSERT_TRUE(WritePrivateProfileStringA("Third", "k", "3", "w.ini"));
    EXPECT_EQ(folder.read("w.ini"),
        "; top comment\r\n[Game]\r\nspeed=2\r\n; keep me\r\nNew=v\r\n\r\n[Other]\r\nx=1\r\n[Third]\r\nk=3\r\n");

    ASSERT_TRUE(WritePrivateProfileStringA("Game", "New", nullptr, "w.ini"));
    ASSERT_TRUE(WritePrivateProfileStringA("other", nullptr, nullptr, "w.ini"));
    EXPECT_EQ(folder.read("w.ini"), "; top comment\r\n[Game]\r\nspeed=2\r\n; keep me\r\n\r\n[Third]\r\nk=3\r\n");
    // Deleting what is not there succeeds without touching the file.
    EXPECT_TRUE(WritePrivateProfileStringA("None", "k", nullptr, "w.ini"));

    // Held writes are read back at once and reach the file when the hold ends, over what another
    // program wrote meanwhile.
    const std::string before = folder.read("w.ini");
    {
        platform::ProfileWriteHold hold;
        ASSERT_TRUE(WritePrivateProfileStringA("Game", "speed", "3", "w.ini"));
        ASSERT_TRUE(WritePrivateProfileStringA("Third", nullptr, nullptr, "w.ini"));
        EXPECT_EQ(GetPrivateProfileIntA("Game", "speed", 0, "w.ini"), 3u);
        EXPECT_EQ(folder.read("w.ini"), before);
        folder.write("w.ini", before + "[Other]\r\nx=2\r\n");
        EXPECT_EQ(getList(nullptr, "w.ini"), (std::vector<std::string> { "Game", "Other" }));
        // A flush writes them at once.
        ASSERT_TRUE(WritePrivateProfileStringA(nullptr, nullptr, nullptr, nullptr));
        EXPECT_EQ(folder.read("w.ini"), "; top comment\r\n[Game]\r\nspeed=3\r\n; keep me\r\n\r\n[Other]\r\nx=2\r\n");
        ASSERT_TRUE(WritePrivateProfileStringA("Game", "speed", nullptr, "w.ini"));
    }
    EXPECT_EQ(folder.read("w.ini"), "; top comment\r\n[Game]\r\n; keep me\r\n\r\n[Other]\r\nx=2\r\n");
}

TEST(Profile, WriteCreatesTheFileBesideTheProgram)
{
    TempProgramFolder folder;
    std::string ini = platform::gamePathFromHost(folder / "derazodo.ini");
    ASSERT_TRUE(WritePrivateProfileStringA("Window", "Left", "-12", ini.c_str()));
    EXPECT_EQ(int(GetPrivateProfileIntA("Window", "Left", 0, ini.c_str())), -12);
    ASSERT_TRUE(WritePrivateProfileStringA("Window", "Top", "5", "derazodo.ini"));
    EXPECT_EQ(folder.read("derazodo.ini"), "[Window]\r\nLeft=-12\r\nTop=5\r\n");
    // A line break cannot smuggle a section into the file.
    ASSERT_TRUE(WritePrivateProfileStringA("Window", "Name", "a\r\n[Evil]", "derazodo.ini"));
    EXPECT_EQ(getList(nullptr, "derazodo.ini"), std::vector<std::string> { "Window" });
    char section[64];
    DWORD length = GetPrivateProfileSectionA("window", section, sizeof section, "derazodo.ini");
    EXPECT_EQ(std::string(section, length), std::string("Left=-12\0Top=5\0Name=a\0", 22));
}

TEST(Profile, ConcurrentWritersLoseNothing)
{
    TempProgramFolder folder;
    // Two other processes write the same file while this one's threads do.
    std::vector<pid_t> children;
    for (int c = 0; c < 2; ++c) {
        pid_t child = fork();
        if (child == 0) {
            for (int i = 0; i < 20; ++i)
                WritePrivateProfileStringA("S", ("p" + std::to_string(c) + "_" + std::to_string(i)).c_str(), "1", "c.ini");
            _exit(0);
        }
        children.push_back(child);
    }
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([t] {
            for (int i = 0; i < 10; ++i) {
                std::string key = "k" + std::to_string(t) + "_" + std::to_string(i);
                WritePrivateProfileStringA("S", key.c_str(), "1", "c.ini");
            }
        });
    for (auto& thread : threads)
        thread.join();
    for (pid_t child : children)
        waitpid(child, nullptr, 0);
    EXPECT_EQ(getList("S", "c.ini", 8192).size(), 80u);
    int files = 0;
    for (auto& entry : std::filesystem::directory_iterator(folder.path()))
        files += entry.is_regular_file();
    EXPECT_EQ(files, 1); // no temporary file left behind
}

TEST(Profile, AFileThatCannotBeReadIsNeverWrittenOver)
{
    // Sixty-one settings, then the file unreadable (for root too: its override is dropped while
    // the file rights are an ordinary user's). A write must fail rather than replace them all.
    TempProgramFolder folder;
    std::string text = "[Environment]\n";
    for (int i = 0; i < 61; ++i)
        text += "Key" + std::to_string(i) + "=" + std::to_string(i) + "\n";
    folder.write("kept.ini", text);
    const std::string host = folder / "kept.ini";
    chmod(folder.path().c_str(), 0755);
    chmod(host.c_str(), 0);
    const bool root = geteuid() == 0;
    if (root)
        setfsuid(65534);
    const bool written = WritePrivateProfileStringA("Environment", "Key0", "changed", "kept.ini");
    const DWORD error = GetLastError();
    const int read = int(GetPrivateProfileIntA("Environment", "Key5", -1, "kept.ini"));
    if (root)
        setfsuid(0);
    chmod(host.c_str(), 0644);
    EXPECT_FALSE(written);
    EXPECT_EQ(error, DWORD(ERROR_ACCESS_DENIED));
    EXPECT_EQ(read, -1) << "what cannot be read gives the default";
    EXPECT_EQ(folder.read("kept.ini"), text);

    // A folder at the path is no ini either, and reading it is no crash.
    std::filesystem::create_directory(folder / "folder.ini");
    EXPECT_EQ(int(GetPrivateProfileIntA("Environment", "Key5", -1, "folder.ini")), -1);
    EXPECT_FALSE(WritePrivateProfileStringA("Environment", "Key0", "x", "folder.ini"));
    EXPECT_TRUE(std::filesystem::is_empty(folder / "folder.ini"));
}
