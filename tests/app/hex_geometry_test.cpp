// Hex geometry of the map view at the three zooms: the hex under a point and the hexes a
// rectangle meets.
#include "app/hex_geometry.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr int kWidth = 9;
constexpr int kHeight = 7;

class HexGeometryAtZoom : public ::testing::TestWithParam<int> {
protected:
    HexGeometry g { GetParam(), kWidth, kHeight };
};

TEST_P(HexGeometryAtZoom, FindsEveryHexAtItsCentre)
{
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const POINT c = g.hexCentre(x, y);
            int hx = -1, hy = -1;
            ASSERT_TRUE(g.hexAt(c.x, c.y, hx, hy)) << x << "," << y;
            EXPECT_EQ(hx, x);
            EXPECT_EQ(hy, y);
        }
}

// Every pixel belongs to the hex whose centre is nearest once rows are stretched to a regular
// grid (rows are three quarters of a cell apart instead of sqrt(3) / 2).
TEST_P(HexGeometryAtZoom, ChoosesTheNearestCentreForEveryPixel)
{
    const double stretch = std::sqrt(3.0) / 2 / 0.75;
    const SIZE size = g.mapPixelSize();
    auto distance = [&](double px, double py, int x, int y) {
        const POINT c = g.hexCentre(x, y);
        // Centres sit between pixels: the cell's middle is at origin + size / 2.
        const double dx = px + 0.5 - c.x, dy = (py + 0.5 - c.y) * stretch;
        return std::hypot(dx, dy);
    };
    for (int py = 0; py < size.cy; ++py)
        for (int px = 0; px < size.cx; ++px) {
            int x, y;
            if (!g.hexAt(px, py, x, y))
                continue;
            const double own = distance(px, py, x, y);
            for (int ny = y - 1; ny <= y + 1; ++ny)
                for (int nx = x - 1; nx <= x + 1; ++nx)
                    if (ny >= 0 && ny < kHeight && nx >= 0 && nx < kWidth) {
                        ASSERT_LE(own, distance(px, py, nx, ny) + 1.5) << px << "," << py << " in " << x << "," << y;
                    }
        }
}

TEST_P(HexGeometryAtZoom, RefusesPointsOutsideTheMapAndBetweenItsRaggedEdges)
{
    const int s = g.cell();
    const SIZE size = g.mapPixelSize();
    int x, y;
    EXPECT_FALSE(g.hexAt(-1, s / 2, x, y));
    EXPECT_FALSE(g.hexAt(s / 2, -1, x, y));
    EXPECT_FALSE(g.hexAt(size.cx, s / 2, x, y));
    EXPECT_FALSE(g.hexAt(s, size.cy, x, y));
    // Beside the pointed top of hex (0, 0) and left of the first hex of an odd row.
    EXPECT_FALSE(g.hexAt(0, 0, x, y));
    EXPECT_FALSE(g.hexAt(1, g.hexCentre(0, 1).y, x, y));
    // The right end of an even row is empty; the shifted odd row below reaches there.
    EXPECT_FALSE(g.hexAt(size.cx - 2, g.hexCentre(0, 2).y, x, y));
    ASSERT_TRUE(g.hexAt(size.cx - 2, g.hexCentre(0, 1).y, x, y));
    EXPECT_EQ(x, kWidth - 1);
    EXPECT_EQ(y, 1);
    // Just inside the left edge of the first hex of an even row.
    ASSERT_TRUE(g.hexAt(0, g.hexCentre(0, 2).y, x, y));
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 2);
}

TEST_P(HexGeometryAtZoom, ListsEveryHexWhoseCellMeetsARectangle)
{
    const int s = g.cell();
    const RECT cases[] = { { 0, 0, 1, 1 }, { s / 2, s, s * 2, s * 3 }, { -50, -50, 5, 5 }, { s * 3 - 1, s, s * 3 + 1, s + 1 },
        { 0, 0, 4000, 4000 }, { s * 4, s * 2, s * 4 + 7, s * 5 } };
    for (const RECT& area : cases) {
        int x0, y0, x1, y1;
        const bool any = g.hexesIn(area, x0, y0, x1, y1);
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                const RECT r = g.hexRect(x, y);
                const bool meets = r.left < area.right && area.left < r.right && r.top < area.bottom && area.top < r.bottom;
                if (meets) {
                    EXPECT_TRUE(any && x >= x0 && x <= x1 && y >= y0 && y <= y1)
                        << "hex " << x << "," << y << " in " << area.left << "," << area.top;
                }
            }
    }
    int x0, y0, x1, y1;
    EXPECT_FALSE(g.hexesIn(RECT { -40, -40, -1, -1 }, x0, y0, x1, y1));
    EXPECT_FALSE(g.hexesIn(RECT { 10, 10, 10, 20 }, x0, y0, x1, y1));
}

INSTANTIATE_TEST_SUITE_P(Zooms, HexGeometryAtZoom, ::testing::Values(0, 1, 2));

} // namespace
