// The information windows' lists on the generated data: the whole producible list sorted by each
// of its four keys, and a full page (30 rows) of the troop list box drawn and copied to the screen.
#include "bench/program_folder.h"
#include "infowin/troop_list_box.h"
#include "lib/window.h"
#include "platform/desktop/harness.h"
#include "state/game_state.h"
#include "state/unit_facts.h"
#include "state/unit_type_sort.h"
#include "ui/presentation.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>

namespace {

GameState& game()
{
    static std::unique_ptr<GameState> state = startBenchGameState();
    return *state;
}

// Key 0 class, 1 name, 2 member count, 3 cost; each run starts from the list in id order.
void sortProducibleList(benchmark::State& bench)
{
    GameState& state = game();
    const int key = int(bench.range(0));
    std::vector<uint32_t> list;
    for (auto _ : bench) {
        bench.PauseTiming();
        list = producibleUnitTypes(state, 0);
        bench.ResumeTiming();
        sortProducibleTypes(state, key, list);
        benchmark::DoNotOptimize(list.data());
    }
    bench.SetItemsProcessed(bench.iterations() * int64_t(list.size()));
    bench.SetLabel(std::to_string(list.size()) + " types");
}
BENCHMARK(sortProducibleList)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

class Owner : public swCWindow {
public:
    Owner()
        : swCWindow("InfoBenchOwner")
    {
        setStyle(WS_POPUP | WS_VISIBLE);
        setFrame(0, 0, 800, 600);
    }
};

constexpr int kPageRows = 30;

void drawTroopPage(benchmark::State& bench)
{
    GameState& state = game();
    const int type = state.unitTypes()[2].id;
    std::vector<uint32_t> keys;
    for (int i = 0; i < kPageRows; ++i) {
        UnitRecord& unit = *state.unitOf(0, i);
        unit = UnitRecord {};
        unit.stateLow = 1;
        unit.unitTypeId = uint16_t(type);
        std::memcpy(unit.name, state.unitTypeRecord(type).name, sizeof unit.name);
        unit.troopNumber = uint16_t(i + 1);
        unit.memberLimit = 4;
        unit.memberStrengths[0] = unit.memberStrengths[1] = 10;
        unit.flags = i % 3 == 0 ? kUnitActed : 0;
        keys.push_back(uint32_t(i) << 16);
    }
    state.setUnitCount(0, kPageRows);
    Presentation look(state);
    look.startUp();
    Owner owner;
    owner.Create();
    auto* box = new TroopListBox(&owner, state, look, 1000, &keys);
    box->controlCreate({ 0, 0, kTroopRowWidth + GetSystemMetrics(SM_CXVSCROLL) + 2, kTroopRowHeight * kPageRows + 2 });
    SendMessageA(box->handle(), LB_SETITEMHEIGHT, 0, kTroopRowHeight);
    for (int i = 0; i < kPageRows; ++i)
        SendMessageA(box->handle(), LB_ADDSTRING, 0, LPARAM(i));
    for (auto _ : bench) {
        InvalidateRect(box->handle(), nullptr, FALSE);
        UpdateWindow(box->handle());
    }
    bench.SetItemsProcessed(bench.iterations() * kPageRows);
    DestroyWindow(owner.handle());
}
BENCHMARK(drawTroopPage)->Unit(benchmark::kMicrosecond);

} // namespace
