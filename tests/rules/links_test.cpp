// The neighbour links: headless fall-backs that answer at once and record what was asked.
#include "rules/headless_links.h"
#include "rules/links.h"

#include "state/building_record.h"

#include <gtest/gtest.h>

namespace {

// A stand-in main window that the engine must reach instead of the headless one.
class CountingMainWindow : public HeadlessMainWindow {
public:
    bool isVisible() const override { return true; }
};

} // namespace

TEST(RulesLinks, FallBackOnHeadlessNeighboursUntilInstalled)
{
    setRulesLinks({});
    EXPECT_EQ(&mainWindowLink(), &headlessMainWindow());
    EXPECT_EQ(&mapWindowLink(), &headlessMapWindow());
    EXPECT_EQ(&dialogLink(), &headlessDialogs());
    EXPECT_EQ(&battleLink(), &headlessBattle());
    EXPECT_FALSE(mainWindowLink().isVisible());
    EXPECT_FALSE(mapWindowLink().isOpen());

    CountingMainWindow window;
    setRulesLinks({ &window, nullptr, nullptr, nullptr });
    EXPECT_TRUE(mainWindowLink().isVisible());
    mainWindowLink().playSound(13);
    EXPECT_EQ(window.callsOf("playSound").size(), 1u);
    EXPECT_EQ(&mapWindowLink(), &headlessMapWindow());
    setRulesLinks({});
    EXPECT_EQ(&mainWindowLink(), &headlessMainWindow());
}

TEST(HeadlessLinks, RecordRequestsWithTheirArgumentsInOrder)
{
    HeadlessMapWindow map;
    map.blinkHex(3, 4);
    map.animateLevelChange({ 1, 2, 7, 5, 6 });
    map.postRefresh(true);
    const std::vector<LinkCall> expected { { "blinkHex", { 3, 4 } }, { "animateLevelChange", { 1, 2, 7, 5, 6 } },
        { "postRefresh", { 1 } } };
    EXPECT_EQ(map.calls(), expected);
    EXPECT_EQ(map.visibleHexRange().columns, 0);
    map.clear();
    EXPECT_TRUE(map.calls().empty());

    HeadlessDialogs dialogs;
    dialogs.showEventNotice(15, 2, 9);
    dialogs.showGameEnd(3, 2);
    BuildingRecord building {};
    building.x = 8;
    building.y = 1;
    dialogs.showBuildingResult(BuildingResult::Demolished, building, building);
    EXPECT_EQ(dialogs.callsOf("showEventNotice"), (std::vector<LinkCall> { { "showEventNotice", { 15, 2, 9 } } }));
    EXPECT_EQ(dialogs.callsOf("showBuildingResult").at(0).args, (std::vector<int64_t> { 0, 8, 1 }));
}

TEST(HeadlessLinks, DeclineOffersUnlessScriptedOtherwise)
{
    HeadlessMainWindow window;
    ReplenishOffer offer;
    offer.country = 2;
    offer.unitIndex = 11;
    offer.acceptReplenish = 1;
    window.askReplenish(offer);
    EXPECT_EQ(offer.acceptReplenish, 0);
    EXPECT_EQ(offer.acceptRepair, 0);
    EXPECT_FALSE(window.askProductionOrders());

    window.answers.acceptRepair = true;
    window.answers.produce = true;
    window.askReplenish(offer);
    EXPECT_EQ(offer.acceptReplenish, 0);
    EXPECT_EQ(offer.acceptRepair, 1);
    EXPECT_TRUE(window.askProductionOrders());
    EXPECT_EQ(window.callsOf("askReplenish").at(0).args.at(1), 11);

    window.messageBox("text", "caption");
    ASSERT_EQ(window.messages().size(), 1u);
    EXPECT_EQ(window.messages()[0].second, "caption");
}

TEST(HeadlessLinks, KeepOnlyTheLatestCallsSoALongRunStaysSmall)
{
    HeadlessMainWindow window;
    const int made = int(LinkRecorder::kKeptCalls) + 500;
    for (int i = 0; i < made; ++i) {
        window.playSound(i);
        window.messageBox("text", "caption");
    }
    EXPECT_EQ(window.callCount(), uint64_t(2 * made));
    const std::vector<LinkCall> calls = window.calls();
    ASSERT_EQ(calls.size(), LinkRecorder::kKeptCalls);
    EXPECT_EQ(calls.back(), (LinkCall { "messageBox", {} }));
    const std::vector<LinkCall> sounds = window.callsOf("playSound");
    ASSERT_FALSE(sounds.empty());
    EXPECT_EQ(sounds.back().args, std::vector<int64_t> { made - 1 });
    EXPECT_EQ(window.messages().size(), LinkRecorder::kKeptCalls);
    window.clear();
    EXPECT_EQ(window.callCount(), 0u);
}
