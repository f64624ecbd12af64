// swCBitmap: loading from files and file images, rectangles, mirroring at every depth with
// padded rows, tinting, the colour hooks, drawing into a bitmap and the errors it reports.
#include "lib/file.h"
#include "lib/media/bitmap.h"
#include "tests/platform/gdi/bmp_files.h"
#include "tests/lib/media/picture_checks.h"
#include "tests/lib/temp_program_folder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

using testing_bmp::Layout;
using testing_bmp::makeBmp;
using testing_pictures::bitmapErrorCode;

namespace {

void writeHostFile(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

struct MirrorCase {
    int bits;
    int width;
    bool topDown;
    int flags;
};

std::string caseName(const MirrorCase& m)
{
    return std::to_string(m.bits) + "BitsWidth" + std::to_string(m.width) + (m.topDown ? "TopDown" : "BottomUp") + "Flags"
        + std::to_string(m.flags);
}

void PrintTo(const MirrorCase& m, std::ostream* out) { *out << caseName(m); }

class Mirroring : public testing::TestWithParam<MirrorCase> { };

TEST_P(Mirroring, WholePictureMirrorsPixelForPixel)
{
    const MirrorCase& m = GetParam();
    Layout l;
    l.bits = m.bits;
    l.width = m.width;
    l.height = 4;
    l.topDown = m.topDown;
    testing_lib::TempProgramFolder folder("bitmap");
    writeHostFile(folder.host("pic.bmp"), makeBmp(l));
    swCBitmap bitmap;
    bitmap.bitmapLoadFile("pic.bmp", m.flags);
    platform::gdi::Image image = platform::gdi::readPixels(bitmap.handle());
    ASSERT_EQ(image.width, l.width);
    for (int y = 0; y < l.height; ++y)
        for (int x = 0; x < l.width; ++x) {
            const int sx = (m.flags & kMirrorLeftRight) ? l.width - 1 - x : x;
            const int sy = (m.flags & kMirrorTopBottom) ? l.height - 1 - y : y;
            ASSERT_EQ(image.at(x, y) & 0xFFFFFF, testing_bmp::expectedColour(l, sx, sy)) << x << "," << y;
        }
}

// Widths whose rows are padded, so that stride / width is not the bytes per pixel.
INSTANTIATE_TEST_SUITE_P(PaddedRows, Mirroring,
    testing::Values(MirrorCase { 24, 5, false, 1 }, MirrorCase { 24, 2, false, 1 }, MirrorCase { 8, 2, false, 1 },
        MirrorCase { 8, 3, false, 1 }, MirrorCase { 24, 2, true, 3 },
        MirrorCase { 16, 3, false, 1 }, MirrorCase { 32, 3, false, 1 }, MirrorCase { 1, 11, false, 1 },
        MirrorCase { 4, 5, false, 1 }, MirrorCase { 24, 5, false, 2 }, MirrorCase { 24, 5, false, 3 },
        MirrorCase { 4, 7, true, 3 }, MirrorCase { 8, 3, true, 1 }, MirrorCase { 1, 9, false, 2 },
        MirrorCase { 8, 6, false, 4 }),
    [](const testing::TestParamInfo<MirrorCase>& info) { return caseName(info.param); });

TEST(BitmapLoadRect, MirroredRectangleIsTheFilesRectangleMirroredAtEveryDepth)
{
    struct {
        int bits;
        bool topDown;
    } depths[] = { { 1, false }, { 4, true }, { 8, false }, { 16, false }, { 24, true }, { 32, false } };
    struct {
        RECT rect;
        int flags;
    } cases[] = { { { 0, 0, 16, 16 }, 0 }, { { 0, 0, 16, 16 }, 1 }, { { 9, 2, 20, 10 }, 1 }, { { 9, 2, 20, 10 }, 2 },
        { { 3, 5, 37, 16 }, 3 } };
    for (auto& d : depths) {
        Layout l;
        l.bits = d.bits;
        l.width = 37; // padded rows
        l.height = 16;
        l.topDown = d.topDown;
        testing_lib::TempProgramFolder folder("bitmap");
        writeHostFile(folder.host("wide.bmp"), makeBmp(l));
        for (auto& c : cases) {
            swCBitmap bitmap;
            bitmap.bitmapLoadRect("wide.bmp", c.rect.left, c.rect.top, c.rect.right, c.rect.bottom, c.flags);
            SIZE size = bitmap.bitmapGetSize();
            ASSERT_EQ(size.cx, c.rect.right - c.rect.left);
            ASSERT_EQ(size.cy, c.rect.bottom - c.rect.top);
            platform::gdi::Image image = platform::gdi::readPixels(bitmap.handle());
            for (int y = 0; y < size.cy; ++y)
                for (int x = 0; x < size.cx; ++x) {
                    const int sx = c.rect.left + ((c.flags & 1) ? size.cx - 1 - x : x);
                    const int sy = c.rect.top + ((c.flags & 2) ? size.cy - 1 - y : y);
                    ASSERT_EQ(image.at(x, y) & 0xFFFFFF, testing_bmp::expectedColour(l, sx, sy))
                        << d.bits << " bits, flags " << c.flags << " at " << x << "," << y;
                }
        }
    }
}

TEST(BitmapLoadRect, ASheetIsReadOnceInsideAScopeAndAfreshAfterIt)
{
    testing_lib::TempProgramFolder folder("bitmap");
    Layout l;
    l.bits = 8;
    l.width = 8;
    l.height = 4;
    std::vector<uint8_t> file = makeBmp(l);
    writeHostFile(folder.host("sheet.bmp"), file);
    auto face = [](swCBitmap& bitmap) {
        bitmap.bitmapLoadRect("sheet.bmp", 0, 0, 4, 4);
        return platform::gdi::readPixels(bitmap.handle()).at(0, 0) & 0xFFFFFF;
    };
    swCBitmap first, second, third;
    uint32_t before = 0, during = 0;
    {
        PictureSheetScope scope;
        before = face(first);
        // The same size and another colour table: only the contents tell the two apart.
        for (size_t i = 54; i < 54 + 256 * 4; ++i)
            file[i] = uint8_t(~file[i]);
        writeHostFile(folder.host("sheet.bmp"), file);
        during = face(second);
    }
    EXPECT_EQ(during, before) << "the sheet as first read in the scope";
    EXPECT_NE(face(third), before) << "read again once the scope ended";
}

TEST(BitmapLoadFile, DamagedFileThrowsAndKeepsThePreviousPicture)
{
    testing_lib::TempProgramFolder folder("bitmap");
    Layout l;
    writeHostFile(folder.host("good.bmp"), makeBmp(l));
    std::vector<uint8_t> bad = makeBmp(l);
    bad.resize(bad.size() - 5);
    writeHostFile(folder.host("bad.bmp"), bad);

    swCBitmap bitmap;
    bitmap.bitmapLoadFile("good.bmp");
    HBITMAP before = bitmap.handle();
    ASSERT_NE(before, nullptr);
    EXPECT_EQ(bitmapErrorCode([&] { bitmap.bitmapLoadFile("bad.bmp"); }), 0);
    EXPECT_EQ(bitmapErrorCode([&] { bitmap.bitmapLoadRect("bad.bmp", 0, 0, 2, 2); }), 0);
    EXPECT_EQ(bitmap.handle(), before);
    EXPECT_EQ(GetObjectType(before), DWORD(OBJ_BITMAP));
}

// An 8-bit picture of white, grey 100 and magenta in columns.
std::vector<uint8_t> threeColourPicture()
{
    Layout l;
    l.bits = 8;
    l.width = 3;
    l.height = 1;
    l.colourCount = 3;
    std::vector<uint8_t> file = makeBmp(l);
    const uint8_t table[12] = { 255, 255, 255, 0, 100, 100, 100, 0, 255, 0, 255, 0 };
    std::copy(table, table + 12, file.begin() + 54);
    file[file.size() - 4] = 0;
    file[file.size() - 3] = 1;
    file[file.size() - 2] = 2;
    return file;
}

TEST(BitmapFromPackedDib, TintsEveryEntryButTheKey)
{
    swCBitmap bitmap;
    bitmap.bitmapFromPackedDIB(threeColourPicture(), kPictureKey, RGB(128, 128, 128));
    platform::gdi::Image image = platform::gdi::readPixels(bitmap.handle());
    EXPECT_EQ(image.at(0, 0) & 0xFFFFFF, 0x808080u);
    EXPECT_EQ(image.at(1, 0) & 0xFFFFFF, 0x323232u);
    EXPECT_EQ(image.at(2, 0) & 0xFFFFFF, 0xFF00FFu);

    bitmap.bitmapFromPackedDIB(threeColourPicture(), kNoColour, kNoColour);
    image = platform::gdi::readPixels(bitmap.handle());
    EXPECT_EQ(image.at(0, 0) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(image.at(1, 0) & 0xFFFFFF, 0x646464u);
}

class RecordingBitmap : public swCBitmap {
public:
    std::vector<std::string> calls;
    BYTE firstRedSeen = 0;

protected:
    void filterColourTable(PackedDib& dib) override
    {
        calls.push_back("table");
        firstRedSeen = dib.colours()[0].rgbRed;
        dib.colours()[1] = RGBQUAD { 0, 0, 7, 0 };
    }
    void filterDib(PackedDib&) override { calls.push_back("dib"); }
};

TEST(BitmapHooks, RunTableThenDibAfterTintingBeforeConversion)
{
    RecordingBitmap bitmap;
    bitmap.bitmapFromPackedDIB(threeColourPicture(), kPictureKey, RGB(128, 128, 128));
    EXPECT_EQ(bitmap.calls, (std::vector<std::string> { "table", "dib" }));
    EXPECT_EQ(bitmap.firstRedSeen, 128);
    EXPECT_EQ(platform::gdi::readPixels(bitmap.handle()).at(1, 0) & 0xFFFFFF, 0x070000u);
}

TEST(BitmapDrawing, BlitsIntoTheHeldBitmap)
{
    WindowDcHolder screen(nullptr);
    swCBitmap canvas(screen, 6, 2);
    ASSERT_EQ(canvas.bitmapGetSize().cx, 6);
    swCBitmap picture;
    picture.bitmapFromPackedDIB(threeColourPicture());

    canvas.bitmapBlit(0, 0, picture.handle(), RECT { 0, 0, 3, 1 });
    canvas.bitmapBlit(3, 0, picture.handle(), RECT { 0, 0, 3, 1 });
    canvas.bitmapBlitTransparent(1, 1, picture.handle(), RECT { 1, 0, 3, 1 }, kPictureKey);
    canvas.bitmapBlitTransparent(4, 0, picture.handle(), RECT { 1, 0, 3, 1 }, kPictureKey);
    platform::gdi::Image image = platform::gdi::readPixels(canvas.handle());
    const uint32_t row0[6] = { 0xFFFFFF, 0x646464, 0xFF00FF, 0xFFFFFF, 0x646464, 0xFF00FF };
    for (int x = 0; x < 6; ++x)
        EXPECT_EQ(image.at(x, 0) & 0xFFFFFF, row0[x]) << x;
    EXPECT_EQ(image.at(1, 1) & 0xFFFFFF, 0x646464u);
    EXPECT_EQ(image.at(2, 1) & 0xFFFFFF, 0u); // the compatible bitmap starts black
}

} // namespace
