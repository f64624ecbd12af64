// Map drawing time on the continent sample: a full redraw of a 1280 x 960 view at each zoom, the
// update of one hex with a unit, as moves and blinks redraw it, the check a refresh makes of what
// changed, and a screenshot of the view written.
#include "app/map_renderer.h"
#include "bench/program_folder.h"
#include "platform/gdi/png.h"
#include "rules/visibility.h"
#include "state/game_state.h"
#include "state/map_file.h"
#include "ui/presentation.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

struct ContinentView {
    ContinentView()
    {
        prepareBenchProgramFolder();
        game = std::make_unique<GameState>();
        game->startUp();
        std::ifstream in(fs::path(DERAZODO_PROGRAM_DIR) / "tkmap" / "continent.vtm", std::ios::binary);
        const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
        loaded = game->loadMapImage(bytes.data(), bytes.size());
        setStateRulesHooks(&hooks);
        look = std::make_unique<Presentation>(*game);
        look->startUp();
        renderer = std::make_unique<MapRenderer>(*game, *look);
        sheets = renderer->loadSheets().empty();
        renderer->setViewer(0, true);
    }
    ~ContinentView() { setStateRulesHooks(nullptr); }

    // The first unit of country 0 on the map, for the one-hex update.
    bool firstUnitHex(int& x, int& y) const
    {
        for (uint32_t i = 0; i < game->unitCount(0); ++i) {
            const UnitRecord* unit = game->unitOf(0, int(i));
            if (unit && unit->state() == 1 && unit->isOnOwnHex()) {
                x = unit->x;
                y = unit->y;
                return true;
            }
        }
        return false;
    }

    std::unique_ptr<GameState> game;
    std::unique_ptr<Presentation> look;
    VisibilityHooks hooks;
    std::unique_ptr<MapRenderer> renderer;
    bool loaded = false;
    bool sheets = false;
};

ContinentView& continent()
{
    static ContinentView view;
    return view;
}

// The 1280 x 960 view at the top-left of the map at the zoom the run asks; null when it cannot be drawn.
ContinentView* viewAtZoom(benchmark::State& state)
{
    ContinentView& view = continent();
    if (!view.loaded || !view.sheets) {
        state.SkipWithError("the continent map or the map sheets did not load");
        return nullptr;
    }
    view.renderer->setZoom(int(state.range(0)));
    view.renderer->setView(POINT { 0, 0 }, SIZE { 1280, 960 });
    return &view;
}

void fullRedraw(benchmark::State& state)
{
    ContinentView* shown = viewAtZoom(state);
    if (!shown)
        return;
    ContinentView& view = *shown;
    for (auto _ : state) {
        view.renderer->drawAll();
        benchmark::DoNotOptimize(view.renderer->pixels()[640 * 1280 + 480]);
    }
    state.counters["mapWidth"] = view.renderer->geometry().mapPixelSize().cx;
}
BENCHMARK(fullRedraw)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void oneHex(benchmark::State& state)
{
    ContinentView& view = continent();
    int x = 0, y = 0;
    if (!view.loaded || !view.sheets || !view.firstUnitHex(x, y)) {
        state.SkipWithError("no map, sheets or unit of country 0");
        return;
    }
    view.renderer->setZoom(int(state.range(0)));
    // The unit's hex at the middle of the view.
    const POINT centre = view.renderer->geometry().hexCentre(x, y);
    view.renderer->setView(POINT { centre.x - 640, centre.y - 480 }, SIZE { 1280, 960 });
    view.renderer->drawAll();
    for (auto _ : state) {
        view.renderer->drawHex(x, y);
        benchmark::DoNotOptimize(view.renderer->pixels()[640 * 1280 + 480]);
    }
}
BENCHMARK(oneHex)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

// What a refresh after a computer action costs besides the hexes it redraws: the view's looks
// compared with those drawn, nothing having changed. A full redraw is what a refresh cost before.
void unchangedRefresh(benchmark::State& state)
{
    ContinentView* shown = viewAtZoom(state);
    if (!shown)
        return;
    ContinentView& view = *shown;
    view.renderer->drawAll();
    size_t changed = 0;
    for (auto _ : state)
        changed += view.renderer->changedHexes().size();
    if (changed != 0)
        state.SkipWithError("hexes changed with nothing done");
}
BENCHMARK(unchangedRefresh)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

// The view at each zoom written as a PNG file: the time of the write and the file's size.
void writeScreenshot(benchmark::State& state)
{
    ContinentView* shown = viewAtZoom(state);
    if (!shown)
        return;
    ContinentView& view = *shown;
    view.renderer->drawAll();
    const fs::path path = fs::temp_directory_path() / ("derazodo-bench-shot-" + std::to_string(getpid()) + ".png");
    for (auto _ : state)
        if (!platform::writePng(path.string(), 1280, 960, view.renderer->pixels(), 1280))
            state.SkipWithError("the picture could not be written");
    std::error_code ignored;
    state.counters["kilobytes"] = double(fs::file_size(path, ignored)) / 1024.0;
    fs::remove(path, ignored);
}
BENCHMARK(writeScreenshot)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

} // namespace
