// GameThreadWorld: two computer countries and a neutral unit on a small map, with a scripted computer player.
#pragma once

#include "rules/game_thread.h"
#include "rules/headless_links.h"
#include "rules/links.h"
#include "rules/phases.h"
#include "rules/scans_placement.h"
#include "tests/rules/enterable_terrain.h"
#include "tests/state/small_world.h"

#include <deque>
#include <map>
#include <vector>

namespace testing_rules {

// Records each side it plays for; answers the results queued for a side, then 0.
class ScriptedPlayer : public ComputerPlayer {
public:
    void rebuildAnalysis(GameState&, int) override { }
    void buildKnownHexLayers(GameState&, int side) override { knownLayers.push_back(side); }
    int playTurn(GameState&, int side, const std::atomic<BYTE>&) override
    {
        turns.push_back(side);
        std::deque<int>& queue = results[side];
        if (queue.empty())
            return 0;
        int result = queue.front();
        queue.pop_front();
        return result;
    }
    int planProduction(GameState&, int country) override
    {
        productions.push_back(country);
        return 0;
    }

    std::vector<int> turns;
    std::vector<int> productions;
    std::vector<int> knownLayers;
    std::map<int, std::deque<int>> results;
};

class GameThreadWorld : public testing_state::SmallWorld {
public:
    explicit GameThreadWorld(int turn_limit = 5)
        : SmallWorld(10, 8)
    {
        for (const UnitTypeRecord& type : state().unitTypes())
            if (type.domain == 3 && type.id > 0 && type.unitClass != kHeadquartersClass && landType < 0)
                landType = type.id;
        for (int c = 0; c < kCountryCount; ++c) {
            state().country(c).controller = c < 2 ? 2 : 0;
            state().country(c).inPlay = c < 2 ? 1 : 0;
            state().country(c).fundsCeiling = 1000000;
            state().country(c).marketRate = 100;
            state().country(c).capitalX = 0xFFFF;
            state().country(c).capitalY = 0xFFFF;
        }
        testing_rules::makeEnterable(*this, landType);
        setTurnLimit(turn_limit);
        state().recreateSightMaps();
        placeUnit(0, landType, 1, 1);
        placeUnit(1, landType, 8, 6);
        setRule(kRuleProducing, 1);
        setRulesLinks({ &window, &map, &dialogs, &battle });
    }
    ~GameThreadWorld() { setRulesLinks({}); }

    void setTurnLimit(int turns)
    {
        state().mapHeader().turnLimit = uint16_t(turns);
    }
    TurnBlock& turn() { return state().turnBlock(); }

    HeadlessMainWindow window;
    HeadlessMapWindow map;
    HeadlessDialogs dialogs;
    HeadlessBattle battle;
    ScriptedPlayer player;
    GameThread thread { state(), player, StepYield::None };
    int landType = -1;
};

} // namespace testing_rules
