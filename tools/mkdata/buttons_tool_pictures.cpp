// The small pictures on the tool palette's information buttons, drawn in the label's ink at the left
// of the face so they grey with it when the button is disabled.
#include "tools/mkdata/buttons_sheets.h"

#include <iterator>

namespace mkdata::buttons {
namespace {

// A flag on its pole: the countries.
void paintFlag(Canvas& canvas, int x, int y, uint8_t ink, uint8_t face)
{
    canvas.fillRect(x + 1, y, x + 3, y + 16, ink);
    canvas.fillRect(x, y + 15, x + 5, y + 16, ink);
    canvas.fillRect(x + 3, y + 1, x + 18, y + 10, ink);
    canvas.fillCircle(x + 10, y + 5, 2, face);
}

// A rising line over two axes: the condition of the sides.
void paintGraph(Canvas& canvas, int x, int y, uint8_t ink)
{
    canvas.line(x + 1, y, x + 1, y + 15, ink);
    canvas.line(x + 1, y + 15, x + 17, y + 15, ink);
    const int points[][2] = { { 3, 12 }, { 7, 7 }, { 11, 10 }, { 16, 2 } };
    for (size_t i = 0; i + 1 < std::size(points); ++i)
        for (int thick = 0; thick < 2; ++thick)
            canvas.line(x + points[i][0], y + points[i][1] - thick, x + points[i + 1][0], y + points[i + 1][1] - thick, ink);
}

// A medal on its ribbon: the battle results.
void paintMedal(Canvas& canvas, int x, int y, uint8_t ink, uint8_t face)
{
    for (int d = 0; d < 2; ++d) {
        canvas.line(x + 4 + d, y, x + 8 + d, y + 7, ink);
        canvas.line(x + 14 - d, y, x + 10 - d, y + 7, ink);
    }
    canvas.fillCircle(x + 9, y + 11, 4, ink);
    canvas.fillCircle(x + 9, y + 11, 1, face);
}

// Three rows of a unit mark and a line of text: the troop list.
void paintTroopRows(Canvas& canvas, int x, int y, uint8_t ink)
{
    for (int row = 0; row < 3; ++row) {
        const int top = y + 1 + 5 * row;
        canvas.frameRect(x, top, x + 7, top + 5, ink);
        canvas.line(x, top, x + 6, top + 4, ink);
        canvas.line(x, top + 4, x + 6, top, ink);
        canvas.fillRect(x + 9, top + 1, x + 18, top + 3, ink);
    }
}

} // namespace

bool drawToolPicture(Canvas& canvas, int image, int x, int y, uint8_t ink, uint8_t face)
{
    switch (image) {
    case kToolCountryPicture: paintFlag(canvas, x, y, ink, face); return true;
    case kToolConditionPicture: paintGraph(canvas, x, y, ink); return true;
    case kToolResultsPicture: paintMedal(canvas, x, y, ink, face); return true;
    case kToolTroopsPicture: paintTroopRows(canvas, x, y, ink); return true;
    default: return false;
    }
}

} // namespace mkdata::buttons
