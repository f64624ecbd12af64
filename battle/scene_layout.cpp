// Where the two scene windows stand and which outline they wear.
#include "battle/live_clash_window.h"

#include "battle/scene_shape.h"
#include "platform/kernel/file_bytes.h"

#include <cstdio>

namespace {

constexpr const char* kShapeProperty = "NMXB Window Region";
constexpr int kSky = 60;
constexpr int kUnderwater = 58;

// The vertical nudge of each narrow window: the sky above, the deep below.
std::array<int, 2> nudges(const std::array<int, 2>& countries, const std::array<int, 2>& bg)
{
    std::array<int, 2> d { 0, 0 };
    if (countries[0] == kNoCountry || countries[1] == kNoCountry)
        return d;
    if (bg[0] == kSky) {
        if (bg[1] != kSky)
            d = { -1, 1 };
    } else if (bg[0] != kUnderwater && bg[1] == kUnderwater) {
        d = { -1, 1 };
    } else if (bg[1] == kSky || (bg[0] == kUnderwater && bg[1] != kUnderwater)) {
        d = { 1, -1 };
    }
    return d;
}

} // namespace

ScenePlacement computeScenePlacement(int w, int h, const std::array<bool, 2>& wide, const std::array<int, 2>& countries,
    const std::array<int, 2>& backgrounds)
{
    ScenePlacement p {};
    std::array<int, 2> x {};
    std::array<int, 2> y {};
    std::array<int, 2> d { 0, 0 };
    if (!wide[0] && !wide[1]) {
        if (w < 1016) {
            x = { 0, w - kNarrowWidth };
        } else {
            x = { w / 2 - 508, w / 2 + 8 };
        }
        y = { h / 2 - 150, h / 2 - 150 };
        d = nudges(countries, backgrounds);
    } else {
        const int left = (w - kWideWidth) / 2;
        const int q = (h - 600) / 4;
        const int big = wide[0] ? 0 : 1;
        x[size_t(big)] = left;
        y[size_t(big)] = q;
        x[size_t(1 - big)] = big == 0 ? left + 460 : left;
        y[size_t(1 - big)] = h / 2 + q;
    }
    for (size_t s = 0; s < 2; ++s) {
        p.origin[s] = { x[s], y[s] + d[s] * kSceneHeight / 8 };
        p.size[s] = { wide[s] ? kWideWidth : kNarrowWidth, kSceneHeight };
    }
    return p;
}

void LiveClashWindow::placeWindows()
{
    SceneState& st = sceneState();
    RECT desk {};
    GetWindowRect(GetDesktopWindow(), &desk);
    const ScenePlacement p = computeScenePlacement(desk.right - desk.left, desk.bottom - desk.top, st.wide,
        { st.sides[0].country, st.sides[1].country }, { st.sides[0].background, st.sides[1].background });
    // windows[] holds the defender's first; sides count the attacker as 0.
    for (int side = 0; side < 2; ++side) {
        HWND window = st.windows[size_t(1 - side)];
        if (!window)
            continue;
        SetWindowPos(window, nullptr, p.origin[side].x, p.origin[side].y, p.size[side].cx, p.size[side].cy,
            SWP_NOZORDER | SWP_NOACTIVATE);
        setWindowShape(window, side, st.wide[size_t(side)]);
    }
}

bool LiveClashWindow::loadMasks()
{
    SceneState& st = sceneState();
    for (int n = 1; n <= 2; ++n) {
        char name[16];
        std::snprintf(name, sizeof name, "bg_mask%d.dat", n);
        const auto bytes = platform::readGameFile(st.folder + name, kMaxSceneFileBytes);
        if (!bytes)
            return false;
        st.shapes[size_t(n - 1)] = decodeShapeFile(*bytes);
    }
    st.shape = { -1, -1 };
    return true;
}

void LiveClashWindow::setWindowShape(HWND window, int side, bool wide)
{
    SceneState& st = sceneState();
    const int wanted = wide ? 1 : 0;
    if (!window || st.shape[size_t(side)] == wanted)
        return;
    removeWindowShape(window);
    HRGN region = buildShapeRegion(st.shapes[size_t(wanted)]);
    if (!region)
        return;
    // The window owns the region from here on.
    SetWindowRgn(window, region, TRUE);
    SetPropA(window, kShapeProperty, HANDLE(region));
    st.shape[size_t(side)] = wanted;
}

void LiveClashWindow::removeWindowShape(HWND window)
{
    if (window)
        RemovePropA(window, kShapeProperty);
}
