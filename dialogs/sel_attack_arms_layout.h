// Where the weapon selection dialog draws on its 600 x 400 background "panel_fig1.bmp": side s
// takes the half from x0 = 300 s. Header only, shared with the background's generator, whose labels
// and frames stand beside these places.
#pragma once

namespace sel_attack_arms_layout {

constexpr const char* kBackground = "panel_fig1.bmp";
constexpr int kWidth = 600;
constexpr int kHeight = 400;
constexpr int kHalf = 300;

constexpr int halfX(int side) { return kHalf * side; }

// Relative to x0: the unit's or building's picture, its names and its experience mark.
constexpr int kPictureX = 12, kPictureY = 12, kPictureSize = 32;
constexpr int kNameLeft = 96, kNameRight = 288, kNameTop = 12, kTypeTop = 30, kLineHeight = 12;
constexpr int kClassLeft = 66, kClassRight = 162, kClassTop = 52;
constexpr int kExperienceX = 190, kExperienceY = 48;

// Machine i at (x0 + 68 + 44 (i mod 5), 72 + 24 (i div 5)), its counter 20 pixels right of it.
constexpr int kMachineX = 68, kMachineY = 72, kMachineStepX = 44, kMachineStepY = 24;
constexpr int kCounterDX = 20, kCounterDY = 4, kCounterSize = 12;
constexpr int machineX(int i) { return kMachineX + kMachineStepX * (i % 5); }
constexpr int machineY(int i) { return kMachineY + kMachineStepY * (i / 5); }
// The machine grid, restored before the expected losses are drawn again.
constexpr int kMachinesLeft = 66, kMachinesTop = 70, kMachinesRight = 290, kMachinesBottom = 120;

// Weapon rows 0..4: texts from y = 152 + 22 slot; buttons and markers 4 pixels higher.
constexpr int weaponRowY(int slot) { return 152 + 22 * slot; }
constexpr int kWeaponButtonX = 12, kWeaponButtonDY = -4;
constexpr int kWeaponStripX = 8, kWeaponStripDY = -5;
constexpr int kWeaponNameLeft = 36, kWeaponNameRight = 228;
constexpr int kPowerLeft = 236, kMultiplierLeft = 256, kAmmoLeft = 276, kFigureWidth = 12;

// The value strip's three rows (multipliers, attack, protection).
constexpr int kValueRowTops[3] = { 276, 310, 344 };

// The question of modes 1..3 and the two buttons, across the bottom.
constexpr int kQuestionX = 0, kQuestionY = 375, kQuestionWidth = 400, kQuestionHeight = 14;
constexpr int kExecuteX = 412, kDropX = 504, kButtonY = 370;

} // namespace sel_attack_arms_layout
