// Damaged saved games: every refusal leaves the game in memory exactly as it was.
#include "tests/state/saved_game_world.h"

#include <gtest/gtest.h>

namespace {

using testing_state::SavedGameWorld;

class DamagedSave : public SavedGameWorld {
public:
    DamagedSave()
    {
        EXPECT_TRUE(save("good.dat"));
        good = read("good.dat");
        fields = testing_state::savedGameFields(good);
    }

    // Loads bytes as a save and checks the refusal left the game as it was.
    void expectRefused(const std::string& bytes, const std::string& label)
    {
        write("bad.dat", bytes);
        FileRefusal why;
        EXPECT_FALSE(loadGameFile(state(), path("bad.dat").c_str(), &why)) << label;
        EXPECT_FALSE(why.detail.empty()) << label;
        ASSERT_TRUE(save("after.dat"));
        EXPECT_TRUE(read("after.dat") == good) << label << ": " << why.detail;
        EXPECT_EQ(state().historyLog().count(), 2u) << label;
    }
    std::string with(const std::string& field, uint32_t value, size_t extra = 0) const
    {
        std::string bytes = good;
        std::memcpy(bytes.data() + fields.at(field) + extra, &value, 4);
        return bytes;
    }

    std::string good;
    std::map<std::string, size_t> fields;
};

TEST(SavedGameDamage, OversizedBlocksCountsAndTurnFieldsOutOfRangeAreRefused)
{
    DamagedSave world;
    struct Case {
        const char* field;
        uint32_t value;
        size_t extra = 0;
    };
    const Case cases[] = {
        { "campaign", 2763 }, { "scenario", 16064 }, { "header", 587 }, { "turn", 2341 },
        { "countries", 159 }, { "countries", 0 }, { "neutral", 11 }, { "rules", 53 },
        { "cells", 17 }, { "cells", 0 },
        { "buildings.size", 49 }, { "buildings.size", 0 }, { "buildings.count", 13 * 6 + 1 },
        { "places.size", 38 }, { "places.count", 1001 }, { "listed10.size", 11 }, { "listed12.size", 13 },
        { "listed10.count", 65537 }, { "stats.size", 225 }, { "stats.count", 65537 },
        { "units.size", 155 }, { "units.size", 0 }, { "units.count", 1001 }, { "missiles.count", 1001 },
        { "destroyed.size", 43 }, { "destroyed.count", 101 },
        // A count the file cannot hold runs into the end of the file.
        { "units.count", 999 }, { "stats.count", 60000 },
        // The map size: 300 x 300 hexes, and 0 wide.
        { "width", 300u | 300u << 16 }, { "width", 0u | 6u << 16 },
        // Turn block fields from its byte 2 (the phase, beside current side 1), 4 (the current
        // side), 8 (the viewing country), 24 (the turn order) and 2204 (the next turn's).
        { "turn", 8u | 1u << 16, 6 }, { "turn", 9u | 1u << 16, 6 }, { "turn", 160u | 1u << 16, 6 },
        { "turn", 65535u | 1u << 16, 6 }, { "turn", 10, 8 }, { "turn", 0xFF, 12 },
        { "turn", 0x03020101, 28 }, { "turn", 0x03020108, 28 }, { "turn", 0x04050707, 2208 },
    };
    for (const Case& c : cases)
        world.expectRefused(world.with(c.field, c.value, c.extra), std::string(c.field) + "+" + std::to_string(c.extra) + "=" + std::to_string(c.value));

    std::string magic = world.good;
    magic[15] = '7';
    world.expectRefused(magic, "unknown magic");
    world.expectRefused(world.good + "x", "a byte past the last record");
    std::string pool = world.good;
    pool[world.fields.at("pool") + 1] = char(0xFF);
    pool[world.fields.at("pool") + 1 + 16384 + 4] = char(0xFF);
    world.expectRefused(pool, "random pool row out of range");
}

TEST(SavedGameDamage, EveryCutShortFileIsRefused)
{
    DamagedSave world;
    std::vector<size_t> cuts = { 0, 10, 16, 20, 2000 };
    for (const auto& [name, at] : world.fields) {
        cuts.push_back(at + 2);
        cuts.push_back(at + 6);
    }
    // 21 bytes short is an older save without the sibling record, which loads.
    for (size_t back : { 1, 5, 12, 14, 20, 22, 100, 3000 })
        cuts.push_back(world.good.size() - back);
    for (size_t cut : cuts)
        world.expectRefused(world.good.substr(0, cut), "cut at " + std::to_string(cut));
}

} // namespace
