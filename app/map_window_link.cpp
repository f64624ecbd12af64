// The rules engine's map-window link: each call reaches the open map window under the registry's
// lock, so the window cannot go away in the middle of it; waits are waited for outside the lock.
#include "app/map_window_link.h"

#include "app/map_window.h"
#include "state/game_state.h"
#include "ui/presentation.h"
#include "ui/private_messages.h"

#include <mutex>

namespace {

std::recursive_mutex g_registryLock;
MapWindow* g_window = nullptr;

class AppMapWindowLink : public MapWindowLink {
public:
    bool isOpen() const override
    {
        std::lock_guard lock(g_registryLock);
        return g_window != nullptr;
    }

    void updateHex(int x, int y) override
    {
        with([&](MapWindow& w) { w.updateHex(x, y); });
    }

    void postRefresh(bool wait) override { postAndWait(ui_message::kMapRefresh, wait); }

    void fullRefresh() override
    {
        with([](MapWindow& w) { w.fullRefresh(); });
    }

    void blinkHex(int x, int y) override
    {
        with([&](MapWindow& w) { w.blinkHex(x, y); });
    }

    void showHex(int x, int y) override
    {
        with([&](MapWindow& w) { w.blinkHex(x, y); });
    }

    void centreOn(int x, int y) override
    {
        with([&](MapWindow& w) { w.centreOn(x, y); });
    }

    void animateExplosion(int x, int y, int, int) override
    {
        with([&](MapWindow& w) { w.animateExplosion(x, y); });
    }

    void showHexEffect(int x, int y, int a, int b) override
    {
        with([&](MapWindow& w) { w.showHexEffect(x, y, a, b); });
    }

    void animateAttackPath(int from_x, int from_y, int to_x, int to_y) override
    {
        with([&](MapWindow& w) { w.animateAttackPath(from_x, from_y, to_x, to_y); });
    }

    void animateAreaBlast(int x, int y) override
    {
        with([&](MapWindow& w) { w.animateAreaBlast(x, y); });
    }

    void animateLevelChange(const LevelChange& change) override
    {
        with([&](MapWindow& w) { w.animateLevelChange(change); });
    }

    bool postHexBlink(int x, int y) override
    {
        return post(ui_message::kMapBlinkHex, WPARAM(uint32_t(y) << 16 | (uint32_t(x) & 0xFFFF)), 0);
    }

    bool postCentreOnHex(int x, int y) override { return post(ui_message::kMapCentreOnHex, WPARAM(x), LPARAM(y)); }

    bool postLevelChange(uint32_t wait_id) override
    {
        std::lock_guard lock(g_registryLock);
        if (!g_window || !g_window->handle())
            return false;
        g_window->notePostedWait(wait_id);
        return PostMessageA(g_window->handle(), ui_message::kMapLevelChange, WPARAM(wait_id), 0) != 0;
    }

    void checkDayNight() override
    {
        with([](MapWindow& w) { w.checkDayNight(); });
    }

    HexView visibleHexRange() const override
    {
        std::lock_guard lock(g_registryLock);
        return g_window ? g_window->visibleHexRange() : HexView {};
    }

    int zoom() const override
    {
        const Presentation* look = installedPresentation();
        return look ? look->mapView().zoom.load() : 1;
    }

private:
    template <class F>
    void with(F f)
    {
        std::lock_guard lock(g_registryLock);
        if (g_window)
            f(*g_window);
    }

    bool post(UINT message, WPARAM wParam, LPARAM lParam)
    {
        std::lock_guard lock(g_registryLock);
        return g_window && g_window->handle() && PostMessageA(g_window->handle(), message, wParam, lParam) != 0;
    }

    // With wait, the caller goes on once the window has handled the message; its own thread does it at once.
    void postAndWait(UINT message, bool wait)
    {
        std::shared_ptr<UiWait> pending;
        GameState* state = nullptr;
        {
            std::lock_guard lock(g_registryLock);
            if (!g_window || !g_window->handle())
                return;
            if (!wait) {
                PostMessageA(g_window->handle(), message, 0, 0);
                return;
            }
            if (g_window->onWindowThread()) {
                g_window->refresh();
                return;
            }
            state = &g_window->state();
            pending = state->handshake().openWait(UiWaitKind::MapRedraw);
            if (pending->done()) {
                state->handshake().closeWait(pending);
                return;
            }
            g_window->notePostedWait(pending->id());
            if (!PostMessageA(g_window->handle(), message, WPARAM(pending->id()), 0))
                pending->answer(0);
        }
        pending->wait();
        state->handshake().closeWait(pending);
    }
};

} // namespace

MapWindowLink& appMapWindowLink()
{
    static AppMapWindowLink link;
    return link;
}

void registerMapWindow(MapWindow* window)
{
    std::lock_guard lock(g_registryLock);
    g_window = window;
}

void unregisterMapWindow(MapWindow* window)
{
    std::lock_guard lock(g_registryLock);
    if (g_window == window)
        g_window = nullptr;
}
