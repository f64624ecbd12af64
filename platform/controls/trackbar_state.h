// The state and geometry of one "msctls_trackbar32" window, shared by its behaviour and drawing.
#pragma once

#include "platform/controls/commctrl.h"
#include "platform/controls/control_common.h"

namespace platform::controls {

struct TrackbarState {
    int min = 0;
    int max = 100;
    int pos = 0;
    int page = 20;
    int line = 1;
    int ticFrequency = 1;
    bool focused = false;
    bool dragging = false;
    int grab = 0;             // where along the thumb the mouse took it
    int pageCode = -1;        // TB_PAGEUP/TB_PAGEDOWN while the mouse holds the channel
    POINT pagePoint {};       // the held point, client coordinates
};

struct TrackbarGeometry {
    bool vertical = false;
    RECT channel {};
    RECT thumb {};
    int first = 0;            // along the bar: where min and max sit
    int last = 0;
};

TrackbarGeometry trackbarGeometry(HWND hwnd, const TrackbarState& s);
// The position under a point along the bar.
int trackbarPosAt(const TrackbarGeometry& g, const TrackbarState& s, int along);
void drawTrackbar(HWND hwnd, HDC dc, const TrackbarState& s);

} // namespace platform::controls
