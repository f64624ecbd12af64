// Time to compose a full 1280 x 960 frame with ten overlapping windows, one of them shaped.
#include "platform/desktop/compositor.h"

#include <benchmark/benchmark.h>

using namespace platform::desktop;

static void composeFullFrame(benchmark::State& state)
{
    Compositor compositor(SIZE { 1280, 960 }, 0x00206060);
    for (int i = 0; i < 10; ++i) {
        auto surface = std::make_shared<platform::Surface>(400, 300);
        surface->fill(uint32_t(0x101010 * (i + 1)));
        LayerState layer;
        layer.surface = surface;
        layer.screenRect = RECT { LONG(i * 85), LONG(i * 62), LONG(i * 85 + 400), LONG(i * 62 + 300) };
        layer.visible = true;
        if (i == 9)
            layer.shape = platform::Region::fromEllipse(RECT { 0, 0, 400, 300 });
        compositor.addLayer(layer);
    }
    for (auto _ : state) {
        compositor.invalidateScreen(RECT { 0, 0, 1280, 960 });
        benchmark::DoNotOptimize(compositor.compose());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(composeFullFrame)->Unit(benchmark::kMicrosecond);
