// Presentation: what the windows draw a game with, kept beside the game state rather than in it:
// the nine interface fonts, the base pictures and the sheets built from them, the custom colour
// table, the library's picture services, and the small pictures the dialogs draw (unit, terrain
// and hex icons), and what the windows show of the game beside it (the map view's zoom, the list
// windows' orders). The application owns it and installs it; windows reach it through their
// context and hand it to the drawing helpers they call.
#pragma once

#include "lib/file_fault.h"
#include "lib/font.h"
#include "lib/media/custom_color_table.h"
#include "ui/base_bitmaps.h"
#include "ui/list_orders.h"

#include <array>
#include <atomic>
#include <memory>
#include <string>

class GameState;
class PictureServices;
class Presentation;

// The nine interface fonts, in creation order.
enum GameFont : int {
    kFont22 = 0,
    kFont18,
    kFont16,
    kFont16Bold,
    kFont14,
    kFont14Bold,
    kSmallFont,
    kFont12Bold,
    kFont10,
    kFontCount,
};

// What start-up needs of the folders above: the sheets built from the loaded pictures and the
// set-up dialogs' start arrow. The application installs its implementation.
class PresentationServices {
public:
    virtual ~PresentationServices() = default;
    // The 16-pixel building and bridge sheets, and the unit sheet, built from the loaded pictures.
    virtual std::unique_ptr<swCBitmap> buildSmallBuildingSheets(const Presentation& look) = 0;
    virtual std::unique_ptr<swCBitmap> buildUnitSheet(const Presentation& look) = 0;
    // Why the picture could not be read (None when it was).
    virtual FileFault loadStartArrowBitmap() = 0;
    virtual void freeStartArrowBitmap() = 0;
};

// Owned by the caller. Without services start-up builds no sheets.
void setPresentationServices(PresentationServices* services);
PresentationServices* presentationServices();

// What the map view shows besides the game.
struct MapViewState {
    // 0 the smallest hexes .. 2 the largest; the game thread reads it when it marks rows to redraw.
    std::atomic<int> zoom = 1;
};

class Presentation {
public:
    // The game is read for the icons and the hex pictures; it outlives the presentation.
    explicit Presentation(const GameState& game);
    // Runs shutDown.
    ~Presentation();
    Presentation(const Presentation&) = delete;
    Presentation& operator=(const Presentation&) = delete;

    // After the game state's start-up: the fonts, the picture services, the custom colours and
    // the base bitmaps. An unreadable colour table is told; the pictures that cannot be read are
    // named together in one notice, and start-up goes on.
    void startUp();
    // Frees what start-up made; a second call does nothing.
    void shutDown();

    const swCFont& font(int index) const { return m_fonts[size_t(index)]; }
    // Null only before start-up and after shut-down.
    swCBitmap* baseBitmap(int index) const { return m_baseBitmaps.get(index); }
    CustomColorTable* customColors() const { return m_customColors.get(); }
    // Where a picture file of the bitmap folder is.
    std::string bitmapPath(const char* fileName) const;

    MapViewState& mapView() { return m_mapView; }
    const MapViewState& mapView() const { return m_mapView; }
    ListOrders& lists() { return m_lists; }
    const ListOrders& lists() const { return m_lists; }

    void prepareSmallBuildingSheets();
    void prepareUnitSheet();
    // Pictures for the dialogs, from the base bitmaps: a unit type's 32 x 32 icon in the country's
    // colours (flag 1 faces it the other way; the neutral side is grey), a terrain or building icon
    // of at most 16 pixels, and one hex's ground with its building or bridge at 32 pixels.
    void drawUnitIcon(HDC dc, int x, int y, int country, int typeId, int flag) const;
    void drawLandIcon(HDC dc, int x, int y, int terrain, int building, int unused, int clipWidth) const;
    bool drawHexBuilding(HDC dc, int x, int y, int hexX, int hexY) const;

private:
    const GameState& m_game;
    std::array<swCFont, kFontCount> m_fonts;
    BaseBitmaps m_baseBitmaps;
    std::unique_ptr<CustomColorTable> m_customColors;
    std::unique_ptr<PictureServices> m_pictureServices;
    MapViewState m_mapView;
    ListOrders m_lists;
    bool m_started = false;
};

// A new bitmap of the game's stored briefing (0) or news (1) picture; null without one.
std::unique_ptr<swCBitmap> embeddedBitmap(const GameState& game, int i);

// The presentation the windows draw with, installed by the application; null installs none. The
// object must outlive its installation.
void setPresentation(Presentation* look);
// Only while one is installed.
Presentation& presentation();
// Null when none is installed.
Presentation* installedPresentation();
