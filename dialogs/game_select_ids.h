// Control ids of the game selection dialog.
#pragma once

#include "platform/windows.h"

namespace game_select_id {

enum : UINT {
    kStart = 1000, kCancel, kCategoryMap, kCategoryScenario, kCategoryCampaign, kNameLine, kThumbnail,
    kViewLabel, kImageView, kBuildingsView, kTurnLimitLabel, kTurnLimit, kDifficultyLabel, kDifficulty,
    kSizeLabel, kSize, kFacilities, kDescription, kSaveList, kBrowse,
    // The save list's page of entries, 1020..1033.
    kFirstEntry, kLastEntry = 1033, kPreviousPage, kNextPage, kPageNumber = 1037,
};
constexpr int kEntriesPerPage = kLastEntry - kFirstEntry + 1;

} // namespace game_select_id
