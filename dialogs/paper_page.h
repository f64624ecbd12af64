// What the briefing and the closing news draw alike: their 640 x 480 pictures, the map's picture
// fitted into its box, text lines and the shadowed newspaper title.
#pragma once

#include "dialogs/bitmap_canvas.h"
#include "lib/font.h"
#include "lib/media/bitmap.h"

#include <memory>
#include <string>
#include <vector>

constexpr SIZE kPaperSize { 640, 480 };
// The box of the map's briefing or news picture.
constexpr SIZE kPictureBox { 216, 160 };

// A picture from the bitmap folder; null when the file cannot be read (the page then shows what
// it has).
std::unique_ptr<swCBitmap> loadPaperPicture(const char* name);

class GameState;

enum class MapPicture { Briefing, News };
// The map's own briefing or news picture; null when it has none or it cannot be read.
std::unique_ptr<swCBitmap> mapPicture(const GameState& state, MapPicture which);

// Where a picture of that size stands in the box: a wider one is scaled to the box's width and, when
// then still too tall, to its height; a taller one to its height; a smaller one keeps its size.
// Proportions are kept and the result is centred.
RECT fitPictureInBox(SIZE picture, RECT box);
void drawFittedPicture(HDC dc, const swCBitmap* picture, RECT box);

// Lines 20 pixels apart in black on the page, each in a rectangle 16 high and 8 pixels per byte of
// its width.
struct PaperLine {
    std::string text;
    int x = 0;
    int y = 0;
    int widthBytes = 0;
};
void drawPaperLines(HDC dc, const std::vector<PaperLine>& lines, HFONT font);
// The grey of the newspaper title's shadow, drawn a few pixels below and right of the title.
constexpr COLORREF kPaperTitleShadow = paletteRgb(222, 222, 222);
// Text drawn once in the rectangle, single line, black or the colour given.
void drawPaperText(HDC dc, const std::string& text, RECT area, HFONT font, COLORREF colour = kNoColour, UINT format = DT_LEFT);

// A copy of the whole picture the page is drawn on, and the clean picture restored from.
class PaperCanvas {
public:
    // A white page when the picture is missing.
    void reset(const swCBitmap* page);
    // Copies the area of the clean page back.
    void restore(const swCBitmap* page, RECT area);
    HBITMAP handle() const { return m_canvas.handle(); }
    void paint(HDC dc, RECT area) const;

private:
    swCBitmap m_canvas;
};

// The game's "ＭＳ ゴシック" at a height and weight.
std::unique_ptr<swCFont> makePaperFont(int height, int weight);
