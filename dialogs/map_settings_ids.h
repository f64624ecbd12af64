// Control ids of the map settings dialog and the map settings list.
#pragma once

// The heading both dialogs share: the map's name and size, the view switch and the difficulty.
struct MapHeadingIds {
    int mapName;
    int mapSize;
    int viewLabel;
    int imageView;
    int buildingsView;
    int difficulty;
};

// The map settings dialog: general controls, then per slot s (0..3) of the visible page.
namespace map_settings_id {
enum : int {
    kMapName = 1000, kMapSize, kThumbnail, kImageView, kBuildingsView, kTurnLimitLabel, kTurnLimit,
    kDifficulty, kFacilityTable, kViewLabel, kFacilityLabel, kGroupBox,
    // Row labels of slot s start at kLabels + 11 s.
    kLabels = 1019, kParticipation = 1107, kName = 1115, kProductionType = 1123, kFunds = 1131,
    kFundsCap = 1139, kUnitLimit = 1147, kProductionLimit = 1155, kMusic = 1163, kStrategy = 1171,
    // Box k of slot s: kAlliance + 8 s + k, kPact + 8 s + k; the civilian box kCivilian + s.
    kAlliance = 1179, kCivilian = 1243, kPact = 1251, kMusicPreview = 1315, kOk = 1323, kCancel,
    kComment = 1331, kRules, kVictory, kNote, kDayOnly, kNightOnly, kDayAndNight, kDayNightLabel,
    kDayNightTurns, kStartDay, kStartNight, kStartLabel, kIncomeLabel, kIncomeYes, kIncomeNo,
};
constexpr MapHeadingIds kHeading { kMapName, kMapSize, kViewLabel, kImageView, kBuildingsView, kDifficulty };
constexpr int kTab = 1346;
// The page over the tab that carries the four slots.
constexpr int kSlotPage = 1347;
} // namespace map_settings_id

// The map settings list: general controls, then per country c (0..7).
namespace map_list_id {
enum : int {
    kMapName = 1000, kMapSize, kThumbnail, kImageView, kBuildingsView, kTurnLimit, kDifficulty,
    kFacilityTable, kViewLabel, kFacilityLabel, kGroupBox,
    // Row labels of country c start at kLabels + 11 c.
    kLabels = 1018, kParticipation = 1106, kName = 1114, kProductionType = 1122, kFunds = 1130,
    kFundsCap = 1138, kUnitLimit = 1146, kProductionLimit = 1154, kMusic = 1162, kStrategy = 1170,
    // Box k of country c: kAlliance + 8 c + k, kPact + 8 c + k; the civilian box kCivilian + c.
    kAlliance = 1178, kCivilian = 1242, kPact = 1250, kOk = 1314, kCancel, kComment = 1317, kDayNight,
    kDayNightTurns, kStartTime, kIncome, kChange, kRules, kVictory,
};
constexpr MapHeadingIds kHeading { kMapName, kMapSize, kViewLabel, kImageView, kBuildingsView, kDifficulty };
} // namespace map_list_id
