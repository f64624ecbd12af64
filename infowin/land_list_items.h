// The terrain list's display items: the sixteen property columns, which of them the rules in
// force offer, their widths and the text of a terrain type's cell. The table and the sheet's
// layout are header-only, shared with the generator of the column sheet "list_land.bmp".
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class GameState;
struct TerrainRecord;

namespace land_list {

constexpr int kItemCount = 16;
// The icon and name column ahead of the items, and the closing column after them.
constexpr int kNameWidth = 95;
constexpr int kClosingWidth = 1;
constexpr int kSheetWidth = 820;
constexpr int kTitleHeight = 20;
constexpr int kRowHeight = 18;
constexpr int kSheetHeight = kTitleHeight + kRowHeight;

struct Item {
    const char* label; // UTF-8
    int width;
    int textWidth;
    // Where the centred text's rectangle starts inside the column.
    int textInset;
};

inline constexpr Item kItems[kItemCount] = {
    { "収入", 44, 36, 5 },
    { "視界", 76, 66, 5 },
    { "占領耐久度", 64, 36, 13 },
    { "破壊耐久度", 64, 36, 13 },
    { "収納", 32, 12, 9 },
    { "補充", 32, 12, 9 },
    { "修理", 32, 12, 9 },
    { "弾薬補給", 52, 12, 21 },
    { "燃料補給", 52, 12, 21 },
    { "隠蔽", 32, 12, 11 },
    { "空挺", 32, 12, 11 },
    { "ヘリ着陸", 52, 12, 19 },
    { "VTOL着陸", 52, 12, 19 },
    { "架橋", 32, 12, 11 },
    { "トーチカ", 44, 12, 15 },
    { "道路施設", 32, 12, 11 },
};

constexpr const Item& item(int i) { return kItems[i < 0 ? 0 : i >= kItemCount ? kItemCount - 1 : i]; }
// Where item i's cell starts in the column sheet: the items side by side after the name cell;
// item kItemCount is the closing column.
constexpr int sheetX(int i)
{
    int x = kNameWidth;
    for (int k = 0; k < i && k < kItemCount; ++k)
        x += kItems[k].width;
    return x;
}
static_assert(sheetX(kItemCount) + kClosingWidth == kSheetWidth);

// Whether the rules in force show item i; outside play every item is offered.
bool isItemOffered(GameState& state, int i);
// The display mask without the items that are not offered.
uint32_t effectiveItems(GameState& state, uint32_t displayMask);
// Name column, the effective items and the closing column: 96 to 820.
int columnWidth(uint32_t effective);

// The terrain indexes by ascending list-order value, ties in index order.
std::vector<int> terrainsByListOrder(GameState& state);

// The terrain type a list row shows (the row's item data); null for none.
const TerrainRecord* rowTerrain(const GameState& state, int itemId, uint64_t itemData);

// Item i's text for a terrain type (CP932), as the rules in force show it.
std::string itemText(GameState& state, int i, const TerrainRecord& terrain);

} // namespace land_list
