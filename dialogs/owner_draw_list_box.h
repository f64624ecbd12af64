// OwnerDrawListBox: the production and placement dialogs' list of unit types, one 17-pixel row per
// type with its icon, class, name and price, coloured by whether the country can buy it now.
#pragma once

#include "lib/control.h"
#include "lib/media/bitmap.h"

#include <cstdint>
#include <memory>
#include <vector>

class GameState;
class Presentation;

class OwnerDrawListBox : public ChildControl {
public:
    static constexpr DWORD kStyle = WS_VSCROLL | WS_BORDER | WS_TABSTOP | LBS_NOINTEGRALHEIGHT | LBS_USETABSTOPS
        | LBS_NOTIFY | LBS_OWNERDRAWFIXED;
    static constexpr int kRowWidth = 456;
    static constexpr int kRowHeight = 17;
    // The price column, (368, 436) of a production dialog's row.
    static constexpr int kPriceRight = 436;
    static constexpr int kPriceWidth = 68;

    // Items carry their position in typeIds, which the owner keeps.
    OwnerDrawListBox(swCWindow* parent, const GameState& game, const Presentation& look, UINT controlId, int country, const std::vector<uint32_t>* typeIds);
    ~OwnerDrawListBox() override;

    // Creates the box at (x, y) of the parent, width x height being its client area or, for the
    // placement dialog, the whole box.
    enum class Size { Client, Window };
    void create(int x, int y, int width, int height, Size size = Size::Client);
    // Domains the hex has room for; a type of another domain is grey.
    void setFreeSlotMask(uint16_t mask) { m_freeSlotMask = mask; }
    // Above these funds a price is red.
    void setFunds(int64_t funds) { m_funds = funds; }
    // The machines the shown prices are for; 0 prices a full unit.
    void setShownCount(int count) { m_shownCount = count; }
    int shownCount() const { return m_shownCount; }
    // The type id of the selected row; 0 when none is selected.
    int selectedType() const;

    void DrawItem(DRAWITEMSTRUCT* item) override;

private:
    const GameState& m_game;
    const Presentation& m_look;
    int m_country = 0;
    const std::vector<uint32_t>* m_typeIds = nullptr;
    uint16_t m_freeSlotMask = 0;
    int64_t m_funds = 0;
    int m_shownCount = 10;
    std::unique_ptr<swCBitmap> m_row;
};
