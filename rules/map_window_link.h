// MapWindowLink: what the rules engine asks of the map window: redraws, blinks and animations.
#pragma once

#include <cstdint>

// The level-change animation's record.
struct LevelChange {
    uint8_t up = 0;
    uint32_t side = 0;
    uint32_t index = 0;
    uint32_t x = 0;
    uint32_t y = 0;
};

// The view's origin and size in hexes.
struct HexView {
    int firstColumn = 0;
    int firstRow = 0;
    int columns = 0;
    int rows = 0;
    // How far, in pixels, the view's top-left lies right of and below the place the first column
    // and row alone give it: a view scrolled by part of a hex, or held at the map's far edge.
    int offsetX = 0;
    int offsetY = 0;
};

// Implemented by app/'s map window. Animations draw from the calling thread and return when done;
// without a map window every call returns at once.
class MapWindowLink {
public:
    virtual ~MapWindowLink() = default;

    virtual bool isOpen() const = 0;
    virtual void updateHex(int x, int y) = 0;
    // With wait set, returns once the map has redrawn (a UiWaitKind::MapRedraw wait of the
    // state's handshake, which the end of play releases).
    virtual void postRefresh(bool wait) = 0;
    virtual void fullRefresh() = 0;
    virtual void blinkHex(int x, int y) = 0;
    // Scrolls the hex into view (and blinks it) or centres the view on it; returns when done.
    virtual void showHex(int x, int y) = 0;
    virtual void centreOn(int x, int y) = 0;
    virtual void animateExplosion(int x, int y, int side, int index) = 0;
    // (1, 1) a mine going off; (0, 0) and (0, 1) demolitions.
    virtual void showHexEffect(int x, int y, int a, int b) = 0;
    // 65535 marks an absent end.
    virtual void animateAttackPath(int from_x, int from_y, int to_x, int to_y) = 0;
    virtual void animateAreaBlast(int x, int y) = 0;
    virtual void animateLevelChange(const LevelChange& change) = 0;
    // Posted requests: the map window carries each out on its own thread and then releases the
    // state's pending map wait (Handshake::releaseMapWait), or for the level change answers the
    // registered wait of that id (Handshake::findWait, whose UiWaitWith<LevelChange> holds the
    // record). False when nothing was posted.
    virtual bool postHexBlink(int x, int y) = 0;
    virtual bool postCentreOnHex(int x, int y) = 0;
    virtual bool postLevelChange(uint32_t wait_id) = 0;
    virtual void checkDayNight() = 0;
    virtual HexView visibleHexRange() const = 0;
    // The view's zoom, 0 the smallest hexes .. 2, kept while the window is closed; 1 at start.
    virtual int zoom() const = 0;
};
