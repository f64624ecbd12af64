// The presentation's small pictures for the dialogs: unit icons, terrain icons and one hex's picture.
#include "lib/media/dc_holders.h"
#include "ui/presentation.h"

#include "lib/media/colour_filter.h"
#include "state/game_state.h"

#include <algorithm>
#include <vector>

namespace {

constexpr int kIcon = 32;
constexpr int kLandIcon = 16;
constexpr int kUnitCells = 32;
constexpr uint32_t kMagentaPixel = 0xFF00FF;

bool usable(const swCBitmap* bitmap) { return bitmap && bitmap->handle(); }

// The cell lies inside the bitmap.
bool hasCell(const swCBitmap& bitmap, const RECT& cell)
{
    const SIZE size = bitmap.bitmapGetSize();
    return cell.left >= 0 && cell.top >= 0 && cell.right <= size.cx && cell.bottom <= size.cy;
}

void drawKeyed(HDC dc, int x, int y, const swCBitmap& bitmap, const RECT& cell)
{
    if (hasCell(bitmap, cell))
        PaletteHolder(dc).blitTransparent(x, y, bitmap.handle(), cell, kPictureKey);
}

// The icon faded to grey, as the map shows the neutral side.
void drawGreyIcon(HDC dc, int x, int y, const swCBitmap& sheet, const RECT& cell)
{
    if (!hasCell(sheet, cell))
        return;
    BITMAPINFO info = topDownBitmapInfo(kIcon, kIcon);
    void* memory = nullptr;
    GdiObjectHolder grey(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &memory, nullptr, 0));
    if (!grey.get() || !memory)
        return;
    HDC work = CreateCompatibleDC(dc);
    HDC from = CreateCompatibleDC(dc);
    HGDIOBJ oldWork = SelectObject(work, grey.get());
    HGDIOBJ oldFrom = SelectObject(from, sheet.handle());
    BitBlt(work, 0, 0, kIcon, kIcon, from, cell.left, cell.top, SRCCOPY);
    SelectObject(from, oldFrom);
    DeleteDC(from);
    GdiFlush();
    auto* pixels = static_cast<uint32_t*>(memory);
    for (int i = 0; i < kIcon * kIcon; ++i) {
        uint32_t& p = pixels[i];
        if ((p & 0xFFFFFF) == kMagentaPixel)
            continue;
        int r = int(p >> 16 & 0xFF), g = int(p >> 8 & 0xFF), b = int(p & 0xFF);
        fadeColour(0, r, g, b);
        p = uint32_t(r) << 16 | uint32_t(g) << 8 | uint32_t(b);
    }
    SelectObject(work, oldWork);
    DeleteDC(work);
    PaletteHolder(dc).blitTransparent(x, y, static_cast<HBITMAP>(grey.get()), RECT { 0, 0, kIcon, kIcon }, kPictureKey);
}

} // namespace

void Presentation::drawUnitIcon(HDC dc, int x, int y, int country, int typeId, int flag) const
{
    const swCBitmap* sheet = baseBitmap(kUnitSheet);
    const int index = m_game.unitTypeIndex(typeId);
    if (!dc || !usable(sheet) || index <= 0)
        return;
    int picture = m_game.unitTypes()[size_t(index - 1)].imageNumber;
    if (picture < 0 || picture >= kUnitCells)
        picture = 0;
    const bool ownColours = country >= 0 && country < kCountryCount;
    const int row = (ownColours ? country : 0) * 2 + (flag & 1);
    const RECT cell { picture * kIcon, row * kIcon, (picture + 1) * kIcon, (row + 1) * kIcon };
    if (ownColours)
        drawKeyed(dc, x, y, *sheet, cell);
    else
        drawGreyIcon(dc, x, y, *sheet, cell);
}

void Presentation::drawLandIcon(HDC dc, int x, int y, int terrain, int building, int, int clipWidth) const
{
    const int width = std::min(clipWidth, kLandIcon);
    if (!dc || width <= 0)
        return;
    const swCBitmap* ground = baseBitmap(kLand16Base);
    if (usable(ground) && terrain >= 0)
        drawKeyed(dc, x, y, *ground, RECT { terrain * kLandIcon, 0, terrain * kLandIcon + width, kLandIcon });
    const swCBitmap* buildings = baseBitmap(kSmallBuildingSheet);
    if (usable(buildings) && building > 0)
        drawKeyed(dc, x, y, *buildings, RECT { building * kLandIcon, 0, building * kLandIcon + width, kLandIcon });
}

bool Presentation::drawHexBuilding(HDC dc, int x, int y, int hexX, int hexY) const
{
    const TerrainCell* cell = m_game.terrainCellAt(hexX, hexY);
    const UnitCell* units = m_game.unitCellAt(hexX, hexY);
    const swCBitmap* strip = baseBitmap(kLand32Base);
    if (!dc || !cell || !units || !usable(strip))
        return false;
    const int ground = m_game.effectiveTerrainAt(hexX, hexY);
    drawKeyed(dc, x, y, *strip, RECT { ground * kIcon, 0, (ground + 1) * kIcon, kIcon });
    // A building record names its type; works and villages stand on the hex's own terrain.
    int structure = -1;
    if (units->building && units->building <= m_game.buildingCount())
        structure = m_game.buildingAt(units->building - 1u).type;
    else if (cell->terrain < m_game.terrainTypes().size()) {
        const uint8_t kind = m_game.terrainTypes()[cell->terrain].kind;
        if (kind == kTerrainPillbox || kind == kTerrainTemporaryBridge || kind >= kTerrainBuilding)
            structure = cell->terrain;
    }
    if (structure >= 0)
        drawKeyed(dc, x, y, *strip, RECT { structure * kIcon, kIcon, (structure + 1) * kIcon, 2 * kIcon });
    return true;
}

std::unique_ptr<swCBitmap> embeddedBitmap(const GameState& game, int i)
{
    const std::span<const uint8_t> image = game.embeddedImage(i);
    if (image.empty())
        return nullptr;
    auto bitmap = std::make_unique<swCBitmap>();
    bitmap->bitmapFromPackedDIB(image);
    return bitmap;
}
