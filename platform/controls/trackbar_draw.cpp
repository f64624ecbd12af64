// Geometry and drawing of the trackbar: a sunken channel, tick marks and a raised thumb.
#include "platform/controls/trackbar_state.h"

#include <algorithm>

namespace platform::controls {

namespace {

constexpr int kThumbLength = 10;   // along the bar
constexpr int kThumbThickness = 18;
constexpr int kTick = 3;

int alongOf(const TrackbarGeometry& g, const TrackbarState& s, int pos)
{
    if (s.max <= s.min)
        return g.first;
    return g.first + int(int64_t(g.last - g.first) * (std::clamp(pos, s.min, s.max) - s.min) / (s.max - s.min));
}

void drawTick(HDC dc, const TrackbarGeometry& g, int along, DWORD style, int length)
{
    HBRUSH brush = GetSysColorBrush(COLOR_BTNTEXT);
    auto mark = [&](int from, int to) {
        RECT r = g.vertical ? RECT { from, along, to, along + 1 } : RECT { along, from, along + 1, to };
        FillRect(dc, &r, brush);
    };
    bool before = style & (TBS_TOP | TBS_BOTH);
    bool after = !(style & TBS_TOP) || (style & TBS_BOTH);
    int start = g.vertical ? g.thumb.left : g.thumb.top;
    int end = g.vertical ? g.thumb.right : g.thumb.bottom;
    if (before)
        mark(start - 2 - length, start - 2);
    if (after)
        mark(end + 2, end + 2 + length);
}

} // namespace

TrackbarGeometry trackbarGeometry(HWND hwnd, const TrackbarState& s)
{
    DWORD style = controlStyle(hwnd);
    TrackbarGeometry g;
    g.vertical = style & TBS_VERT;
    RECT client;
    GetClientRect(hwnd, &client);
    int length = g.vertical ? client.bottom : client.right;
    int breadth = g.vertical ? client.right : client.bottom;
    g.first = kThumbLength / 2 + 4;
    g.last = std::max(g.first, length - kThumbLength / 2 - 4);
    int thickness = std::min(kThumbThickness, std::max(breadth - 2 * (kTick + 4), 8));
    int ticksBefore = (style & TBS_NOTICKS) ? 0 : (style & (TBS_TOP | TBS_BOTH)) ? kTick + 2 : 0;
    int ticksAfter = (style & TBS_NOTICKS) ? 0 : (!(style & TBS_TOP) || (style & TBS_BOTH)) ? kTick + 2 : 0;
    int cross = (breadth - thickness - ticksBefore - ticksAfter) / 2 + ticksBefore;
    int centre = cross + thickness / 2;
    int at = alongOf(g, s, s.pos);
    if (g.vertical) {
        g.channel = { centre - 2, g.first - 2, centre + 2, g.last + 2 };
        g.thumb = { cross, at - kThumbLength / 2, cross + thickness, at + kThumbLength / 2 };
    } else {
        g.channel = { g.first - 2, centre - 2, g.last + 2, centre + 2 };
        g.thumb = { at - kThumbLength / 2, cross, at + kThumbLength / 2, cross + thickness };
    }
    return g;
}

int trackbarPosAt(const TrackbarGeometry& g, const TrackbarState& s, int along)
{
    if (g.last <= g.first)
        return s.min;
    int offset = std::clamp(along - g.first, 0, g.last - g.first);
    int64_t span = int64_t(s.max) - s.min;
    return s.min + int((offset * span + (g.last - g.first) / 2) / (g.last - g.first));
}

void drawTrackbar(HWND hwnd, HDC dc, const TrackbarState& s)
{
    DWORD style = controlStyle(hwnd);
    RECT client;
    GetClientRect(hwnd, &client);
    FillRect(dc, &client, parentColors(hwnd, dc, WM_CTLCOLORSTATIC));
    TrackbarGeometry g = trackbarGeometry(hwnd, s);
    RECT channel = g.channel;
    FillRect(dc, &channel, GetSysColorBrush(COLOR_WINDOW));
    DrawEdge(dc, &channel, EDGE_SUNKEN, BF_RECT);
    if (!(style & TBS_NOTICKS) && s.max > s.min) {
        // Without automatic ticks only the ends are marked.
        int step = (style & TBS_AUTOTICKS) ? std::max(1, s.ticFrequency) : s.max - s.min;
        for (int64_t pos = s.min; pos <= s.max; pos += step)
            drawTick(dc, g, alongOf(g, s, int(pos)), style, pos == s.min || pos == s.max ? kTick + 1 : kTick);
        if ((s.max - s.min) % step)
            drawTick(dc, g, alongOf(g, s, s.max), style, kTick + 1);
    }
    if (!(style & TBS_NOTHUMB)) {
        RECT thumb = g.thumb;
        FillRect(dc, &thumb, GetSysColorBrush(IsWindowEnabled(hwnd) && !s.dragging ? COLOR_BTNFACE : COLOR_3DLIGHT));
        DrawEdge(dc, &thumb, EDGE_RAISED, BF_RECT);
    }
    if (s.focused) {
        RECT focus = client;
        DrawFocusRect(dc, &focus);
    }
}

} // namespace platform::controls
