// The compositor: z-order, shapes, hidden layers and dirty-rectangle composing, in pixels.
#include "platform/desktop/compositor.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using platform::Region;
using platform::Surface;
using platform::desktop::Compositor;
using platform::desktop::LayerId;
using platform::desktop::LayerState;

namespace {

constexpr uint32_t background = 0x000000FF;

std::shared_ptr<Surface> filled(int width, int height, uint32_t colour)
{
    auto surface = std::make_shared<Surface>(width, height);
    surface->fill(colour);
    return surface;
}

LayerState layerAt(std::shared_ptr<Surface> surface, LONG x, LONG y, bool visible = true)
{
    LayerState state;
    state.screenRect = RECT { x, y, x + surface->width(), y + surface->height() };
    state.surface = std::move(surface);
    state.visible = visible;
    return state;
}

uint32_t pixel(Compositor& c, LONG x, LONG y)
{
    return c.copyScreen(RECT { x, y, x + 1, y + 1 }).at(0);
}

} // namespace

TEST(Compositor, DrawsLayersInZOrderAndRestacks)
{
    Compositor c(SIZE { 200, 100 }, background);
    LayerId red = c.addLayer(layerAt(filled(60, 60, 0xFF0000), 10, 10));
    LayerId green = c.addLayer(layerAt(filled(60, 60, 0x00FF00), 40, 20));
    EXPECT_EQ(pixel(c, 15, 15), 0xFF0000u);
    EXPECT_EQ(pixel(c, 50, 30), 0x00FF00u); // overlap: the later layer is on top
    EXPECT_EQ(pixel(c, 150, 50), background);

    c.placeLayer(red, ~0u);
    EXPECT_EQ(pixel(c, 50, 30), 0xFF0000u);
    c.placeLayer(red, 0);
    EXPECT_EQ(pixel(c, 50, 30), 0x00FF00u);
    c.compose();
    c.placeLayer(green, red); // just above red: already there
    EXPECT_EQ(c.zOrder(), (std::vector<LayerId> { red, green }));
    EXPECT_FALSE(c.hasDirty()) << "restacking in place changes nothing on the screen";

    c.removeLayer(green);
    EXPECT_EQ(pixel(c, 50, 30), 0xFF0000u);
    EXPECT_EQ(pixel(c, 90, 30), background);
}

TEST(Compositor, ShapedLayerShowsWhatLiesBelowOutsideItsShape)
{
    Compositor c(SIZE { 100, 100 }, background);
    c.addLayer(layerAt(filled(100, 100, 0x111111), 0, 0));
    LayerState shaped = layerAt(filled(40, 40, 0x222222), 20, 20);
    // Window coordinates: only the top-left quarter and a strip at the bottom.
    shaped.shape = Region::fromRects({ RECT { 0, 0, 20, 20 }, RECT { 0, 35, 40, 40 } });
    LayerId id = c.addLayer(shaped);
    EXPECT_EQ(pixel(c, 25, 25), 0x222222u);
    EXPECT_EQ(pixel(c, 45, 25), 0x111111u);
    EXPECT_EQ(pixel(c, 50, 57), 0x222222u);

    shaped.shape.reset();
    c.updateLayer(id, shaped);
    EXPECT_EQ(pixel(c, 45, 25), 0x222222u);
}

TEST(Compositor, HiddenLayersAreNotDrawnAndHidingUncovers)
{
    Compositor c(SIZE { 100, 100 }, background);
    LayerState hidden = layerAt(filled(50, 50, 0xABCDEF), 0, 0, false);
    LayerId id = c.addLayer(hidden);
    EXPECT_EQ(pixel(c, 10, 10), background);
    hidden.visible = true;
    c.updateLayer(id, hidden);
    EXPECT_EQ(pixel(c, 10, 10), 0xABCDEFu);
    hidden.visible = false;
    c.updateLayer(id, hidden);
    EXPECT_EQ(pixel(c, 10, 10), background);
}

TEST(Compositor, RecomposesOnlyDirtyRectangles)
{
    Compositor c(SIZE { 100, 100 }, background);
    auto surface = filled(100, 100, 0x101010);
    LayerId id = c.addLayer(layerAt(surface, 0, 0));
    auto first = c.compose();
    ASSERT_FALSE(first.empty());
    EXPECT_TRUE(c.compose().empty()) << "nothing changed, nothing to present";

    surface->fill(0x202020);
    EXPECT_EQ(pixel(c, 5, 5), 0x101010u) << "pixels changed without invalidation stay as composed";

    c.invalidateLayer(id, RECT { 0, 0, 10, 10 });
    auto dirty = c.compose();
    ASSERT_EQ(dirty.size(), 1u);
    EXPECT_EQ(dirty[0].right, 10);
    EXPECT_EQ(pixel(c, 5, 5), 0x202020u);
    EXPECT_EQ(pixel(c, 50, 50), 0x101010u);
}

TEST(Compositor, DirtyAreasAreClippedToTheScreenAndTheLayer)
{
    Compositor c(SIZE { 100, 100 }, background);
    LayerId id = c.addLayer(layerAt(filled(80, 80, 0x303030), 60, 60)); // partly off screen
    c.compose();
    c.invalidateLayer(id, RECT { -50, -50, 500, 500 });
    auto dirty = c.compose();
    ASSERT_EQ(dirty.size(), 1u);
    EXPECT_EQ(dirty[0].left, 60);
    EXPECT_EQ(dirty[0].top, 60);
    EXPECT_EQ(dirty[0].right, 100);
    EXPECT_EQ(dirty[0].bottom, 100);
    EXPECT_EQ(pixel(c, 99, 99), 0x303030u);
}

TEST(Compositor, StoreSmallerThanItsWindowLeavesTheRestToWhatIsBelow)
{
    Compositor c(SIZE { 100, 100 }, background);
    LayerState state = layerAt(filled(20, 20, 0x404040), 0, 0);
    state.screenRect = RECT { 0, 0, 60, 60 }; // the window grew before its store did
    c.addLayer(state);
    EXPECT_EQ(pixel(c, 10, 10), 0x404040u);
    EXPECT_EQ(pixel(c, 40, 40), background);
}

TEST(Compositor, RandomStacksMatchLayersPaintedOneOverAnother)
{
    // The oracle paints every visible layer bottom up over the background, pixel by pixel.
    uint32_t seed = 7;
    auto next = [&seed](int range) {
        seed = seed * 1103515245u + 12345u;
        return int((seed >> 16) % uint32_t(range));
    };
    for (int round = 0; round < 20; ++round) {
        Compositor c(SIZE { 64, 48 }, background);
        std::vector<LayerState> stack;
        std::vector<LayerId> ids;
        for (int i = 0; i < 6; ++i) {
            const int w = 4 + next(40), h = 4 + next(30);
            // Each pixel its own value, so a row or column taken from the wrong place shows.
            auto surface = std::make_shared<Surface>(w, h);
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x)
                    surface->pixels()[size_t(y) * surface->stride() + x] = uint32_t((i + 1) << 16 | y << 8 | x);
            LayerState layer = layerAt(surface, next(70) - 10, next(56) - 10, next(5) != 0);
            if (next(4) == 0)
                layer.screenRect.right += next(10); // the store lags behind a wider window
            if (next(3) == 0)
                layer.shape = Region::fromEllipse(RECT { 0, 0, w, h });
            stack.push_back(layer);
            ids.push_back(c.addLayer(layer));
        }
        c.compose();
        // Moved and hidden layers uncover what was drawn before.
        for (size_t i = 0; i < stack.size(); ++i) {
            if (next(3) == 0)
                stack[i].visible = !stack[i].visible;
            if (next(3) == 0)
                stack[i].screenRect = platform::desktop::rectOffset(stack[i].screenRect, next(9) - 4, next(9) - 4);
            c.updateLayer(ids[i], stack[i]);
        }
        const std::vector<uint32_t> screen = c.copyScreen(RECT { 0, 0, 64, 48 });
        for (LONG y = 0; y < 48; ++y)
            for (LONG x = 0; x < 64; ++x) {
                uint32_t expected = background;
                for (const LayerState& l : stack) {
                    const LONG wx = x - l.screenRect.left, wy = y - l.screenRect.top;
                    if (l.visible && x < l.screenRect.right && wx >= 0 && wy >= 0 && wx < l.surface->width()
                        && wy < l.surface->height() && (!l.shape || l.shape->contains(wx, wy)))
                        expected = l.surface->pixels()[size_t(wy) * l.surface->stride() + wx];
                }
                ASSERT_EQ(screen[size_t(y * 64 + x)], expected) << "round " << round << " at " << x << "," << y;
            }
    }
}

TEST(Compositor, PaintingThreadsAndComposingDoNotDeadlock)
{
    Compositor c(SIZE { 200, 200 }, background);
    std::vector<std::shared_ptr<Surface>> surfaces;
    std::vector<LayerId> ids;
    for (int i = 0; i < 4; ++i) {
        surfaces.push_back(filled(100, 100, 0));
        ids.push_back(c.addLayer(layerAt(surfaces.back(), i * 30, i * 30)));
    }
    std::atomic<bool> stop { false };
    std::vector<std::thread> painters;
    for (int i = 0; i < 4; ++i) {
        painters.emplace_back([&, i] {
            for (uint32_t n = 0; !stop; ++n) {
                // Invalidate while holding the store, as a window DC does.
                std::lock_guard lock(surfaces[i]->mutex());
                std::fill_n(surfaces[i]->pixels(), 100 * 100, n & 0xFFFFFF);
                c.invalidateLayer(ids[i], RECT { 0, 0, 100, 100 });
            }
        });
    }
    for (int frame = 0; frame < 200; ++frame) {
        c.compose();
        c.placeLayer(ids[frame % 4], ~0u);
    }
    stop = true;
    for (auto& t : painters)
        t.join();
    // Once painting stops, the screen holds exactly each store's last colour.
    c.invalidateScreen(RECT { 0, 0, 200, 200 });
    LayerId top = c.zOrder().back();
    size_t index = size_t(std::find(ids.begin(), ids.end(), top) - ids.begin());
    LONG x = LONG(index) * 30 + 5;
    std::lock_guard lock(surfaces[index]->mutex());
    EXPECT_EQ(pixel(c, x, x), surfaces[index]->pixels()[0]);
}
