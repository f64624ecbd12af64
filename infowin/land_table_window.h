// The terrain table windows: the movement table ("地形移動表"), the avoidance table ("地形回避表")
// and the transport table. Each terrain type is a narrow column of one property; one window whose
// tables differ only by their member below and the entries their list boxes draw.
#pragma once

#include "infowin/info_list_window.h"
#include "lib/control.h"
#include "lib/media/bitmap.h"
#include "ui/window_context.h"
#include "ui/window_kit.h"

#include <string>

class GameState;
struct TerrainRecord;

enum class LandTable { Move, Avoid, Transport };

struct LandTableMember {
    LandTable table;
    const char* className;
    const char* title; // UTF-8
    const char* sheet;
    int columnHeight;
    int entries;
    // Columns by ascending list-order value, else by terrain index.
    bool byListOrder;
    // Posted to the main window to close the window.
    UINT closeRequest;
};

const LandTableMember& landTableMember(LandTable table);

namespace land_table_id {
constexpr UINT kList = 1000;
constexpr UINT kCorner = 1002;
} // namespace land_table_id

// The legend's width and a column's.
constexpr int kLandTableLegendWidth = 64;
constexpr int kLandTableColumnWidth = 20;

// One column per item (item data: the terrain index): the sheet's column background, the icon, the
// name written downwards, then the member's entries.
class LandTableListBox : public ChildControl {
public:
    LandTableListBox(swCWindow* parent, const LandTableMember& member, GameState& game, const Presentation& look);
    // Loads the list's own copy of the sheet; throws the library's swCError* when it is missing.
    void loadSheet();
    void DrawItem(DRAWITEMSTRUCT* item) override;
    // The text of entry row of a terrain type's column (CP932).
    std::string entryText(int row, int terrain, const TerrainRecord& type) const;

private:
    const LandTableMember& m_member;
    GameState& m_game;
    const Presentation& m_look;
    swCBitmap m_sheet;
};

// Writes a CP932 name downwards from (x, y), one character every 12 pixels. "ー" stands as "l"
// four pixels further right, as a vertical stroke; a lead byte without its second byte ends it.
void drawNameDownwards(HDC dc, int x, int y, const char* name, int length);

class LandTableWindow : public InfoListWindow {
public:
    // Makes the member's window owned by mainWindow, at its kept placement. Null when it could not
    // be made (a picture missing: the error has been shown). The object deletes itself with its window.
    static LandTableWindow* open(const WindowContext& context, swCWindow* mainWindow, LandTable table);
    ~LandTableWindow() override;

    const ui::WindowDescription& description() const override { return m_description; }
    int OnMessage(MessageRecord& msg) override;
    int OnCommand(MessageRecord& msg, UINT id, UINT code) override;
    // The legend at the left; the list covers the rest.
    void paint(HDC dc, const RECT& area) override;

    const LandTableMember& member() const { return m_member; }
    HWND listHandle() const;
    // The terrain index of column i, -1 outside the list.
    int columnTerrain(int column) const;

private:
    void limitTracking(MINMAXINFO& info) const override;
    void snap(RECT& rect, WPARAM edge) const override;
    LandTableWindow(const WindowContext& context, swCWindow* mainWindow, const LandTableMember& member);
    bool create(bool& windowMade);
    void fill();

    GameState& m_game;
    const Presentation& m_look;
    const LandTableMember& m_member;
    const ui::WindowDescription m_description;
    swCBitmap m_legend;
    LandTableListBox* m_list = nullptr;
};
