// Control ids of the game selection dialog.
#pragma once

#include "platform/windows.h"

namespace game_select_id {

constexpr UINT kStart = 1000;
constexpr UINT kCancel = 1001;
constexpr UINT kCategoryMap = 1002;
constexpr UINT kCategoryScenario = 1003;
constexpr UINT kCategoryCampaign = 1004;
constexpr UINT kNameLine = 1005;
constexpr UINT kThumbnail = 1006;
constexpr UINT kViewLabel = 1007;
constexpr UINT kImageView = 1008;
constexpr UINT kBuildingsView = 1009;
constexpr UINT kTurnLimitLabel = 1010;
constexpr UINT kTurnLimit = 1011;
constexpr UINT kDifficultyLabel = 1012;
constexpr UINT kDifficulty = 1013;
constexpr UINT kSizeLabel = 1014;
constexpr UINT kSize = 1015;
constexpr UINT kFacilities = 1016;
constexpr UINT kDescription = 1017;
constexpr UINT kSaveList = 1018;
constexpr UINT kBrowse = 1019;
constexpr UINT kFirstEntry = 1020;
constexpr int kEntriesPerPage = 14;
constexpr UINT kLastEntry = kFirstEntry + kEntriesPerPage - 1;
constexpr UINT kPreviousPage = 1034;
constexpr UINT kNextPage = 1035;
constexpr UINT kPageNumber = 1037;

} // namespace game_select_id
