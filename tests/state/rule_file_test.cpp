// Rule files: the generated sets, key matching and round trips.
#include "state/game_state.h"

#include "tests/state/state_test_support.h"

#include <cstring>
#include <memory>

using namespace testing_state;

TEST(RuleFile, GeneratedSetsFillTheirSlots)
{
    DataFolder folder;
    auto state = std::make_unique<GameState>();
    state->loadRuleFile();
    EXPECT_EQ(utf8(state->ruleSlot(0).name.c_str()), "標準ルール");
    EXPECT_EQ(state->ruleSlot(0).block.switches[kRuleStacking], 1);
    EXPECT_EQ(state->ruleSlot(0).block.lead, 0);
    EXPECT_EQ(state->ruleSlot(5).block.lead, 5);
    EXPECT_TRUE(state->ruleSlot(5).name.empty());

    auto simple = std::make_unique<GameState>();
    simple->setMode(1);
    simple->loadRuleFile();
    EXPECT_EQ(utf8(simple->ruleSlot(0).name.c_str()), "シンプルルール");
    EXPECT_EQ(simple->ruleSlot(0).block.switches[kRuleStacking], 0);
    EXPECT_EQ(simple->ruleSlot(0).block.switches[kRuleZoc], 1);
}

TEST(RuleFile, KeyMustBeFollowedDirectlyByEquals)
{
    DataFolder folder;
    folder.writeText("tkrule/class2.rul", "ZOC=1\r\nZOC =1\r\n索敵 =1\r\n生産数制限=300\r\n最低燃料消費=7x\r\nName=a=b\r\n");
    auto state = std::make_unique<GameState>();
    state->loadRuleFile();
    const RuleBlock& block = state->ruleSlot(2).block;
    EXPECT_EQ(block.switches[1], 1);
    EXPECT_EQ(block.switches[2], 0);
    EXPECT_EQ(block.switches[3], 0);
    // A value other than the switch's two choices leaves it off, and the person is told.
    EXPECT_EQ(block.switches[50], 0);
    EXPECT_EQ(block.switches[0], 0);
    EXPECT_EQ(state->ruleSlot(2).name, "a=b");

    folder.writeText("tkrule/class3.rul", "索敵=2\r\nZOC=1\r\n");
    state->loadRuleFile();
    EXPECT_FALSE(state->ruleSlot(3).block.on(kRuleSearch));
    EXPECT_TRUE(state->ruleSlot(3).block.on(kRuleZoc));
    ASSERT_FALSE(shownTexts().empty());
    EXPECT_NE(shownTexts().back().find("class3.rul の 1行目から 1行を読み飛ばしました。\nルールの値は 0 (なし) か 1 (あり)"), std::string::npos);
}

TEST(RuleFile, SlotRoundTripsWithCommasInItsName)
{
    DataFolder folder;
    auto state = std::make_unique<GameState>();
    state->loadRuleFile();
    RuleSlot& slot = state->ruleSlot(7);
    slot.name = platform::utf8ToCp932("私の,ルール");
    slot.date = "2026/12/07";
    slot.time = "10:15";
    for (int i = 0; i < kRuleSwitchCount; ++i)
        slot.block.switches[i] = uint8_t(i % 3 == 2);
    ASSERT_TRUE(state->saveRuleFile(7));
    auto lines = splitLines(folder.read("tkrule/class7.rul"));
    ASSERT_EQ(lines.size(), 54u);
    EXPECT_EQ(utf8(lines[3].c_str()), "最低燃料消費=0");
    EXPECT_EQ(utf8(lines[53].c_str()), "生産数制限=1");

    auto reloaded = std::make_unique<GameState>();
    reloaded->loadRuleFile();
    EXPECT_EQ(reloaded->ruleSlot(7).name, slot.name);
    EXPECT_EQ(reloaded->ruleSlot(7).time, "10:15");
    EXPECT_EQ(0, std::memcmp(&reloaded->ruleSlot(7).block, &slot.block, sizeof(RuleBlock)));
    EXPECT_FALSE(state->saveRuleFile(24));
}

TEST(RuleFile, FailedWriteIsReported)
{
    DataFolder folder;
    auto state = std::make_unique<GameState>();
    state->loadRuleFile();
    // A folder where the file should be makes the write fail.
    std::filesystem::create_directories(folder.host("tkrule/class4.rul"));
    EXPECT_FALSE(state->saveRuleFile(4));
    ASSERT_EQ(shownTexts().size(), 1u);
    EXPECT_NE(shownTexts()[0].find("class4.rul"), std::string::npos);
}

TEST(RuleSwitchNames, FirstAndLastAreAsTheFilesSpellThem)
{
    EXPECT_EQ(utf8(ruleSwitchName(0).c_str()), "最低燃料消費");
    EXPECT_EQ(utf8(ruleSwitchName(50).c_str()), "生産数制限");
    EXPECT_EQ(ruleFileKeys()[0], "Name");
}
