// Region algebra: canonical form, set properties over random rectangles, offsets and shapes.
#include "platform/gdi/region.h"

#include <gtest/gtest.h>

#include <random>

using platform::Region;

namespace {

Region randomRegion(std::mt19937& rng)
{
    std::uniform_int_distribution<int> coord(-20, 60);
    std::uniform_int_distribution<int> count(1, 6);
    std::vector<RECT> rects;
    for (int i = count(rng); i > 0; --i) {
        int x = coord(rng), y = coord(rng);
        rects.push_back({ x, y, x + coord(rng) / 2 + 10, y + coord(rng) / 2 + 10 });
    }
    return Region::fromRects(rects);
}

// Brute-force pixel membership over the test window, as the oracle.
template <class F>
void forEachPixel(F f)
{
    for (int y = -25; y < 100; ++y)
        for (int x = -25; x < 100; ++x)
            f(x, y);
}

} // namespace

TEST(RegionAlgebra, SetOperationsMatchPixelMembership)
{
    std::mt19937 rng(1234);
    for (int round = 0; round < 60; ++round) {
        Region a = randomRegion(rng);
        Region b = randomRegion(rng);
        Region u = a.united(b), i = a.intersected(b), d = a.subtracted(b), x = a.xored(b);
        forEachPixel([&](int px, int py) {
            bool inA = a.contains(px, py), inB = b.contains(px, py);
            ASSERT_EQ(u.contains(px, py), inA || inB);
            ASSERT_EQ(i.contains(px, py), inA && inB);
            ASSERT_EQ(d.contains(px, py), inA && !inB);
            ASSERT_EQ(x.contains(px, py), inA != inB);
        });
        EXPECT_TRUE(d.intersected(b).isEmpty());
        EXPECT_EQ(i.subtracted(a), Region());
        EXPECT_EQ(u, b.united(a));
        EXPECT_EQ(x, u.subtracted(i));
    }
}

TEST(RegionAlgebra, OffsetRoundTripsAndRectsRebuildTheRegion)
{
    std::mt19937 rng(99);
    for (int round = 0; round < 40; ++round) {
        Region a = randomRegion(rng);
        Region moved = a;
        moved.offset(17, -9);
        EXPECT_EQ(moved.contains(5 + 17, 5 - 9), a.contains(5, 5));
        moved.offset(-17, 9);
        EXPECT_EQ(moved, a);
        EXPECT_EQ(Region::fromRects(a.rects()), a);
        // Rectangles of the canonical form never overlap: their areas add up to the pixel count.
        long area = 0, pixels = 0;
        for (const RECT& r : a.rects())
            area += long(r.right - r.left) * (r.bottom - r.top);
        forEachPixel([&](int px, int py) { pixels += a.contains(px, py); });
        EXPECT_EQ(area, pixels);
    }
}

TEST(RegionShape, ReportsEmptyRectangleAndComplex)
{
    EXPECT_EQ(Region().shape(), Region::Shape::Empty);
    EXPECT_EQ(Region(RECT { 5, 5, 5, 9 }).shape(), Region::Shape::Empty);
    Region two = Region(RECT { 0, 0, 10, 10 }).united(Region(RECT { 10, 0, 20, 10 }));
    EXPECT_EQ(two.shape(), Region::Shape::Rectangle);
    EXPECT_EQ(two.rectCount(), 1u);
    Region ell = Region(RECT { 0, 0, 10, 10 }).united(Region(RECT { 0, 10, 5, 20 }));
    EXPECT_EQ(ell.shape(), Region::Shape::Complex);
    RECT box = ell.bounds();
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.top, 0);
    EXPECT_EQ(box.right, 10);
    EXPECT_EQ(box.bottom, 20);
    EXPECT_TRUE(ell.containsRect({ 0, 0, 5, 20 }));
    EXPECT_FALSE(ell.containsRect({ 0, 0, 6, 20 }));
    EXPECT_TRUE(ell.intersects({ 4, 19, 50, 50 }));
    EXPECT_FALSE(ell.intersects({ 5, 10, 50, 50 }));
}

TEST(RegionShape, EllipseAndPolygonStayInsideTheirBounds)
{
    Region ellipse = Region::fromEllipse({ 0, 0, 21, 11 });
    EXPECT_TRUE(ellipse.contains(10, 5));
    EXPECT_FALSE(ellipse.contains(0, 0));
    EXPECT_FALSE(ellipse.contains(20, 10));
    EXPECT_TRUE(Region(RECT { 0, 0, 21, 11 }).subtracted(Region()).containsRect(ellipse.bounds()));

    POINT square[] = { { 0, 0 }, { 10, 0 }, { 10, 10 }, { 0, 10 } };
    EXPECT_EQ(Region::fromPolygon(square, 4, false), Region(RECT { 0, 0, 10, 10 }));
    // A self-overlapping star: the centre is outside with the alternate rule, inside with winding.
    POINT star[] = { { 10, 0 }, { 16, 20 }, { 0, 7 }, { 20, 7 }, { 4, 20 } };
    EXPECT_FALSE(Region::fromPolygon(star, 5, false).contains(10, 10));
    EXPECT_TRUE(Region::fromPolygon(star, 5, true).contains(10, 10));
}
