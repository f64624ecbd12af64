// Where the merge and split dialogs draw on their 438 x 127 background "merge.bmp". Header only,
// shared with the background's generator.
#pragma once

namespace merge_layout {

constexpr const char* kBackground = "merge.bmp";
constexpr int kWidth = 438;
constexpr int kHeight = 127;

// The two units' pictures, names and type names.
constexpr int kLeftIconX = 8, kRightIconX = 398, kIconY = 8, kIconSize = 32;
constexpr int kLeftTextLeft = 8, kLeftTextRight = 200, kRightTextLeft = 238, kRightTextRight = 430;
constexpr int kNameTop = 42, kTypeTop = 56, kLineHeight = 12;

// The machines: the left-hand unit's run right from x 8, the right-hand unit's end at x 430.
constexpr int kMachineY = 72, kMachineSize = 16;
constexpr int kLeftMachinesLeft = 8, kLeftMachinesRight = 168;
constexpr int kRightMachinesLeft = 270, kRightMachinesRight = 430;

// The centre panel: for each unit its experience mark and bar, its fuel and its fatigue.
constexpr int kPanelLeft = 72, kPanelTop = 8, kPanelRight = 390, kPanelBottom = 39;
constexpr int kLeftPanelX = 72, kRightPanelX = 286;
constexpr int kMarkY = 6;
// Ten bar segments from x + 25, 8 pixels apart, 5 wide, rows 10..19.
constexpr int kBarDX = 25, kBarStep = 8, kBarSegment = 5, kBarTop = 10, kBarBottom = 19;
constexpr int kFigureTop = 27, kFigureBottom = 39, kFigureWidth = 22;
constexpr int kFuelDX = 0, kFatigueDX = 57;

// Buttons: one machine left, one right, carry out, cancel.
constexpr int kToLeftX = 170, kToRightX = 244, kArrowY = 70;
constexpr int kExecuteX = 244, kCancelX = 342, kCommandY = 96;

} // namespace merge_layout
