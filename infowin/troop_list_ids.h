// Control ids and messages of the troop list, its display-item window and the rename dialog.
#pragma once

#include "platform/windows.h"

namespace troop_list_id {
enum : UINT {
    kList = 1000,
    // Headers 1001..1010 sort by key 0..9.
    kFirstHeader = 1001, kInformation = 1011, kRename, kShowOnMap, kDisband, kCount, kOptionToggle = 1021,
    // Display-item check boxes 1022..1031 switch columns 0..9.
    kFirstColumnBox = 1022, kOptionLabel = 1032, kNumberCombo,
};
} // namespace troop_list_id

namespace unit_rename_id {
enum : UINT { kOk = 1000, kCancel, kName, kLabel };
} // namespace unit_rename_id

