// The movement range against the plain whole-map range, hex by hex, for every unit of the side about to
// act in seeded all-computer games on every sample map and on large generated worlds: the bounded
// set-up, the flood and the queries of hexes far outside the unit's reach all answer as before.
#include "ai/computer_players.h"
#include "rules/game_thread.h"
#include "rules/play.h"
#include "state/game_state.h"
#include "tests/ai/move_range_reference.h"
#include "tests/ai/seeded_worlds.h"
#include "tests/state/small_world.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

using testing_ai::RangeSetUp;
using testing_ai::ReferenceRange;

namespace {

// Hexes whose answers differ, with the first few named.
struct Differences {
    int count = 0;
    std::string first;

    void note(const char* what, int x, int y, int64_t got, int64_t expected)
    {
        if (count++ < 4)
            first += std::string(what) + " at " + std::to_string(x) + "," + std::to_string(y) + ": " + std::to_string(got)
                + " not " + std::to_string(expected) + "; ";
    }
};

// Costs first and only then the flags, so that the costs are compared as flooded, before a query far
// away makes the range fill in the rest of the map.
Differences compare(GameState& state, const RangeSetUp& setUp)
{
    MoveRangeMap range(state, setUp.side, setUp.index);
    range.setCostLimit(setUp.limit);
    range.setBuildUnitFlags(setUp.unitFlags);
    range.setSecondLayer(setUp.secondLayer);
    range.setMinesImpassable(setUp.minesImpassable);
    range.setGoal(setUp.goal.x, setUp.goal.y);
    range.compute();
    const ReferenceRange expected(state, setUp);
    Differences out;
    if (range.workingLimit() != expected.workingLimit)
        out.note("working limit", 0, 0, range.workingLimit(), expected.workingLimit);
    const int w = expected.width, h = expected.height;
    for (int layer = 0; layer < 2; ++layer)
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const int want = expected.costs[layer].empty() ? -1 : expected.costs[layer][size_t(y * w + x)];
                if (range.costIn(x, y, layer) != want)
                    out.note(layer ? "cost 1" : "cost 0", x, y, range.costIn(x, y, layer), want);
            }
    // Within reach and next to it, then everywhere.
    for (int pass = 0; pass < 2; ++pass)
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const size_t i = size_t(y * w + x);
                if (pass == 0 && expected.costs[0][i] < 0)
                    continue;
                if (range.flagsAt(x, y) != expected.flags[i])
                    out.note("flags", x, y, range.flagsAt(x, y), expected.flags[i]);
                if (range.entryCost(x, y) != expected.entryCosts[i])
                    out.note("entry cost", x, y, range.entryCost(x, y), expected.entryCosts[i]);
                if (range.exitDirs(x, y) != expected.exitDirs[i])
                    out.note("exits", x, y, range.exitDirs(x, y), expected.exitDirs[i]);
            }
    return out;
}

// Before each side's action, every unit of the side on the map is ranged in four ways: as the computer
// asks (its move points, unit flags, the second layer), a short reach, a long one towards a goal with
// mines impassable, and the whole map without units.
class ComparingPlayer : public AiComputerPlayer {
public:
    explicit ComparingPlayer(std::string game)
        : m_game(std::move(game))
    {
    }

    int playTurn(GameState& state, int side, const std::atomic<BYTE>& stop) override
    {
        if (m_turnsLeft > 0) {
            --m_turnsLeft;
            compareSide(state, side);
        }
        return AiComputerPlayer::playTurn(state, side, stop);
    }

    int ranges = 0;
    int m_turnsLeft = 1 << 30;

private:
    void compareSide(GameState& state, int side)
    {
        for (int i = 0; i < int(state.unitCount(side)); ++i) {
            const UnitRecord& unit = *state.unitOf(side, i);
            if (unit.state() != 1 || !unit.isOnOwnHex() || unit.hasFlag(kUnitAwaitingProduction))
                continue;
            const int points = unit.movePoints();
            const HexPos goal { int(m_random() % unsigned(state.mapWidth())), int(m_random() % unsigned(state.mapHeight())) };
            const RangeSetUp setUps[] = {
                { side, i, points, true, true, false, kNoHex },
                { side, i, 3, true, false, false, kNoHex },
                { side, i, points * 3 + 5, true, true, true, goal },
                { side, i, 1 << 20, false, false, false, kNoHex },
            };
            for (const RangeSetUp& setUp : setUps) {
                const Differences d = compare(state, setUp);
                ++ranges;
                EXPECT_EQ(d.count, 0) << m_game << " side " << side << " unit " << i << " limit " << setUp.limit << ": "
                                      << d.first;
            }
        }
    }

    std::string m_game;
    std::mt19937 m_random { 5 };
};

int playComparing(const std::vector<uint8_t>& image, unsigned seed, const std::string& game, int side_turns)
{
    testing_state::SmallWorld world(4, 4);
    GameState& state = world.state();
    EXPECT_TRUE(testing_ai::readyComputerGame(state, image, seed));
    startPlay(state);
    ComparingPlayer player(game);
    player.m_turnsLeft = side_turns;
    GameThread thread(state, player, StepYield::None);
    // Enough steps for the side turns to be compared, and no more.
    for (int step = 0; step < 4000 && player.m_turnsLeft > 0 && !state.turnBlock().decided; ++step)
        thread.runStep();
    endPlay(state);
    return player.ranges;
}

} // namespace

TEST(MoveRangeEquivalence, EverySampleMapAsTheWholeMapRange)
{
    for (const char* name : { "training.vtm", "riverside.vts", "continent.vtm", "border.vtc", "duel.vtm", "pentagon.vtm",
             "octagon.vtm" }) {
        const auto images = testing_ai::sampleMapImages(name);
        ASSERT_FALSE(images.empty()) << name;
        for (size_t stage = 0; stage < images.size(); ++stage) {
            const int ranges = playComparing(images[stage], unsigned(stage + 1), std::string(name) + "/" + std::to_string(stage), 40);
            EXPECT_GT(ranges, 40) << name << " stage " << stage;
        }
    }
}

TEST(MoveRangeEquivalence, LargeGeneratedWorldsAsTheWholeMapRange)
{
    const int small = playComparing(testing_ai::largeWorldBytes({ 64, 8, 18, 11 }, 10), 3, "64x8", 24);
    EXPECT_GT(small, 1000);
    const int large = playComparing(testing_ai::largeWorldBytes({ 128, 2, 60, 12 }, 10), 4, "128x2", 4);
    EXPECT_GT(large, 500);
}
