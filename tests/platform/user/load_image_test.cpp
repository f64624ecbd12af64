// LoadImageA: BMP files named ".dat", as the battle scene keeps them, come back as DIB sections of
// the file's own depth and row order holding its rows byte for byte; damaged or missing files
// give NULL and a last error.
#include "platform/gdi/dc_view.h"
#include "platform/windows.h"
#include "tests/platform/gdi/bmp_files.h"
#include "tests/platform/kernel/temp_program_folder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

using testing_bmp::Layout;
using testing_bmp::NamedLayout;

namespace {

std::vector<NamedLayout> sceneForms()
{
    std::vector<NamedLayout> list;
    for (int bits : { 8, 16, 24, 32 })
        for (bool topDown : { false, true }) {
            Layout l;
            l.bits = bits;
            l.width = 13;   // pads the rows of every depth
            l.height = 5;
            l.topDown = topDown;
            list.push_back({ std::to_string(bits) + "Bits" + (topDown ? "TopDown" : "BottomUp"), l });
        }
    return list;
}

std::string asText(const std::vector<uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

HBITMAP load(const char* name, UINT flags = LR_LOADFROMFILE | LR_CREATEDIBSECTION)
{
    return static_cast<HBITMAP>(LoadImageA(nullptr, name, IMAGE_BITMAP, 0, 0, flags));
}

// Writes the picture into the folder under its host name and loads it by its game name.
HBITMAP writeAndLoad(const TempProgramFolder& folder, const Layout& l, const std::string& hostName, const char* gameName,
    UINT flags = LR_LOADFROMFILE | LR_CREATEDIBSECTION)
{
    folder.write(hostName, asText(testing_bmp::makeBmp(l)));
    return load(gameName, flags);
}

void expectColours(HBITMAP bitmap, const Layout& l)
{
    platform::gdi::Image image = platform::gdi::readPixels(bitmap);
    for (int y = 0; y < l.height; ++y)
        for (int x = 0; x < l.width; ++x)
            ASSERT_EQ(image.at(x, y) & 0xFFFFFF, testing_bmp::expectedColour(l, x, y)) << x << "," << y;
}

class LoadImageForms : public testing::TestWithParam<NamedLayout> { };

TEST_P(LoadImageForms, DibSectionHoldsTheFileRowsAndShowsItsColours)
{
    const Layout& l = GetParam().layout;
    TempProgramFolder folder;
    HBITMAP bitmap = writeAndLoad(folder, l, "tklc/bg00.dat", "tklc\\BG00.dat");
    ASSERT_NE(bitmap, nullptr) << GetLastError();

    DIBSECTION ds {};
    ASSERT_EQ(GetObjectA(bitmap, sizeof ds, &ds), int(sizeof ds));
    EXPECT_EQ(ds.dsBm.bmWidth, l.width);
    EXPECT_EQ(ds.dsBm.bmHeight, l.height);
    EXPECT_EQ(ds.dsBm.bmBitsPixel, l.bits);
    EXPECT_EQ(ds.dsBmih.biHeight, l.topDown ? -l.height : l.height) << "the file's row order";
    EXPECT_EQ(ds.dsBmih.biCompression, DWORD(BI_RGB));
    if (l.bits == 16) {
        EXPECT_EQ(ds.dsBitfields[0], 0x7C00u) << "16 bits are 5-5-5";
        EXPECT_EQ(ds.dsBitfields[1], 0x03E0u);
        EXPECT_EQ(ds.dsBitfields[2], 0x001Fu);
    }
    ASSERT_NE(ds.dsBm.bmBits, nullptr);
    const std::vector<uint8_t> rows = testing_bmp::pixelRows(l);
    ASSERT_EQ(size_t(ds.dsBm.bmWidthBytes), size_t(testing_bmp::stride(l)));
    EXPECT_EQ(std::memcmp(ds.dsBm.bmBits, rows.data(), rows.size()), 0) << "the stored rows, unchanged";
    expectColours(bitmap, l);
    DeleteObject(bitmap);
}

INSTANTIATE_TEST_SUITE_P(SceneFiles, LoadImageForms, testing::ValuesIn(sceneForms()),
    [](const testing::TestParamInfo<NamedLayout>& info) { return info.param.name; });

TEST(LoadImage, EightBitsKeepTheirColourTable)
{
    Layout l;
    l.bits = 8;
    l.colourCount = 20;
    TempProgramFolder folder;
    HBITMAP bitmap = writeAndLoad(folder, l, "category.dat", "category.dat");
    ASSERT_NE(bitmap, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RGBQUAD table[256] {};
    ASSERT_EQ(GetDIBColorTable(dc, 0, 256, table), 20u);
    for (uint32_t i = 0; i < 20; ++i) {
        uint32_t c = testing_bmp::paletteColour(i);
        EXPECT_EQ((uint32_t(table[i].rgbRed) << 16) | (uint32_t(table[i].rgbGreen) << 8) | table[i].rgbBlue, c) << i;
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bitmap);
}

TEST(LoadImage, WithoutDibSectionGivesAScreenBitmapOfTheSamePicture)
{
    Layout l;
    l.bits = 16;
    l.width = 9;
    TempProgramFolder folder;
    HBITMAP bitmap = writeAndLoad(folder, l, "frame2.dat", "frame2.dat", LR_LOADFROMFILE);
    ASSERT_NE(bitmap, nullptr);
    DIBSECTION ds {};
    EXPECT_EQ(GetObjectA(bitmap, sizeof ds, &ds), int(sizeof(BITMAP))) << "not a DIB section";
    EXPECT_EQ(ds.dsBm.bmBitsPixel, 32);
    expectColours(bitmap, l);
    DeleteObject(bitmap);
}

struct Refusal {
    const char* name;
    std::function<void(std::vector<uint8_t>&)> damage;
};

TEST(LoadImage, DamagedFilesGiveNullAndInvalidData)
{
    Layout l;
    l.bits = 16;
    l.width = 6;
    const Refusal refusals[] = {
        { "PixelsOneByteShort", [](auto& f) { f.pop_back(); } },
        { "HeaderOnly", [](auto& f) { f.resize(14 + 40); } },
        { "NegativeWidth", [](auto& f) { testing_bmp::set32(f, 18, uint32_t(-6)); } },
        { "HugeHeight", [](auto& f) { testing_bmp::set32(f, 22, 0x40000000); } },
        { "PixelOffsetPastTheEnd", [](auto& f) { testing_bmp::set32(f, 10, uint32_t(f.size() + 4)); } },
        { "UnknownHeaderSize", [](auto& f) { testing_bmp::set32(f, 14, 41); } },
        { "Empty", [](auto& f) { f.clear(); } },
    };
    TempProgramFolder folder;
    for (const Refusal& r : refusals) {
        std::vector<uint8_t> file = testing_bmp::makeBmp(l);
        r.damage(file);
        folder.write("bad.dat", asText(file));
        SetLastError(0);
        EXPECT_EQ(load("bad.dat"), nullptr) << r.name;
        EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_DATA)) << r.name;
    }
}

TEST(LoadImage, MissingFilesAndOtherRequestsAreRefused)
{
    TempProgramFolder folder;
    SetLastError(0);
    EXPECT_EQ(load("tklc\\missing.dat"), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND));

    Layout l;
    folder.write("pic.dat", asText(testing_bmp::makeBmp(l)));
    EXPECT_EQ(LoadImageA(nullptr, "pic.dat", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION), nullptr) << "resources are not files";
    EXPECT_EQ(LoadImageA(nullptr, "pic.dat", IMAGE_ICON, 0, 0, LR_LOADFROMFILE), nullptr);
    EXPECT_EQ(LoadImageA(nullptr, "pic.dat", IMAGE_BITMAP, l.width * 2, 0, LR_LOADFROMFILE), nullptr) << "no stretching";
    HANDLE own = LoadImageA(nullptr, "pic.dat", IMAGE_BITMAP, l.width, l.height, LR_LOADFROMFILE);
    EXPECT_NE(own, nullptr) << "its own size is the picture";
    DeleteObject(own);
}

} // namespace
