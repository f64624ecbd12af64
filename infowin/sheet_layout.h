// Where the information windows cut their pictures: the icon sheet "info_btn.bmp" beside its
// buttons, the set panels and bars of "change_btn.bmp" and the row strip of "list_weap.bmp".
// Header only, shared with the generator of those sheets.
#pragma once

#include <algorithm>
#include <vector>

namespace info_sheet {

struct Cell {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    constexpr int right() const { return x + width; }
    constexpr int bottom() const { return y + height; }
    constexpr bool operator==(const Cell&) const = default;
};

// -- "info_btn.bmp": 720 x 344 --
constexpr int kIconSheetWidth = 720;
constexpr int kIconSheetHeight = 344;

// Carry classes and berths: 56 x 18 badges by the first set bit counted from the top (bit 7 is 0).
constexpr Cell carryBadge(int b) { return { 240 + 56 * b, 0, 56, 18 }; }
constexpr Cell berthBadge(int b) { return { 240 + 56 * b, 18, 56, 18 }; }
constexpr Cell stateBadge(bool sightLimited) { return { sightLimited ? 296 : 240, 36, 56, 18 }; }
constexpr Cell domainBadge(int domain) { return { 352 + 56 * domain, 36, 56, 18 }; }
// Level 0..5.
constexpr Cell experienceMark(int level) { return { (20 - level) * 16, 54, 16, 16 }; }
constexpr Cell kExperienceBarFull { 344, 86, 80, 10 };
constexpr Cell kExperienceBarEmpty { 344, 96, 80, 10 };
// Five highlight bars of the weapon table, one per row.
constexpr Cell kWeaponBars { 0, 264, 704, 16 };

// Capability icons, 60 x 24. A graded icon has cells for values 1..9 (night sight 10..100 %);
// larger values show the top cell.
constexpr int kIconWidth = 60;
constexpr int kIconHeight = 24;
constexpr Cell icon(int x, int y) { return { x, y, kIconWidth, kIconHeight }; }
constexpr int gradeValue(int v) { return std::min(v, 9); }
constexpr Cell nightSightIcon(int percent) { return icon(60 * std::clamp(percent / 10 - 1, 0, 9), 144); }
constexpr Cell grade1Icon(int v)
{
    return gradeValue(v) < 3 ? icon(60 * (gradeValue(v) + 9), 144) : icon(60 * (gradeValue(v) - 3), 168);
}
constexpr Cell grade2Icon(int v)
{
    return gradeValue(v) < 6 ? icon(60 * (gradeValue(v) + 6), 168) : icon(60 * (gradeValue(v) - 6), 192);
}
constexpr Cell grade3Icon(int v)
{
    return gradeValue(v) < 9 ? icon(60 * (gradeValue(v) + 3), 192) : icon(60 * (gradeValue(v) - 9), 216);
}
constexpr Cell areaRadiusIcon(int v)
{
    return gradeValue(v) < 7 ? icon(60 * (gradeValue(v) + 5), 216) : icon(60 * (gradeValue(v) - 7), 240);
}

// The single icons, in the order the capability panel tests them.
enum class Capability {
    HardArmour, SoftArmour, Berths, LandingShip, Intercept, Ecm, Launch, SelfDestruct, BaseType, Airborne,
    Supply, Occupy, Engineering, Demolition, Bridge, Pillbox, Road, Reinforce, LandMines, SeaMines,
    AirRefuel, GroundSupply, SeaSupply,
};
constexpr int kCapabilityCount = int(Capability::SeaSupply) + 1;

constexpr Cell capabilityIcon(Capability c)
{
    constexpr int xy[kCapabilityCount][2] = {
        { 60, 216 }, { 120, 216 }, { 180, 216 }, { 240, 216 }, { 300, 216 }, { 180, 240 }, { 240, 240 },
        { 300, 240 }, { 360, 240 }, { 420, 240 }, { 480, 240 }, { 540, 240 }, { 600, 240 }, { 660, 240 },
        { 540, 72 }, { 600, 72 }, { 660, 72 }, { 540, 96 }, { 600, 96 }, { 660, 96 }, { 540, 120 },
        { 600, 120 }, { 660, 120 },
    };
    return icon(xy[int(c)][0], xy[int(c)][1]);
}

// -- "change_btn.bmp": 1056 x 560; the buttons take rows 480..560 --
constexpr int kChangeSheetWidth = 1056;
constexpr int kChangeSheetHeight = 560;
constexpr Cell setPanel(int set, bool selected) { return { 264 * set, selected ? 192 : 0, 264, 192 }; }
constexpr Cell kChangeBars { 0, 384, 704, 16 };

// -- "list_weap.bmp": 472 x 66; the header buttons take rows 0..48 --
constexpr int kWeaponListSheetWidth = 472;
constexpr int kWeaponListSheetHeight = 66;
constexpr Cell kWeaponRowStrip { 0, 48, 472, 18 };
// The list's background colour is this pixel's.
constexpr int kListColourX = 2;
constexpr int kListColourY = 50;

// -- "info_move.bmp": 432 x 104, drawn at (8, 348) --
constexpr int kMovePanelWidth = 432;
constexpr int kMovePanelHeight = 104;
constexpr int kMovePanelX = 8;
constexpr int kMovePanelY = 348;
constexpr int kMovePanelEntries = 53;
// The terrain index shown at entry n (0..52): grounds, rivers and bridges, then the buildings.
constexpr int movePanelTerrain(int n)
{
    constexpr int head[8] = { 1, 2, 3, 4, 5, 8, 6, 7 };
    constexpr int bridges[4] = { 52, 51, 50, 53 };
    if (n < 8)
        return head[n];
    if (n < 30)
        return n + 1; // 9..30
    if (n < 34)
        return bridges[n - 30];
    return n - 3; // 31..49
}
// The top-left of entry n's figure, a 12 x 12 box in window coordinates.
constexpr Cell movePanelFigure(int n)
{
    if (n < 18)
        return { 14 + 24 * n, 370, 12, 12 };
    if (n < 35)
        return { 26 + 24 * (n - 18), 404, 12, 12 };
    return { 14 + 24 * (n - 35), 438, 12, 12 };
}

// Every region of the three sheets besides their buttons, for the generator and its checks.
inline std::vector<Cell> iconSheetRegions()
{
    std::vector<Cell> cells;
    for (int b = 0; b < 8; ++b)
        cells.push_back(carryBadge(b)), cells.push_back(berthBadge(b));
    cells.push_back(stateBadge(false));
    cells.push_back(stateBadge(true));
    for (int d = 0; d < 6; ++d)
        cells.push_back(domainBadge(d));
    for (int level = 0; level <= 5; ++level)
        cells.push_back(experienceMark(level));
    cells.push_back(kExperienceBarFull);
    cells.push_back(kExperienceBarEmpty);
    for (int i = 0; i < 5; ++i)
        cells.push_back({ kWeaponBars.x, kWeaponBars.y + 16 * i, kWeaponBars.width, kWeaponBars.height });
    for (int v = 1; v <= 10; ++v)
        cells.push_back(nightSightIcon(10 * v));
    for (int v = 1; v <= 9; ++v) {
        cells.push_back(grade1Icon(v));
        cells.push_back(grade2Icon(v));
        cells.push_back(grade3Icon(v));
        cells.push_back(areaRadiusIcon(v));
    }
    for (int c = 0; c < kCapabilityCount; ++c)
        cells.push_back(capabilityIcon(Capability(c)));
    return cells;
}

inline std::vector<Cell> changeSheetRegions()
{
    std::vector<Cell> cells;
    for (int k = 0; k < 4; ++k)
        cells.push_back(setPanel(k, false)), cells.push_back(setPanel(k, true));
    for (int i = 0; i < 5; ++i)
        cells.push_back({ kChangeBars.x, kChangeBars.y + 16 * i, kChangeBars.width, kChangeBars.height });
    return cells;
}

inline std::vector<Cell> weaponListSheetRegions() { return { kWeaponRowStrip }; }

} // namespace info_sheet
