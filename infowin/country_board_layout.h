// Where the country board's cells lie: the eight countries in two blocks of four columns, the rows
// of each block, and the board pictures' sizes. Header only, shared with mkdata's pictures.
#pragma once

namespace country_board {

// Columns: country c stands in column c % 4 of block c / 4.
constexpr int kColumnX = 107;
constexpr int kColumnPitch = 124;
constexpr int kCellWidth = 122;
constexpr int kTitleLeft = 4;
constexpr int kTitleRight = 104;

constexpr int kBoardWidth = 603;
// The lower block's top: normal mode, simple mode (no pact row), and the end-of-game summary
// (neither anthem nor pact row).
constexpr int kLowerBlockTop = 257;
constexpr int kLowerBlockTopSimple = 236;
constexpr int kLowerBlockTopEnding = 216;
constexpr int kBoardHeight = 2 * kLowerBlockTop - 1;
constexpr int kBoardHeightSimple = 2 * kLowerBlockTopSimple - 1;
constexpr int kEndingBoardHeight = 2 * kLowerBlockTopEnding;

enum Row { kColour, kName, kPlayer, kState, kFunds, kIncome, kBuildings, kUnits, kProductionType, kAnthem, kAlliance,
    kPact, kRowCount };

struct RowPlace {
    const char* title; // UTF-8
    int titleTop;
    int valueTop; // the value's line is 14 pixels high; the colour row has none
};

constexpr RowPlace kRows[kRowCount] = {
    { "国      色", 6, -1 },
    { "陣  営  名", 29, 27 },
    { "参  戦  者", 50, 49 },
    { "状      態", 71, 70 },
    { "軍  資  金", 92, 91 },
    { "収      入", 113, 112 },
    { "保有建物数", 134, 133 },
    { "保有部隊数", 155, 154 },
    { "生産タイプ", 176, 175 },
    { "国　　　歌", 197, 196 },
    { "同      盟", 218, 217 },
    { "協      定", 239, 238 },
};
constexpr int kLineHeight = 14;
// The colour row's band within a block, drawn into the pictures.
constexpr int kColourTop = 4;
constexpr int kColourBottom = 22;

// The anthem cell that a click opens the anthem choice on (19 pixels from its top).
constexpr int kAnthemClickTop = 193;
constexpr int kAnthemClickHeight = 19;

// The change-player dialog's picture: three rows per block, blocks 69 pixels apart.
constexpr int kChangeBlockPitch = 69;
constexpr int kChangeNameTop = 27;
constexpr int kChangeComboTop = 46;
constexpr int kChangePictureHeight = 172;

constexpr int columnX(int country) { return kColumnX + kColumnPitch * (country % 4); }

} // namespace country_board
