// VictoryWorld: three countries in play on a small map, with capitals, a visible main window and recorded dialogs.
#pragma once

#include "rules/headless_links.h"
#include "rules/links.h"
#include "tests/state/small_world.h"

namespace testing_rules {

class VisibleMainWindow : public HeadlessMainWindow {
public:
    bool isVisible() const override { return true; }
};

class VictoryWorld : public testing_state::SmallWorld {
public:
    static constexpr int kPlaying = 3;

    VictoryWorld()
        : SmallWorld(12, 8)
    {
        for (int c = 0; c < kCountryCount; ++c) {
            state().country(c).controller = c < kPlaying ? 2 : 0;
            state().country(c).inPlay = c < kPlaying ? 1 : 0;
            state().country(c).capitalX = 0xFFFF;
            state().country(c).capitalY = 0xFFFF;
        }
        for (const UnitTypeRecord& type : state().unitTypes())
            if (type.domain == 3 && type.id > 0) {
                landType = type.id;
                break;
            }
        capitalType = terrainOfKind(kTerrainCapital);
        townType = terrainOfKind(kTerrainBuilding);
        state().turnBlock().currentCountry = 0;
        state().turnBlock().phase = 5;
        setRulesLinks({ &window, nullptr, &dialogs, nullptr });
    }
    ~VictoryWorld() { setRulesLinks({}); }

    // A capital of the country on (x, y), its home hex, counted in the capital-check mask.
    int placeCapital(int country, int x, int y)
    {
        cell(x, y).terrain = uint8_t(capitalType);
        state().country(country).capitalX = uint16_t(x);
        state().country(country).capitalY = uint16_t(y);
        state().turnBlock().capitalMask |= uint8_t(1u << country);
        return placeBuilding(capitalType, country, x, y);
    }
    void ally(int a, int b)
    {
        state().country(a).allianceMask |= uint8_t(1u << b);
        state().country(b).allianceMask |= uint8_t(1u << a);
    }
    int outcome(int c) { return state().country(c).outcome; }

    VisibleMainWindow window;
    HeadlessDialogs dialogs;
    int landType = -1;
    int capitalType = -1;
    int townType = -1;
};

} // namespace testing_rules
