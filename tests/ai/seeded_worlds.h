// Worlds for seeded all-computer games, shared by the computer-player tests and the benches: the
// sample maps' images, large generated worlds, random pools recorded from a seed, and a computer
// player that looks at what it makes.
#pragma once

#include "ai/computer_players.h"
#include "state/random_pool.h"

#include <cstdint>
#include <string>
#include <vector>

class ActionSettlement;
class GameState;

namespace testing_ai {

struct LargeWorldShape {
    int size = 64;
    // 2, 4 or 8 realms; more than four take two rows.
    int countries = 8;
    int unitsPerSide = 18;
    unsigned seed = 1;
};

// A map image as the map loader reads it; every country is played by the computer and none has a
// victory condition, so a game runs to its turn limit unless capitals fall.
// Countries in a grid of realms, each with a capital, towns, an airfield and a spread army, over
// mixed land cut by rivers and roads.
std::vector<uint8_t> largeWorldBytes(const LargeWorldShape& shape, int turn_limit);

// The map images of a file of the program's sample maps: itself, or each stage of a campaign.
std::vector<std::vector<uint8_t>> sampleMapImages(const char* file_name);

// A recorded pool drawn from the seed, so a game is the seed's and no other's.
RandomPool seededPool(unsigned seed);

// Loads the image into the state for a game of the computer alone: every country with a controller
// is played by the computer, no chime or income report, the pool drawn from the seed. The caller
// starts play. False when the image does not load.
bool readyComputerGame(GameState& state, const std::vector<uint8_t>& image, unsigned seed);

// The computer player, with every unit it makes looked at where it was made: the hex must hold the
// unit's movement type and open onto a neighbour the type can enter.
class WatchedProduction : public AiComputerPlayer {
public:
    int planProduction(GameState& state, int country) override;
    // One line per unit made where it cannot stand or cannot leave.
    const std::vector<std::string>& misplaced() const { return m_misplaced; }

private:
    std::vector<std::string> m_misplaced;
};

// Plays the started game to its end with the computer player and the settlement installed, then
// ends play.
void playWithSettlement(GameState& state, ActionSettlement& settlement);

} // namespace testing_ai
