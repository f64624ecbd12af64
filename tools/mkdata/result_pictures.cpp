// "tkbmp" pictures of the phase result windows: "occupation.bmp", "destruction.bmp", "repair.bmp"
// and "reinforcement.bmp", each 21 bands of 224 x 168, band b for building type 31 + b (band 18
// the temporary bridge, 19 the pillbox). Each band shows the building and what befell it, and the
// gauge's background at (88, 151)-(216, 161).
#include "tools/mkdata/generator.h"
#include "tools/mkdata/popup_art.h"

#include <array>
#include <string>
#include <vector>

namespace mkdata::results {
namespace {

constexpr int kWidth = 224;
constexpr int kBandHeight = 168;
constexpr int kBands = 21;
constexpr int kHorizon = 104;
constexpr int kGroundBottom = 140;

const std::array<const char*, kBands> kBandNames = { "首都", "大都市", "中都市", "小都市", "空港", "飛行場", "工場",
    "兵器工場", "港", "軍港", "空軍基地", "油田", "原発", "ミサイル基地", "ダム", "トンネル", "要塞", "村", "仮設橋",
    "トーチカ", "橋" };

enum class Event { Occupation, Destruction, Repair, Reinforcement };

struct Ink {
    popups::Inks base;
    uint8_t wall, roof, window, water, steel, flag, fire, smoke, sand, shield;
};

Ink makeInk(Palette& palette)
{
    Ink ink {};
    ink.base = popups::makeInks(palette);
    ink.wall = palette.index({ 176, 170, 156 });
    ink.roof = palette.index({ 92, 70, 58 });
    ink.window = palette.index({ 232, 214, 120 });
    ink.water = palette.index({ 52, 92, 150 });
    ink.steel = palette.index({ 110, 118, 126 });
    ink.flag = palette.index({ 40, 80, 210 });
    ink.fire = palette.index({ 236, 120, 30 });
    ink.smoke = palette.index({ 70, 70, 72 });
    ink.sand = palette.index({ 196, 174, 120 });
    ink.shield = palette.index({ 90, 160, 210 });
    return ink;
}

// Canvas coordinates of one band: y is added to the band's top.
struct Band {
    Canvas& canvas;
    const Ink& ink;
    int top;
    void rect(int l, int t, int r, int b, uint8_t c) const { canvas.fillRect(l, top + t, r, top + b, c); }
    void frame(int l, int t, int r, int b, uint8_t c) const { canvas.frameRect(l, top + t, r, top + b, c); }
    void line(int x0, int y0, int x1, int y1, uint8_t c) const { canvas.line(x0, top + y0, x1, top + y1, c); }
    void circle(int x, int y, int r, uint8_t c) const { canvas.fillCircle(x, top + y, r, c); }
    void poly(std::vector<std::pair<int, int>> points, uint8_t c) const
    {
        for (auto& p : points)
            p.second += top;
        canvas.fillPolygon(points, c);
    }
};

void block(const Band& b, int left, int width, int height)
{
    b.rect(left, kHorizon - height, left + width, kHorizon + 6, b.ink.wall);
    b.frame(left, kHorizon - height, left + width, kHorizon + 6, b.ink.base.shade);
    for (int y = kHorizon - height + 6; y < kHorizon - 4; y += 10)
        for (int x = left + 4; x + 4 < left + width; x += 9)
            b.rect(x, y, x + 4, y + 5, b.ink.window);
}

void river(const Band& b)
{
    b.rect(0, kHorizon + 8, kWidth, kGroundBottom, b.ink.water);
}

void drawBuilding(const Band& b, int band)
{
    const Ink& k = b.ink;
    switch (band) {
    case 0: // the capital: a domed hall between two wings
        block(b, 40, 40, 34);
        block(b, 144, 40, 34);
        block(b, 80, 64, 46);
        b.circle(112, kHorizon - 50, 16, k.steel);
        b.rect(110, kHorizon - 74, 114, kHorizon - 64, k.base.shade);
        break;
    case 1: case 2: case 3: // cities: towers fewer and lower by size
        for (int i = 0; i < 6 - band; ++i)
            block(b, 24 + i * (176 / (6 - band)), 26, 60 - band * 10 + (i % 2) * 14);
        break;
    case 4: case 5: case 10: // airfields: a runway, a tower, a hangar for the base
        b.rect(10, kHorizon + 14, 214, kHorizon + 26, k.steel);
        for (int x = 20; x < 210; x += 20)
            b.rect(x, kHorizon + 19, x + 10, kHorizon + 21, k.wall);
        b.rect(150, kHorizon - 40, 162, kHorizon + 6, k.wall);
        b.rect(144, kHorizon - 52, 168, kHorizon - 40, k.window);
        if (band == 10)
            b.poly({ { 40, kHorizon + 6 }, { 70, kHorizon - 26 }, { 100, kHorizon + 6 } }, k.steel);
        break;
    case 6: case 7: // factories: saw-tooth sheds and chimneys
        for (int i = 0; i < 4; ++i)
            b.poly({ { 30 + 36 * i, kHorizon + 6 }, { 30 + 36 * i, kHorizon - 24 }, { 66 + 36 * i, kHorizon - 8 },
                       { 66 + 36 * i, kHorizon + 6 } },
                k.wall);
        b.rect(180, kHorizon - 60, 190, kHorizon + 6, k.roof);
        if (band == 7)
            b.rect(196, kHorizon - 44, 204, kHorizon + 6, k.roof);
        break;
    case 8: case 9: // ports: a quay, a crane and a ship
        b.rect(0, kHorizon + 4, kWidth, kGroundBottom, k.water);
        b.rect(0, kHorizon - 4, 100, kHorizon + 10, k.wall);
        b.rect(60, kHorizon - 60, 66, kHorizon - 4, k.steel);
        b.rect(60, kHorizon - 60, 110, kHorizon - 54, k.steel);
        b.poly({ { 120, kHorizon + 12 }, { 210, kHorizon + 12 }, { 200, kHorizon + 26 }, { 128, kHorizon + 26 } },
            band == 9 ? k.steel : k.roof);
        b.rect(150, kHorizon - 2, 176, kHorizon + 12, k.wall);
        break;
    case 11: // oil field: a derrick and tanks
        b.poly({ { 60, kHorizon + 6 }, { 80, kHorizon - 70 }, { 100, kHorizon + 6 } }, k.steel);
        b.poly({ { 68, kHorizon + 6 }, { 80, kHorizon - 50 }, { 92, kHorizon + 6 } }, k.base.sky);
        b.circle(150, kHorizon - 10, 16, k.wall);
        b.circle(186, kHorizon - 6, 12, k.wall);
        break;
    case 12: // power plant: a reactor dome and a cooling tower
        b.rect(50, kHorizon - 30, 110, kHorizon + 6, k.wall);
        b.circle(80, kHorizon - 30, 30, k.wall);
        b.poly({ { 140, kHorizon + 6 }, { 150, kHorizon - 56 }, { 186, kHorizon - 56 }, { 196, kHorizon + 6 } }, k.steel);
        break;
    case 13: // missile base: a missile on its launcher
        b.rect(60, kHorizon - 6, 170, kHorizon + 6, k.steel);
        b.poly({ { 100, kHorizon - 6 }, { 108, kHorizon - 80 }, { 116, kHorizon - 6 } }, k.wall);
        b.poly({ { 104, kHorizon - 70 }, { 108, kHorizon - 88 }, { 112, kHorizon - 70 } }, k.fire);
        break;
    case 14: // dam: a wall holding back a lake
        b.rect(0, kHorizon - 30, 120, kHorizon + 6, k.water);
        b.poly({ { 110, kHorizon - 40 }, { 140, kHorizon - 40 }, { 160, kHorizon + 30 }, { 100, kHorizon + 30 } }, k.wall);
        break;
    case 15: // tunnel: a mountain with an arched mouth
        b.poly({ { 10, kHorizon + 6 }, { 112, kHorizon - 80 }, { 214, kHorizon + 6 } }, k.roof);
        b.circle(112, kHorizon - 6, 22, k.base.shade);
        b.rect(90, kHorizon - 6, 134, kHorizon + 6, k.base.shade);
        break;
    case 16: // fortress: walls and corner towers
        b.rect(30, kHorizon - 30, 194, kHorizon + 6, k.wall);
        for (int x : { 24, 100, 176 })
            b.rect(x, kHorizon - 50, x + 24, kHorizon + 6, k.steel);
        for (int x = 30; x < 194; x += 12)
            b.rect(x, kHorizon - 36, x + 6, kHorizon - 30, k.wall);
        break;
    case 17: // village: small houses with pitched roofs
        for (int i = 0; i < 4; ++i) {
            const int x = 24 + 46 * i;
            b.rect(x, kHorizon - 16, x + 30, kHorizon + 6, k.wall);
            b.poly({ { x - 4, kHorizon - 16 }, { x + 15, kHorizon - 32 }, { x + 34, kHorizon - 16 } }, k.roof);
        }
        break;
    case 18: // temporary bridge: planks on trestles over a river
        river(b);
        b.rect(10, kHorizon + 2, 214, kHorizon + 8, k.sand);
        for (int x = 30; x < 214; x += 36)
            b.rect(x, kHorizon + 8, x + 4, kGroundBottom, k.roof);
        break;
    case 19: // pillbox: a low concrete bunker with a slit
        b.poly({ { 50, kHorizon + 6 }, { 70, kHorizon - 26 }, { 154, kHorizon - 26 }, { 174, kHorizon + 6 } }, k.steel);
        b.rect(84, kHorizon - 14, 140, kHorizon - 8, k.base.shade);
        break;
    default: // bridge: arches over a river
        river(b);
        b.rect(0, kHorizon - 4, kWidth, kHorizon + 4, k.wall);
        for (int x = 20; x < kWidth; x += 60)
            b.rect(x, kHorizon + 4, x + 10, kGroundBottom, k.wall);
        break;
    }
}

void drawEvent(const Band& b, Event event)
{
    const Ink& k = b.ink;
    switch (event) {
    case Event::Occupation: // the taker's flag over the building
        b.rect(196, 30, 199, kHorizon + 6, k.base.shade);
        b.poly({ { 199, 30 }, { 222, 38 }, { 199, 46 } }, k.flag);
        break;
    case Event::Destruction: // fire and smoke
        for (int i = 0; i < 4; ++i) {
            b.circle(60 + 36 * i, kHorizon - 44 - (i % 2) * 10, 14, k.smoke);
            b.poly({ { 50 + 36 * i, kHorizon + 4 }, { 60 + 36 * i, kHorizon - 28 }, { 70 + 36 * i, kHorizon + 4 } }, k.fire);
        }
        break;
    case Event::Repair: // a scaffold against the building
        for (int x = 24; x < 200; x += 44)
            b.rect(x, kHorizon - 60, x + 3, kHorizon + 6, k.sand);
        for (int y = kHorizon - 56; y < kHorizon; y += 18)
            b.rect(24, y, 203, y + 3, k.sand);
        break;
    case Event::Reinforcement: // sandbags and a shield
        for (int x = 8; x < 216; x += 16)
            b.rect(x, kHorizon + 8, x + 14, kHorizon + 16, k.sand);
        b.poly({ { 186, 34 }, { 214, 34 }, { 214, 54 }, { 200, 68 }, { 186, 54 } }, k.shield);
        break;
    }
}

void drawBand(Canvas& canvas, const Ink& ink, int band, Event event, const char* word, const char* gaugeWord)
{
    const Band b { canvas, ink, band * kBandHeight };
    const popups::Inks& base = ink.base;
    b.rect(0, 0, kWidth, kHorizon, base.sky);
    b.rect(0, kHorizon, kWidth, kGroundBottom, base.ground);
    drawBuilding(b, band);
    drawEvent(b, event);
    // The title banner.
    b.rect(0, 0, kWidth, 26, base.back);
    b.line(0, 26, kWidth - 1, 26, base.light);
    popups::label(canvas, 6, b.top + 4, 78, b.top + 24, word, base.title, 16, true);
    popups::label(canvas, 80, b.top + 5, 218, b.top + 23, kBandNames[size_t(band)], base.label, 14);
    // The gauge row.
    popups::raisedPanel(canvas, base, 0, b.top + kGroundBottom, kWidth, b.top + kBandHeight);
    popups::label(canvas, 6, b.top + 148, 84, b.top + 164, gaugeWord, base.label);
    popups::sunkenField(canvas, base, 86, b.top + 149, 218, b.top + 163);
}

void writeResults(const std::filesystem::path& folder, const char* file, Event event, const char* word, const char* gaugeWord)
{
    Palette palette;
    const Ink ink = makeInk(palette);
    Canvas canvas(kWidth, kBands * kBandHeight, ink.base.back);
    for (int band = 0; band < kBands; ++band)
        drawBand(canvas, ink, band, event, word, gaugeWord);
    writeFile(folder / "tkbmp" / file, encodeBmp8(canvas, palette));
}

void writeResultPictures(const std::filesystem::path& folder)
{
    writeResults(folder, "occupation.bmp", Event::Occupation, "占領", "占領値");
    writeResults(folder, "destruction.bmp", Event::Destruction, "破壊", "耐久度");
    writeResults(folder, "repair.bmp", Event::Repair, "修復", "耐久度");
    writeResults(folder, "reinforcement.bmp", Event::Reinforcement, "補強", "耐久度");
}

} // namespace

MKDATA_GENERATOR("result_pictures", writeResultPictures);

} // namespace mkdata::results
