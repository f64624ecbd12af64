// The unit information panels: a unit type's values drawn into the fixed backgrounds of the weapon
// information, troop information and armament change windows. Each panel draws into a memory DC
// that holds the window's background and keeps nothing between calls. A picture that cannot be
// loaded throws the library's swCError* out of the panel; the owning window decides.
#pragma once

#include "platform/windows.h"

class GameState;
class Presentation;
class swCBitmap;
struct UnitRecord;
struct UnitTypeRecord;

// The header: icon, names, target class, production, price, pictures, carry class, berths, and the
// sight, defence and range rows. side is -1 when no unit is shown.
void drawTypeHeader(HDC dc, const Presentation& look, const GameState& game, const UnitTypeRecord& type, int side);
void drawCapabilityIcons(HDC dc, const Presentation& look, const GameState& game, const UnitTypeRecord& type);
// The movement cost of each terrain over "info_move.bmp".
void drawMovementPanel(HDC dc, const Presentation& look, const GameState& game, const UnitTypeRecord& type);
// Armament set `set`'s slots, strength, fuel and movement; unit null when only the type is shown.
void drawArmamentSetBlock(HDC dc, const Presentation& look, const GameState& game, int set, const UnitTypeRecord& type, const UnitRecord* unit);
// The weapon rows of set `set`, over highlight bars cut from barSheet at (barX, barY + 16 i);
// rowOffset moves the rows from their place in the information windows.
void drawWeaponTable(HDC dc, const Presentation& look, const GameState& game, int set, const UnitTypeRecord& type, const swCBitmap& barSheet, int barX,
    int barY, int rowOffset);
// The type's picture from the unit folder centred in the 360 x 160 box at (16, 48); "000.bmp" when
// it has none.
void drawUnitPicture(HDC dc, const UnitTypeRecord& type);
