// The terrain table windows: the movement table ("地形移動表"), the avoidance table ("地形回避表")
// and the transport table. Each terrain type is a narrow column of one property; one family,
// whose members differ only by the table below and the entries their list boxes draw.
#pragma once

#include "lib/control.h"
#include "lib/media/bitmap.h"
#include "ui/info_window_frame.h"

#include <string>

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
    LandTableListBox(swCWindow* parent, const LandTableMember& member);
    // Loads the list's own copy of the sheet; throws the library's swCError* when it is missing.
    void loadSheet();
    void DrawItem(DRAWITEMSTRUCT* item) override;

    // The text of entry row of a terrain type's column (CP932).
    virtual std::string entryText(int row, int terrain, const TerrainRecord& type) const = 0;

private:
    const LandTableMember& m_member;
    swCBitmap m_sheet;
};

class LandMoveListBox final : public LandTableListBox {
public:
    explicit LandMoveListBox(swCWindow* parent) : LandTableListBox(parent, landTableMember(LandTable::Move)) { }

    std::string entryText(int row, int terrain, const TerrainRecord& type) const override;
};

class LandAvoidListBox final : public LandTableListBox {
public:
    explicit LandAvoidListBox(swCWindow* parent) : LandTableListBox(parent, landTableMember(LandTable::Avoid)) { }

    std::string entryText(int row, int terrain, const TerrainRecord& type) const override;
};

class LandTransportListBox final : public LandTableListBox {
public:
    explicit LandTransportListBox(swCWindow* parent)
        : LandTableListBox(parent, landTableMember(LandTable::Transport))
    {
    }

    std::string entryText(int row, int terrain, const TerrainRecord& type) const override;
};

// Writes a CP932 name downwards from (x, y), one character every 12 pixels. "ー" stands as "l"
// four pixels further right, as a vertical stroke; a lead byte without its second byte ends it.
void drawNameDownwards(HDC dc, int x, int y, const char* name, int length);

class LandTableWindow : public swCWindow {
public:
    // Makes the member's window owned by mainWindow, at its kept placement. Null when it could not
    // be made (a picture missing: the error has been shown). The object deletes itself with its window.
    static LandTableWindow* open(swCWindow* mainWindow, LandTable table);
    ~LandTableWindow() override;

    int OnMessage(MessageRecord& msg) override;
    int OnCommand(MessageRecord& msg, UINT id, UINT code) override;

    const LandTableMember& member() const { return m_member; }
    HWND listHandle() const;
    int frameWidth() const { return m_frameWidth; }
    int frameHeight() const { return m_frameHeight; }
    // The terrain index of column i, -1 outside the list.
    int columnTerrain(int column) const;

protected:
    LandTableWindow(swCWindow* mainWindow, const LandTableMember& member);
    virtual LandTableListBox* makeListBox() = 0;

private:
    bool create(bool& windowMade);
    void fill();
    void snapWidth(RECT& rect, WPARAM edge) const;

    const LandTableMember& m_member;
    swCBitmap m_legend;
    int m_frameWidth = 0;
    int m_frameHeight = 0;
    LandTableListBox* m_list = nullptr;
    info_window::DialogKeys m_dialogKeys;
};

class LandMoveListWindow final : public LandTableWindow {
public:
    explicit LandMoveListWindow(swCWindow* mainWindow) : LandTableWindow(mainWindow, landTableMember(LandTable::Move)) { }

protected:
    LandTableListBox* makeListBox() override { return new LandMoveListBox(this); }
};

class LandAvoidListWindow final : public LandTableWindow {
public:
    explicit LandAvoidListWindow(swCWindow* mainWindow) : LandTableWindow(mainWindow, landTableMember(LandTable::Avoid)) { }

protected:
    LandTableListBox* makeListBox() override { return new LandAvoidListBox(this); }
};

class LandTransportListWindow final : public LandTableWindow {
public:
    explicit LandTransportListWindow(swCWindow* mainWindow)
        : LandTableWindow(mainWindow, landTableMember(LandTable::Transport))
    {
    }

protected:
    LandTableListBox* makeListBox() override { return new LandTransportListBox(this); }
};
