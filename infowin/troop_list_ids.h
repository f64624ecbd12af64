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

