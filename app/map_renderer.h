// MapRenderer: draws the game's map into the map view's back picture at one of three zooms.
#pragma once

#include "app/hex_geometry.h"
#include "lib/file_fault.h"
#include "platform/windows.h"
#include "state/hex_geometry.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

class GameState;
class Presentation;

// The effect pictures of the map sheets (map_sheet::Effect), eight frames each.
enum class MapEffect : int {
    Explosion = 0,
    MineBlast = 1,
    Demolition = 2,
    DemolitionB = 3,
    AreaBlast = 4,
    LevelUp = 5,
    LevelDown = 6,
    Projectile = 7,
};

// Owned by the map window. Every call is made under the map window's drawing lock, from the
// user-interface thread or the game thread. Coordinates of the view are client pixels of the map
// window; the view's origin is the map pixel shown at its top-left corner.
class MapRenderer {
public:
    // The custom colours the sheets are tinted with are the presentation's.
    MapRenderer(GameState& state, const Presentation& look);
    ~MapRenderer();
    MapRenderer(const MapRenderer&) = delete;
    MapRenderer& operator=(const MapRenderer&) = delete;

    // Loads the sheets of the three zooms and tints the buildings, borders and units for each
    // side from the custom colours. Returns the pictures that could not be read and why (the map
    // then draws without them).
    std::vector<std::pair<std::string, FileFault>> loadSheets();

    // 0, 1, 2: hexes 16, 32, 48 wide. The geometry follows the game state's map size.
    void setZoom(int zoom);
    int zoom() const;
    HexGeometry geometry() const;
    void setNight(bool night);
    bool night() const;
    // The country whose sight the fog shows; fog off (or a side above 7) shows everything.
    void setViewer(int side, bool fog);
    // The country whose fog is drawn now, -1 while everything shows.
    int fogViewer() const;
    // Whether the unit standing at the hex is among those drawn there for the viewer.
    bool showsUnit(int side, int index, int x, int y) const;

    // The back picture's size in pixels and the map pixel at its top-left.
    void setView(POINT origin, SIZE size);
    POINT viewOrigin() const;
    SIZE viewSize() const;

    // Redraws every hex of the view from the state: ground, rivers, roads, borders, buildings,
    // units with strength, fog and the mark grid.
    void drawAll();
    // Redraws one hex and the parts of its neighbours that overlap its cell, their borders with
    // it included.
    void drawHex(int x, int y);
    // Redraws whatever lies in the rectangle (map pixels): erases an effect drawn there.
    void drawMapRect(const RECT& mapRect);
    // The hexes of the view whose look differs from what the back picture shows of them: redrawn
    // each (drawHex), the picture is the same as drawAll's.
    std::vector<HexPos> changedHexes();
    // Overlays on the back picture; redrawing the hexes under them erases them.
    void drawEffect(int x, int y, MapEffect effect, int frame);
    // Centre of the picture in map pixels.
    void drawEffectAt(POINT mapPixel, MapEffect effect, int frame);

    // Copies a rectangle of the back picture (view pixels) to the DC at the same place.
    void present(HDC dc, const RECT& viewRect) const;
    // The back picture, for tests and screenshots: 32-bit pixels, rows top to bottom.
    const uint32_t* pixels() const;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};
