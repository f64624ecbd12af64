// The map renderer's insides: indexed sheets with their per-side colour tables, the back picture
// and the drawing passes, shared by the renderer's source files.
#pragma once

#include "lib/file_fault.h"

#include "app/map_renderer.h"
#include "state/map_sheet_layout.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

class CustomColorTable;
class GameState;
class Presentation;
struct UnitRef;

namespace map_render {

// A colour table entry that is not drawn (the sheets' magenta).
constexpr uint32_t kClear = 0xFFFFFFFFu;
constexpr uint32_t kMapBackground = 0x000000;
// Countries 0..7; the neutral side and buildings nobody owns share the grey tint.
constexpr int kTintCount = 9;
constexpr int kGreyTint = 8;

using ColourTable = std::array<uint32_t, 256>;

// A picture as palette indices, rows top-down, with the colours of its file.
struct IndexedSheet {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;
    // 0x00RRGGBB, in the file's order; entries past the file's table are black.
    std::array<uint32_t, 256> colours {};
    int colourCount = 0;

    bool empty() const { return pixels.empty(); }
    const uint8_t* row(int y) const { return pixels.data() + size_t(y) * size_t(width); }
};

// Reads a BMP image of at most 256 colours; the sheet is left empty when it is not one, or when it
// has more pixels than a picture may.
FileFault readIndexedSheet(const std::vector<uint8_t>& fileImage, IndexedSheet& sheet);
// Reads a sheet of the bitmap folder: why it could not be read, or FileFault::None.
FileFault readSheetFile(const char* name, IndexedSheet& sheet);

// The sheet's colours as drawn: magenta left out, the rest untouched.
ColourTable plainColours(const IndexedSheet& sheet);
// The colours turned by the colour filter: mode 3 by the country's custom hue, or the grey fade.
ColourTable tintedColours(const IndexedSheet& sheet, const CustomColorTable* custom, int tint);
// The tint of a side code (0..8, or 100 + c for missiles); the grey tint for anything else.
int tintOfSide(int side);
// The tint of an owner byte as the cells and buildings store it (country + 1, 0 nobody).
int tintOfOwner(int ownerPlusOne);

// One zoom's sheets and their colour tables.
struct ZoomSheets {
    IndexedSheet map;
    IndexedSheet units;
    ColourTable mapPlain {};
    std::array<ColourTable, kTintCount> mapTinted {};
    std::array<ColourTable, kTintCount> unitTinted {};
};

// A view into the back picture: the rectangle being drawn, in map pixels.
struct Canvas {
    uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    // Map pixel at the picture's top-left.
    POINT origin {};
    // Map pixels; nothing outside it is touched.
    RECT clip {};

    void fill(const RECT& mapRect, uint32_t colour) const;
    void setPixel(int mapX, int mapY, uint32_t colour) const;
    // Copies a size x size cell of the sheet to the map pixel, leaving out clear entries.
    void blitCell(const IndexedSheet& sheet, const ColourTable& colours, int column, int row, int size,
        POINT mapAt) const;
};

// The picture of the marks row drawn for any of the mark grid's bits.
struct MarkPicture {
    uint16_t bits;
    int column;
};

// What the passes draw for one hex, read from the state as they read it: two equal looks draw the
// same pixels. Zoom, day or night, the viewer and the sheets are the view's, not the hex's.
struct HexLook {
    bool known = false;
    int ground = 0;
    uint16_t terrain = 0;
    uint8_t rivers = 0;
    uint8_t roads = 0;
    uint8_t owner = 0;
    // Directions whose neighbour has another owner.
    uint8_t borders = 0;
    int building = -1;
    int buildingTint = 0;
    bool fogged = false;
    uint16_t marks = 0;
    int units = 0;
    uint16_t topTable = 0;
    int picture = 0;
    // -1 while no strength is drawn.
    int strength = -1;

    bool operator==(const HexLook&) const = default;
};

// Small digits drawn without a font, white with a dark outline; (left, top) is the outline's corner.
void drawNumber(const Canvas& canvas, int value, int left, int top, int scale);
int numberWidth(int value, int scale);

} // namespace map_render

struct MapRenderer::Impl {
    Impl(GameState& game, const Presentation& presentation) : state(game), look(presentation) { }
    ~Impl();

    GameState& state;
    const Presentation& look;
    std::array<map_render::ZoomSheets, map_sheet::kZoomCount> sheets;
    int zoom = 1;
    bool night = false;
    int viewer = 8;
    bool fog = false;
    POINT origin {};
    SIZE size {};
    HBITMAP back = nullptr;
    uint32_t* bits = nullptr;
    // What each hex of the map showed when the back picture last drew all of it; unknown (not
    // known) for a hex drawn only in part since its look changed, and for all after a change of
    // the whole view.
    std::vector<map_render::HexLook> drawn;
    int drawnWidth = 0;

    HexGeometry geometry() const;
    const map_render::ZoomSheets& current() const { return sheets[size_t(zoom)]; }
    map_render::Canvas canvas(const RECT& mapClip) const;
    RECT viewRect() const;

    // Everything in the rectangle (map pixels, within the view) drawn again from the state.
    void drawRegion(const RECT& mapRect);
    map_render::HexLook lookOf(int x, int y) const;
    map_render::HexLook& drawnLook(int x, int y);
    void forgetLooks();
    // Called with the looks taken before the region was drawn: a hex wholly redrawn shows its
    // look; one redrawn in part shows no single look when its own changed.
    void noteDrawn(const RECT& clip, int x0, int y0, int x1, int y1, const std::vector<map_render::HexLook>& looks);
    void resizeBack(SIZE newSize);

    // The passes of one hex; drawRegion runs each over every hex of the region before the next.
    void drawTerrain(const map_render::Canvas& canvas, int x, int y) const;
    void drawUnits(const map_render::Canvas& canvas, int x, int y) const;
    void drawUnitNumbers(const map_render::Canvas& canvas, int x, int y) const;
    void drawFog(const map_render::Canvas& canvas, int x, int y) const;
    void drawGroundMarks(const map_render::Canvas& canvas, int x, int y) const;
    void drawTopMarks(const map_render::Canvas& canvas, int x, int y) const;
    void drawMarkGroup(const map_render::Canvas& canvas, int x, int y, std::span<const map_render::MarkPicture> group) const;

    bool fogActive() const;
    bool hexSeen(int x, int y) const;
    // The units of the hex the viewer may see, the one drawn on top first.
    int visibleUnits(int x, int y, std::vector<UnitRef>& list) const;
};
