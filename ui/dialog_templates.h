// The dialog templates of the game's dialogs, information windows, battle scene and editors: one
// table of frames, registered once. The frames are empty; each window makes its controls in code.
#pragma once

#include "platform/windows.h"

namespace dialog_template {

// The plain captionless popup that most drawn windows size and fill themselves.
constexpr UINT kPopup = 101;
constexpr UINT kSaveDialogPreview = 105;
constexpr UINT kMapSettings = 106;
constexpr UINT kRuleSetting = 108;
constexpr UINT kProduction = 109;
constexpr UINT kTroopList = 110;
constexpr UINT kWeaponInfo = 111;
constexpr UINT kTroopInfo = 112;
constexpr UINT kBattle = 113;
constexpr UINT kArmChange = 115;
constexpr UINT kEnding = 117;
constexpr UINT kMerge = 118;
constexpr UINT kModelessInfo = 125;
constexpr UINT kProductEdit = 130;
constexpr UINT kGameSelect = 133;
constexpr UINT kCopySource = 146;
constexpr UINT kEventNotice = 149;
constexpr UINT kHexPopup = 150;
constexpr UINT kPhaseHelp = 153;

} // namespace dialog_template

// Adds every frame of the table to the program's resources; later calls do nothing.
void registerGameDialogTemplates();
