// Control ids and messages of the troop list, its display-item window and the rename dialog.
#pragma once

#include "platform/windows.h"

namespace troop_list_id {
constexpr UINT kList = 1000;
// Headers 1001..1010 sort by key 0..9.
constexpr UINT kFirstHeader = 1001;
constexpr UINT kInformation = 1011;
constexpr UINT kRename = 1012;
constexpr UINT kShowOnMap = 1013;
constexpr UINT kDisband = 1014;
constexpr UINT kCount = 1015;
constexpr UINT kOptionToggle = 1021;
// Display-item check boxes 1022..1031 switch columns 0..9.
constexpr UINT kFirstColumnBox = 1022;
constexpr UINT kOptionLabel = 1032;
constexpr UINT kNumberCombo = 1033;
} // namespace troop_list_id

namespace unit_rename_id {
constexpr UINT kOk = 1000;
constexpr UINT kCancel = 1001;
constexpr UINT kName = 1002;
constexpr UINT kLabel = 1003;
} // namespace unit_rename_id

// Messages the troop list and the destroyed-units list take; the same numbers reach both.
namespace troop_list_message {
// Close an open number combo unsaved, recount, repaint.
constexpr UINT kRefresh = WM_USER + 105;
// Show the current country when a person plays it, else none.
constexpr UINT kShowCurrent = WM_USER + 106;
// wParam = the country to show, or -1.
constexpr UINT kShowCountry = WM_USER + 107;
// From the display-item window: the columns changed.
constexpr UINT kColumnsChanged = WM_USER + 108;
// From the list box: the number combo closed (kTroopNumberListClosed).
constexpr UINT kNumberChosen = WM_USER + 109;
// After an action: the buttons follow.
constexpr UINT kUpdateButtons = WM_USER + 110;
} // namespace troop_list_message
