// The BMP reader: every depth and header form read back pixel for pixel, and damaged files refused.
#include "lib/media/bitmap.h"
#include "tests/platform/gdi/bmp_files.h"
#include "tests/lib/media/picture_checks.h"
#include "tests/lib/thrown_error.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>

using testing_bmp::Layout;
using testing_bmp::makeBmp;
using testing_bmp::NamedLayout;

namespace {

std::vector<NamedLayout> allLayouts()
{
    std::vector<NamedLayout> list;
    for (int bits : { 1, 4, 8, 16, 24, 32 })
        for (bool topDown : { false, true })
            for (int width : { 8, 13 }) { // 13 pads every depth's rows
                Layout l;
                l.bits = bits;
                l.width = width;
                l.height = 5;
                l.topDown = topDown;
                list.push_back({ std::to_string(bits) + "Bits" + (topDown ? "TopDown" : "BottomUp") + "Width" + std::to_string(width), l });
            }
    auto add = [&](std::string name, auto change) {
        Layout l;
        l.width = 7;
        l.height = 4;
        change(l);
        list.push_back({ std::move(name), l });
    };
    add("Core8Bits", [](Layout& l) { l.headerSize = 12; l.bits = 8; });
    add("Core1Bit", [](Layout& l) { l.headerSize = 12; l.bits = 1; });
    add("Core24Bits", [](Layout& l) { l.headerSize = 12; l.bits = 24; });
    add("BareDib8Bits", [](Layout& l) { l.fileHeader = false; l.bits = 8; });
    add("BareDibCore4Bits", [](Layout& l) { l.fileHeader = false; l.headerSize = 12; l.bits = 4; });
    add("V4Header8Bits", [](Layout& l) { l.headerSize = 108; l.bits = 8; });
    add("V5Header32BitsMasks", [](Layout& l) { l.headerSize = 124; l.bits = 32; l.compression = BI_BITFIELDS; });
    add("InfoHeader32BitsMasks", [](Layout& l) { l.bits = 32; l.compression = BI_BITFIELDS; });
    add("ShortColourTable", [](Layout& l) { l.bits = 8; l.colourCount = 5; });
    add("ZeroImageSize24Bits", [](Layout& l) { l.bits = 24; l.zeroImageSize = true; });
    add("BareDibZeroImageSize", [](Layout& l) { l.fileHeader = false; l.bits = 4; l.colourCount = 9; l.zeroImageSize = true; });
    return list;
}

class BmpReading : public testing::TestWithParam<NamedLayout> { };

TEST_P(BmpReading, LoadsEveryPixelAsWritten)
{
    const Layout& l = GetParam().layout;
    swCBitmap bitmap;
    bitmap.bitmapFromPackedDIB(makeBmp(l));
    ASSERT_NE(bitmap.handle(), nullptr);
    SIZE size = bitmap.bitmapGetSize();
    ASSERT_EQ(size.cx, l.width);
    ASSERT_EQ(size.cy, l.height);
    platform::gdi::Image image = platform::gdi::readPixels(bitmap.handle());
    for (int y = 0; y < l.height; ++y)
        for (int x = 0; x < l.width; ++x)
            ASSERT_EQ(image.at(x, y) & 0xFFFFFF, testing_bmp::expectedColour(l, x, y)) << "at " << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(AllForms, BmpReading, testing::ValuesIn(allLayouts()),
    [](const testing::TestParamInfo<NamedLayout>& info) { return info.param.name; });

TEST(BmpReader, DropsTheOptionalTableOfDeepPictures)
{
    Layout l;
    l.bits = 24;
    std::vector<uint8_t> file = makeBmp(l);
    // Declare 2 entries and move the pixels behind them, as a writer with a table would.
    testing_bmp::set32(file, 14 + 32, 2);
    file.insert(file.begin() + 54, 8, 0xAB);
    testing_bmp::set32(file, 10, 62);
    BmpReadResult read = bmpReadBytes(file);
    ASSERT_TRUE(read) << read.error;
    EXPECT_EQ(read.dib.colourCount(), 0u);
    EXPECT_EQ(read.dib.tableBytes(), 0u);
    EXPECT_EQ(read.dib.pixels()[0], file[62]);
}

struct Damage {
    const char* name;
    Layout layout;
    std::function<void(std::vector<uint8_t>&)> apply;
    // More pixels than a picture may have: told as too large, whatever else the file holds.
    bool tooLarge = false;
    friend void PrintTo(const Damage& d, std::ostream* out) { *out << d.name; }
};

Layout eightBits()
{
    Layout l;
    l.bits = 8;
    l.width = 6;
    return l;
}

std::vector<Damage> damages()
{
    const Layout plain;
    const Layout paletted = eightBits();
    Layout rle = eightBits();
    rle.compression = BI_RLE8;
    return {
        { "FileHeaderCutShort", plain, [](auto& f) { f.resize(10); } },
        { "InfoHeaderCutShort", plain, [](auto& f) { f.resize(30); } },
        { "UnknownHeaderSize", plain, [](auto& f) { testing_bmp::set32(f, 14, 64); } },
        { "ZeroWidth", plain, [](auto& f) { testing_bmp::set32(f, 18, 0); } },
        { "NegativeWidth", plain, [](auto& f) { testing_bmp::set32(f, 18, uint32_t(-4)); } },
        { "ZeroHeight", plain, [](auto& f) { testing_bmp::set32(f, 22, 0); } },
        { "MostNegativeHeight", plain, [](auto& f) { testing_bmp::set32(f, 22, uint32_t(INT_MIN)); } },
        { "HugeWidth", plain, [](auto& f) { testing_bmp::set32(f, 18, 0x7FFFFFFF); }, true },
        { "MorePixelsThanAPictureMayHave", plain, [](auto& f) { testing_bmp::set32(f, 18, 4096); testing_bmp::set32(f, 22, 1025); }, true },
        { "UnknownDepth", plain, [](auto& f) { f[28] = 7; } },
        { "UnknownCompression", plain, [](auto& f) { testing_bmp::set32(f, 30, 4); } },
        { "MasksOnTwentyFourBits", plain, [](auto& f) { testing_bmp::set32(f, 30, BI_BITFIELDS); } },
        { "RunLengthOnTwentyFourBits", plain, [](auto& f) { testing_bmp::set32(f, 30, BI_RLE8); } },
        { "RunLength", rle, [](auto&) { } },
        { "RunLengthClaimingAHugePicture", rle, [](auto& f) { testing_bmp::set32(f, 18, 16000); testing_bmp::set32(f, 22, 16000); } },
        { "ColourCountPastDepth", paletted, [](auto& f) { testing_bmp::set32(f, 46, 257); } },
        { "ColourCountHuge", paletted, [](auto& f) { testing_bmp::set32(f, 46, 0xFFFFFFF0); } },
        { "ColourTableCutShort", paletted, [](auto& f) { f.resize(14 + 40 + 100); } },
        { "PixelsOneByteShort", plain, [](auto& f) { f.pop_back(); } },
        { "PixelsOneByteShortInBareDib", eightBits(), [](auto& f) { f.erase(f.begin(), f.begin() + 14); f.pop_back(); } },
        { "PixelOffsetPastFile", plain, [](auto& f) { testing_bmp::set32(f, 10, uint32_t(f.size() + 1)); } },
        { "PixelOffsetInsideHeader", plain, [](auto& f) { testing_bmp::set32(f, 10, 20); } },
        { "PixelOffsetLeavesTooFewBytes", plain, [](auto& f) { testing_bmp::set32(f, 10, 60); } },
        { "MasksCutShort", Layout { .bits = 32, .compression = BI_BITFIELDS }, [](auto& f) { f.resize(14 + 40 + 6); } },
        { "Empty", plain, [](auto& f) { f.clear(); } },
    };
}

class BmpRefusal : public testing::TestWithParam<Damage> { };

TEST_P(BmpRefusal, RefusesWithBitmapErrorZeroOrAsTooLarge)
{
    std::vector<uint8_t> file = makeBmp(GetParam().layout);
    GetParam().apply(file);
    BmpReadResult read = bmpReadBytes(file);
    EXPECT_FALSE(read);
    EXPECT_FALSE(read.error.empty());
    EXPECT_EQ(read.tooLarge, GetParam().tooLarge);
    swCBitmap bitmap;
    const testing_lib::ThrownError thrown = testing_lib::thrownError([&] { bitmap.bitmapFromPackedDIB(file); });
    EXPECT_EQ(thrown.isFileError, GetParam().tooLarge);
    EXPECT_EQ(thrown.code, GetParam().tooLarge ? 6 : 0);
    EXPECT_EQ(bitmap.handle(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(DamagedFiles, BmpRefusal, testing::ValuesIn(damages()),
    [](const testing::TestParamInfo<Damage>& info) { return std::string(info.param.name); });

} // namespace
