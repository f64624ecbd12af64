// Damaged start-up files: each one that cannot be read, or holds no record, is told in exactly one
// box that names it; a required master file then stops start-up, the others leave their defaults.
#include "lib/application.h"
#include "state/game_state.h"

#include "tests/state/packed_value.h"
#include "tests/state/state_test_support.h"
#include "tests/state/unreadable_file.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

using namespace testing_state;

namespace {

struct Outcome {
    bool stopped = false;
    std::vector<NoticeLog::Notice> notices;
};

template <class Damage>
Outcome startUpWith(Damage damage)
{
    DataFolder folder;
    makeNamedValue("SimpleMode").profileWriteInt(0);
    auto state = std::make_unique<GameState>();
    Outcome outcome;
    {
        [[maybe_unused]] auto held = damage(folder);
        auto error = testing_lib::thrownError([&] { state->startUp(); });
        outcome.stopped = error.thrown;
    }
    outcome.notices = noticeLog().notices();
    return outcome;
}

// The first half of a generated file: a file cut short, most likely inside a record.
std::string halfOf(const char* name)
{
    std::ifstream in(std::filesystem::path(DERAZODO_PROGRAM_DIR) / name, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), {});
    return bytes.substr(0, bytes.size() / 2);
}

std::string text(const Outcome& outcome)
{
    return outcome.notices.empty() ? std::string() : platform::cp932ToUtf8(outcome.notices[0].text);
}

} // namespace

TEST(StartUpFiles, EachUnreadableFileGetsOneBoxNamingItAndOnlyMasterFilesStopStartUp)
{
    struct Case {
        const char* file;
        const char* told;
        bool stops;
    };
    const Case cases[] = {
        { "land.dat", "地形データ land.dat を読み込めません。", true },
        { "warm.dat", "兵装データ warm.dat を読み込めません。", true },
        { "weapon.dat", "兵器データ weapon.dat を読み込めません。", true },
        { "producttype.dat", "生産タイプデータ producttype.dat を読み込めません。", false },
        { "tkrule/class0.rul", "ルールファイル class0.rul を読み込めません。", false },
        { "anthem.lst", "国歌リスト anthem.lst を読み込めません。", false },
    };
    for (const Case& c : cases) {
        Outcome o = startUpWith([&](const DataFolder& folder) { return std::make_unique<UnreadableFile>(folder, c.file); });
        ASSERT_EQ(o.notices.size(), 1u) << c.file;
        EXPECT_EQ(text(o).rfind(c.told, 0), 0u) << text(o);
        EXPECT_EQ(o.notices[0].icon, NoticeIcon::Stop) << c.file;
        EXPECT_EQ(o.stopped, c.stops) << c.file;
    }
}

TEST(StartUpFiles, AMissingOrDamagedShippedFileIsToldOnceAndStartUpGoesOn)
{
    struct Case {
        const char* file;
        std::optional<std::string> bytes; // none: the file is removed
        const char* told;
    };
    // Records of one byte: each would take a whole record's memory.
    const std::string oneByteRecords = std::string("\x01\0\0\0", 4) + std::string(64 << 10, 'x');
    std::string anthems;
    for (int i = 0; i < 52; ++i)
        anthems += "a" + std::to_string(i) + ",tkbgm\\a.wav\r\n";
    const Case cases[] = {
        { "tkrule/class0.rul", std::nullopt, "ルールファイル class0.rul がありません。\n標準のルールで始めます。" },
        { "producttype.dat", std::nullopt, "生産タイプデータ producttype.dat がありません。\n生産タイプなしで始めます。" },
        { "anthem.lst", std::nullopt, "国歌リスト anthem.lst がありません。\n国歌はすべて既定の曲になります。" },
        { "tkrule/class0.rul", "Name=x\r\n\x01\x02garbage\r\nZOC=\r\n", "class0.rul の 2行目から 2行を読み飛ばしました。" },
        { "tkrule/class0.rul", "Name=x\r\nZOC=1x\r\nZOC=1 \r\n", "class0.rul の 2行目から 1行を読み飛ばしました。" },
        { "anthem.lst", "a,tkbgm\\a.wav\r\nno comma here\r\n", "anthem.lst の 2行目から 1行を読み飛ばしました。" },
        { "anthem.lst", anthems, "anthem.lst の 51行目から 2行を読み飛ばしました。\n国歌は50曲までです。" },
        { "weapon.dat", halfOf("weapon.dat"), "兵器データ weapon.dat が途中で切れています。\n切れる前の14件の兵器で始めます。" },
        { "producttype.dat", halfOf("producttype.dat"),
            "生産タイプデータ producttype.dat が途中で切れています。\n切れる前の2件の生産タイプで始めます。" },
        { "tkrule/class0.rul", "", "ルールファイル class0.rul が空です。\n標準のルールで始めます。" },
        { "anthem.lst", "\r\n", "国歌リスト anthem.lst が空です。\n国歌はすべて既定の曲になります。" },
        { "producttype.dat", oneByteRecords, "生産タイプデータ producttype.dat を読み込めません。\nファイルの内容が壊れています。" },
    };
    for (const Case& c : cases) {
        Outcome o = startUpWith([&](const DataFolder& folder) {
            if (c.bytes)
                folder.write(c.file, *c.bytes);
            else
                folder.remove(c.file);
            return 0;
        });
        EXPECT_FALSE(o.stopped) << c.file;
        EXPECT_EQ(o.notices.size(), 1u) << c.file << ": " << c.told;
        EXPECT_EQ(text(o).rfind(c.told, 0), 0u) << text(o);
    }
}

TEST(StartUpFiles, AMasterFileWithoutRecordsStopsStartUpWithOneBox)
{
    struct Case {
        const char* file;
        const char* told;
    };
    for (const Case& c : { Case { "land.dat", "地形データ land.dat に地形がありません" },
             Case { "warm.dat", "兵装データ warm.dat に兵装がありません" },
             Case { "weapon.dat", "兵器データ weapon.dat に兵器がありません" } }) {
        Outcome o = startUpWith([&](const DataFolder& folder) {
            folder.write(c.file, "\r\n\r\n");
            return 0;
        });
        EXPECT_TRUE(o.stopped) << c.file;
        ASSERT_EQ(o.notices.size(), 1u) << c.file;
        EXPECT_EQ(text(o), c.told);
    }
}

TEST(StartUpFiles, ADamagedArmamentFileGivesOneBoxForAllUnmatchedWeapons)
{
    Outcome o = startUpWith([](const DataFolder& folder) {
        std::string warm = folder.read("warm.dat");
        // Only the first weapon survives: most unit types name weapons that are gone.
        folder.write("warm.dat", warm.substr(0, warm.find('\n') + 1));
        return 0;
    });
    EXPECT_FALSE(o.stopped);
    ASSERT_EQ(o.notices.size(), 1u);
    EXPECT_EQ(o.notices[0].icon, NoticeIcon::None);
    EXPECT_EQ(text(o).rfind("一致する武装がみつかりませんでした。\n", 0), 0u) << text(o);
    EXPECT_NE(text(o).find("weapon.dat の "), std::string::npos) << text(o);
    EXPECT_NE(text(o).find("件あります。"), std::string::npos) << text(o);
}

TEST(StartUpFiles, AHugeBaseTypeInTheWeaponFileKeepsItsLowSixteenBits)
{
    // Found by fuzzing: the base type column is stored plus one, which overflowed at INT_MAX.
    DataFolder folder;
    std::ifstream in(std::filesystem::path(DERAZODO_SOURCE_DIR) / "fuzz" / "corpus" / "master_text" / "fault-weapon-file-base-overflow",
        std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), {});
    ASSERT_GT(bytes.size(), 1u);
    folder.write("weapon.dat", bytes.substr(1));
    makeNamedValue("SimpleMode").profileWriteInt(0);
    GameState state;
    state.startUp();
    // Type 1 names base type 11111111110, which reads as 2147483647: stored plus one, then cut.
    ASSERT_GT(state.unitTypeIndex(1), 0);
    EXPECT_EQ(packed(state.unitTypeRecord(1).baseType), uint16_t(2147483648u));
}
