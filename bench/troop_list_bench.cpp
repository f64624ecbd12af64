// The troop list at its fullest: eight countries of 1,000 units each, every column sorted, and the
// list window opened on one of them (created, sorted, filled and painted once).
#include "bench/program_folder.h"
#include "infowin/troop_list_ids.h"
#include "infowin/troop_list_window.h"
#include "lib/window.h"
#include "platform/kernel/host.h"
#include "state/game_state.h"
#include "state/troop_sort.h"
#include "state/unit_facts.h"
#include "ui/main_window_services.h"
#include "ui/presentation.h"
#include "ui/window_context.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <memory>

namespace {

constexpr int kUnitsPerCountry = 1000;

// Names as a long game leaves them: most units keep their type's name, some were renamed, a few
// with marks and Latin letters of either case.
void fillCountries(GameState& state)
{
    const auto& types = state.unitTypes();
    const std::string renamed = platform::utf8ToCp932("第%d戦車中隊");
    const std::string latin[4] = { "Alpha-%d", "alpha %d", "BRAVO'%d", "Charlie %d" };
    uint32_t seed = 12345;
    auto next = [&seed](uint32_t range) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) % range;
    };
    for (int country = 0; country < kCountryCount; ++country) {
        for (int i = 0; i < kUnitsPerCountry; ++i) {
            UnitRecord& unit = *state.unitOf(country, i);
            unit = UnitRecord {};
            const auto& type = types[(size_t(i) * 7 + size_t(country)) % types.size()];
            unit.stateLow = i % 97 == 13 ? 0 : 1;
            unit.unitTypeId = uint16_t(type.id);
            const uint32_t naming = next(10);
            if (naming < 6)
                std::memcpy(unit.name, state.unitTypeRecord(type.id).name, sizeof unit.name);
            else if (naming < 8)
                std::snprintf(unit.name, sizeof unit.name, renamed.c_str(), int(next(300)));
            else
                std::snprintf(unit.name, sizeof unit.name, latin[next(4)].c_str(), int(next(50)));
            unit.troopNumber = uint16_t(next(400) + 1);
            unit.x = uint8_t(next(120));
            unit.y = uint8_t(next(120));
            unit.memberLimit = 10;
            for (uint32_t m = 0, members = next(10) + 1; m < members; ++m)
                unit.memberStrengths[m] = 10;
            unit.fatigue = uint16_t(next(40));
            unit.fuel = uint16_t(next(200));
            unit.experience = uint16_t(next(3000));
            static const uint16_t kFlags[] = { 0, 0, 0, kUnitActed, kUnitStored, kUnitAboard, kUnitCarrying, kUnitActed | kUnitAboard };
            unit.flags = kFlags[next(8)];
        }
        state.setUnitCount(country, kUnitsPerCountry);
        state.country(country).unitListLength = kUnitsPerCountry;
        state.country(country).controller = country == 0 ? 1 : 2;
        state.country(country).inPlay = 1;
    }
}

GameState& game()
{
    static std::unique_ptr<GameState> state = [] {
        auto made = startBenchGameState();
        fillCountries(*made);
        return made;
    }();
    return *state;
}

// One column of one country per run, the countries in turn; each run starts from table order.
void sortTroopColumn(benchmark::State& bench)
{
    GameState& state = game();
    const int key = int(bench.range(0));
    int country = 0;
    for (auto _ : bench) {
        std::vector<uint32_t> keys = sortedSideUnits(state, country, key, 0);
        benchmark::DoNotOptimize(keys.data());
        country = (country + 1) % kCountryCount;
    }
    bench.SetItemsProcessed(bench.iterations() * kUnitsPerCountry);
}
BENCHMARK(sortTroopColumn)->DenseRange(0, 9)->Unit(benchmark::kMicrosecond);

class Owner : public swCWindow {
public:
    Owner()
        : swCWindow("TroopListBenchOwner")
    {
        setStyle(WS_POPUP | WS_VISIBLE);
        setFrame(0, 0, 100, 100);
    }
};

void pumpMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
}

// The list opened on the person's country as last sorted by type name, painted, then closed.
void openTroopList(benchmark::State& bench)
{
    GameState& state = game();
    state.turnBlock().currentCountry = 0;
    state.turnBlock().viewingCountry = 0;
    TroopListWindow::resetSortMemory();
    // The window draws with a presentation of its own context: none is installed here.
    Presentation look(state);
    look.startUp();
    const WindowContext context { state, mainWindowServices(), look };
    Owner owner;
    owner.Create();
    if (TroopListWindow* first = TroopListWindow::open(context, &owner)) {
        SendMessageA(first->handle(), WM_COMMAND, MAKEWPARAM(troop_list_id::kFirstHeader + 5, BN_CLICKED), 0);
        DestroyWindow(first->handle());
        pumpMessages();
    }
    for (auto _ : bench) {
        TroopListWindow* list = TroopListWindow::open(context, &owner);
        if (!list) {
            bench.SkipWithError("the troop list did not open");
            break;
        }
        pumpMessages();
        bench.PauseTiming();
        DestroyWindow(list->handle());
        pumpMessages();
        bench.ResumeTiming();
    }
    bench.SetLabel("sorted by key " + std::to_string(TroopListWindow::currentSortKey()));
    DestroyWindow(owner.handle());
}
BENCHMARK(openTroopList)->Unit(benchmark::kMillisecond);

} // namespace
