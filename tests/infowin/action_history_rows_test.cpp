// What each kind of history record shows in the event and result columns, from one sample log:
// the words, the parties as the viewing country knows them, and the figures.
#include "infowin/action_history_rows.h"

#include "platform/kernel/host.h"
#include "state/action_history.h"
#include "tests/infowin/info_world.h"

#include <cstring>

using namespace info_test;
using history_rows::RowTrace;

namespace {

constexpr int kViewer = 0;

uint32_t halves(unsigned low, unsigned high) { return (low & 0xFFFF) | high << 16; }

// Members before and after, actor in the low word, target in the high one.
uint32_t engagement(unsigned actorBefore, unsigned actorAfter, unsigned targetBefore, unsigned targetAfter)
{
    return (actorBefore << 8 | actorAfter) | (targetBefore << 8 | targetAfter) << 16;
}

// A row's lines as the window shows them, in CP932.
RowTrace cpTrace(std::initializer_list<const char*> utf8)
{
    RowTrace out;
    for (const char* text : utf8)
        out.push_back(platform::utf8ToCp932(text));
    return out;
}

struct Sample {
    const char* what;
    HistoryRecord record;
    RowTrace event;
    RowTrace result;
};

class HistoryRows : public ::testing::Test {
protected:
    HistoryRows()
    {
        for (const UnitTypeRecord& type : info.state().unitTypes())
            if (type.available == 1 && typeId == 0)
                typeId = type.id;
        HDC screen = GetDC(nullptr);
        dc = CreateCompatibleDC(screen);
        bitmap = CreateCompatibleBitmap(screen, 2048, 18);
        ReleaseDC(nullptr, screen);
        old = SelectObject(dc, bitmap);
        SelectObject(dc, info.world.look().font(kSmallFont).handle());
    }
    ~HistoryRows() override
    {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }

    // A record of country 0's unit "A1" against country 1's "B2", which country 0 has seen.
    HistoryRecord record(int kind, uint32_t value = 0) const
    {
        HistoryRecord r {};
        r.kind = uint16_t(kind);
        r.turn = 3;
        r.x = 5;
        r.y = 6;
        r.side0 = 0;
        r.type0 = uint16_t(typeId);
        r.side1 = 1;
        r.type1 = uint16_t(typeId);
        r.value = value;
        r.sideMask = 0xFF;
        std::strcpy(r.unit0, "A1");
        std::strcpy(r.unit1, "B2");
        r.seen0 = 0x01;
        r.seen1 = 0x01;
        return r;
    }
    // A one-party record: the second slot holds a mark byte and a detail word.
    HistoryRecord single(int kind, uint32_t value, uint8_t mark = 0, uint16_t detail = 0) const
    {
        HistoryRecord r = record(kind, value);
        r.side1 = mark;
        r.type1 = detail;
        r.unit1[0] = 0;
        return r;
    }
    HistoryRecord target(int kind, uint32_t value, uint16_t terrain) const
    {
        HistoryRecord r = single(kind, value, 0, terrain);
        std::snprintf(r.unit1, sizeof r.unit1, "%3d,%3d", 7, 8);
        return r;
    }

    RowTrace event(const HistoryRecord& r, int viewer = kViewer)
    {
        RowTrace trace;
        history_rows::paintEvent(dc, info.world.look(), info.state(), 0, 2048, 0, r, viewer, &trace);
        return trace;
    }
    RowTrace result(const HistoryRecord& r, int viewer = kViewer)
    {
        RowTrace trace;
        history_rows::paintResult(dc, info.world.look(), info.state(), 0, 2048, 0, r, viewer, &trace);
        return trace;
    }

    InfoWorld info;
    int typeId = 0;
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ old = nullptr;
};

} // namespace

TEST_F(HistoryRows, EveryKindShowsItsWordPartiesAndResult)
{
    ASSERT_GT(typeId, 0);
    HistoryRecord unitShape = record(2);
    std::strcpy(unitShape.unit0, "NEW");
    unitShape.side1 = 0;
    std::strcpy(unitShape.unit1, "OLD");
    HistoryRecord launchedByBuilding = target(19, 2, 3);
    launchedByBuilding.side0 = 8;
    launchedByBuilding.type0 = 30;
    HistoryRecord seenCombat = record(15, engagement(4, 4, 6, 0));
    seenCombat.seen = 1;

    const Sample samples[] = {
        { "production", single(0, 0), cpTrace({ "生産完了", "[unit]", "A1" }), {} },
        { "production start", single(23, 0), cpTrace({ "生産開始", "[unit]", "A1" }), {} },
        { "reinforcements", single(24, 0), cpTrace({ "増援登場", "[unit]", "A1" }), {} },
        { "restoration done", single(1, halves(40, 30), 40, 0x0121), cpTrace({ "修復完了", "[unit]", "A1" }),
            cpTrace({ "[land]", "耐久度 30 → 40" }) },
        { "reinforcement under way", single(27, halves(35, 30), 40, 0x0121), cpTrace({ "補強実行", "[unit]", "A1" }),
            cpTrace({ "[land]", "耐久度 30 → 35" }) },
        { "demolition done", single(12, halves(0, 20), 0, 0x0121), cpTrace({ "破壊完了", "[unit]", "A1" }),
            cpTrace({ "[land]", "耐久度 20 → 0" }) },
        { "exchange", single(6, halves(2, 0)), cpTrace({ "交換完了", "[unit]", "A1" }), cpTrace({ "PACK1 → PACK3" }) },
        { "exchange refused", single(6, halves(1, 1)), cpTrace({ "交換不可", "[unit]", "A1" }), cpTrace({ "PACK2 → PACK2" }) },
        { "pillbox", single(9, 0), cpTrace({ "設営完了", "[unit]", "A1" }), {} },
        { "bridge", single(10, 0), cpTrace({ "架橋完了", "[unit]", "A1" }), {} },
        { "road", single(26, halves(4, 6)), cpTrace({ "道路施設", "[unit]", "A1" }), cpTrace({ "  4,  6 →   5,  6" }) },
        { "merge failed", single(7, 0xFFFFFFFFu), cpTrace({ "合流失敗", "[unit]", "A1" }), {} },
        { "merge", single(7, halves(5, 3)), cpTrace({ "合流完了", "[unit]", "A1" }), cpTrace({ "合流後機数 5  合流元残機数 3" }) },
        { "split", single(8, halves(2, 4)), cpTrace({ "分散完了", "[unit]", "A1" }), cpTrace({ "分散後機数 2  分散元残機数 4" }) },
        { "transformation", unitShape, cpTrace({ "変形完了", "[unit]", "OLD", " → ", "[unit]", "NEW" }), {} },
        { "supply", single(4, 1), cpTrace({ "補給完了", "[unit]", "A1" }), {} },
        { "supply without funds", single(4, 0), cpTrace({ "補給不可", "[unit]", "A1" }), cpTrace({ "軍資金不足" }) },
        { "replenished fully", single(5, halves(4, 2), 0, 1), cpTrace({ "補充完了", "[unit]", "A1" }), cpTrace({ "機数 2 → 4" }) },
        { "repair under way", single(25, halves(18, 10), 0, 0), cpTrace({ "修理実行", "[unit]", "A1" }), cpTrace({ "耐久度 10 → 18" }) },
        { "disband", single(17, 0), cpTrace({ "部隊解散", "[unit]", "A1" }), {} },
        { "jamming", single(13, 0), cpTrace({ "妨害開始", "[unit]", "A1" }), {} },
        { "occupation done", single(3, halves(0, 10), 0, 0x0121), cpTrace({ "占領完了", "[unit]", "A1" }),
            cpTrace({ "[land]", " → ", "[land]" }) },
        { "occupation under way", single(3, halves(5, 10), 0, 0x0121), cpTrace({ "占領実行", "[unit]", "A1" }),
            cpTrace({ "[land]", " 10 → 5" }) },
        { "combat", record(14, engagement(4, 2, 6, 3)), cpTrace({ "戦闘発生", "[unit]", "A1", " vs ", "[unit]", "B2" }),
            cpTrace({ "[unit]", " 4 →  2", "[unit]", " 6 →  3" }) },
        { "seen friendly fire", seenCombat, cpTrace({ "誤射発生", "[unit]", "A1", " → ", "[unit]", "B2" }),
            cpTrace({ "[unit]", " 4 →  4", "[unit]", " 6 →  0" }) },
        { "self-destruction", record(11, engagement(1, 0, 5, 2)), cpTrace({ "自爆　　", "[unit]", "A1", " -> ", "[unit]", "B2" }),
            cpTrace({ "[unit]", " 1 →  0", "[unit]", " 5 →  2" }) },
        { "ground attack", target(28, engagement(3, 3, 0, 0), 2), cpTrace({ "地上攻撃", "[unit]", "A1", " vs ", "[land]", "  7,  8" }),
            cpTrace({ "[unit]", " 3 →  3", "[land]" }) },
        { "ground friendly fire", target(30, engagement(3, 1, 0, 0), 2),
            cpTrace({ "誤射発生", "[unit]", "A1", " vs ", "[land]", "  7,  8" }), cpTrace({ "[unit]", " 3 →  1", "[land]" }) },
        { "missile", target(19, 3, 2), cpTrace({ "ﾐｻｲﾙ発射", "[unit]", "A1", " → ", "[land]", "  7,  8" }), cpTrace({ "残ミサイル数 3" }) },
        { "missile from a building", launchedByBuilding, cpTrace({ "ﾐｻｲﾙ発射", "[land]", " → ", "[land]", "  7,  8" }),
            cpTrace({ "残ミサイル数 2" }) },
        { "crash", single(21, 0), cpTrace({ "燃料切れ", "[unit]", "A1" }), cpTrace({ "墜落" }) },
        { "fuel out", single(22, 0), cpTrace({ "燃料切れ", "[unit]", "A1" }), cpTrace({ "燃料残 0" }) },
        { "mines cleared", single(29, 0, 1), cpTrace({ "地雷除去", "[unit]", "A1" }), cpTrace({ "除去完了" }) },
        { "sweeping unconfirmed", single(16, 0, 0), cpTrace({ "機雷掃海", "[unit]", "A1" }), cpTrace({ "未確認" }) },
        { "land mine", single(20, halves(5, 3)), cpTrace({ "地雷作動", "[unit]", "A1" }), cpTrace({ "[unit]", " 5 →  3" }) },
        { "sea mine", single(18, halves(4, 4)), cpTrace({ "機雷作動", "[unit]", "A1" }), cpTrace({ "[unit]", " 4 →  4" }) },
        { "transport", record(31, 7), cpTrace({ "輸送完了", "[unit]", "A1" }), cpTrace({ "[unit]", "B2", " 7" }) },
    };
    for (const Sample& sample : samples) {
        EXPECT_EQ(event(sample.record), sample.event) << sample.what;
        EXPECT_EQ(result(sample.record), sample.result) << sample.what;
    }
}

TEST_F(HistoryRows, PartiesTheViewerDoesNotKnowAreUnknwon)
{
    HistoryRecord combat = record(14, engagement(4, 2, 6, 3));
    combat.seen1 = 0;
    EXPECT_EQ(event(combat), cpTrace({ "戦闘発生", "[unit]", "A1", " vs ", "[unknown]", "Unknwon" }));
    EXPECT_EQ(result(combat), cpTrace({ "[unit]", " 4 →  2", "[unknown]", " ? →  ?" }));
    // Its own country knows a party it has not seen; a country that saw neither knows nothing.
    EXPECT_EQ(event(combat, 1), cpTrace({ "戦闘発生", "[unknown]", "Unknwon", " vs ", "[unit]", "B2" }));
    EXPECT_EQ(event(combat, 2), cpTrace({ "戦闘発生", "[unknown]", "Unknwon", " vs ", "[unknown]", "Unknwon" }));

    HistoryRecord transport = record(31, 7);
    transport.seen1 = 0;
    EXPECT_EQ(result(transport), cpTrace({ "[unknown]", "Unknwon", " ?" }));
}

TEST_F(HistoryRows, NamesAreBoundedAndKindsPastTheMaskShowNothing)
{
    HistoryRecord full = single(0, 0);
    std::memset(full.unit0, 'N', sizeof full.unit0);
    full.unit1[0] = 'X';
    const RowTrace trace = event(full);
    ASSERT_EQ(trace.size(), 3u);
    EXPECT_EQ(trace[2], std::string(34, 'N'));
    // The second party stands 24 pixels after the first party's end, its separator in that gap:
    // word 49, icon 16 and two characters of name and a pixel, twice.
    EXPECT_EQ(history_rows::paintEvent(dc, info.world.look(), info.state(), 0, 2048, 0, record(14), kViewer), 49 + 29 + 24 + 29);

    EXPECT_TRUE(event(single(40, 0)).empty());
    EXPECT_TRUE(result(single(40, 0)).empty());
    EXPECT_TRUE(history_rows::kindListed(31, 0x80000000u));
    EXPECT_FALSE(history_rows::kindListed(32, 0xFFFFFFFFu));
    EXPECT_FALSE(history_rows::kindListed(0x100, 0xFFFFFFFFu)) << "the kind is a word: no shift past the mask";
    EXPECT_EQ(history_rows::viewMaskOf(3), 0x08);
    EXPECT_EQ(history_rows::viewMaskOf(8), 0xFF);
    EXPECT_EQ(history_rows::viewMaskOf(-1), 0xFF);
}
