// The briefing's overview map: the whole map in at most 192 x 192 pixels, drawn from the thumbnail
// colour strips, with the blinking marks of the mission's target hexes and the goal hexes.
#pragma once

#include "lib/media/bitmap.h"
#include "state/hex_geometry.h"

#include <vector>

class GameState;
class Presentation;

// How a map of width x height hexes shrinks into the 192-pixel square.
struct OverviewScale {
    // 2 for maps of at most 96 x 96 hexes, else 1.
    int pixels = 1;
    // 2 draws every second column and row (wide or tall maps).
    int step = 1;
    int width = 0;
    int height = 0;
};
OverviewScale overviewScale(int mapWidth, int mapHeight);

// The grey of the marks at blink counter n: from 255 down to 75 and back over 25 ticks.
int blinkGrey(int counter);
// Top-left pixel of a mark (or goal square) of the hex, kept inside the picture.
POINT overviewMarkPosition(const OverviewScale& scale, HexPos hex);

constexpr int kOverviewSquare = 192;

// The row of the terrain colour strips: the news page draws the buildings row, the mission page the
// image row.
enum class OverviewRow { Image = 0, Buildings = 1 };

class OverviewMap {
public:
    // Draws the map of the game at once.
    OverviewMap(const GameState& state, const Presentation& look, OverviewRow row);

    const OverviewScale& scale() const { return m_scale; }
    HBITMAP picture() const { return m_picture.handle(); }
    // Where the picture stands inside the 192-pixel square whose top-left corner is given.
    POINT originIn(POINT square) const;

    // The marked hexes blink; the goal hexes stay white squares.
    void setMarks(const std::vector<HexPos>& marks, const std::vector<HexPos>& goals);
    // Draws the marks at the counter's grey into the picture.
    void drawMarks(int counter);
    const std::vector<POINT>& markPositions() const { return m_marks; }

private:
    void draw(const GameState& state, const Presentation& look, OverviewRow row);

    OverviewScale m_scale;
    swCBitmap m_picture;
    std::vector<POINT> m_marks;
    std::vector<POINT> m_goals;
};
