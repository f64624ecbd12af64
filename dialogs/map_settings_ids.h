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
constexpr int kMapName = 1000;
constexpr int kMapSize = 1001;
constexpr int kThumbnail = 1002;
constexpr int kImageView = 1003;
constexpr int kBuildingsView = 1004;
constexpr int kTurnLimitLabel = 1005;
constexpr int kTurnLimit = 1006;
constexpr int kDifficulty = 1007;
constexpr int kFacilityTable = 1008;
constexpr int kViewLabel = 1009;
constexpr int kFacilityLabel = 1010;
constexpr int kGroupBox = 1011;
// Row labels of slot s start at kLabels + 11 s.
constexpr int kLabels = 1019;
constexpr int kParticipation = 1107;
constexpr int kName = 1115;
constexpr int kProductionType = 1123;
constexpr int kFunds = 1131;
constexpr int kFundsCap = 1139;
constexpr int kUnitLimit = 1147;
constexpr int kProductionLimit = 1155;
constexpr int kMusic = 1163;
constexpr int kStrategy = 1171;
// Box k of slot s: kAlliance + 8 s + k, kPact + 8 s + k; the civilian box kCivilian + s.
constexpr int kAlliance = 1179;
constexpr int kCivilian = 1243;
constexpr int kPact = 1251;
constexpr int kMusicPreview = 1315;
constexpr int kOk = 1323;
constexpr int kCancel = 1324;
constexpr int kComment = 1331;
constexpr int kRules = 1332;
constexpr int kVictory = 1333;
constexpr int kNote = 1334;
constexpr int kDayOnly = 1335;
constexpr int kNightOnly = 1336;
constexpr int kDayAndNight = 1337;
constexpr int kDayNightLabel = 1338;
constexpr int kDayNightTurns = 1339;
constexpr int kStartDay = 1340;
constexpr int kStartNight = 1341;
constexpr int kStartLabel = 1342;
constexpr int kIncomeLabel = 1343;
constexpr int kIncomeYes = 1344;
constexpr int kIncomeNo = 1345;
constexpr MapHeadingIds kHeading { kMapName, kMapSize, kViewLabel, kImageView, kBuildingsView, kDifficulty };
constexpr int kTab = 1346;
// The page over the tab that carries the four slots.
constexpr int kSlotPage = 1347;
} // namespace map_settings_id

// The map settings list: general controls, then per country c (0..7).
namespace map_list_id {
constexpr int kMapName = 1000;
constexpr int kMapSize = 1001;
constexpr int kThumbnail = 1002;
constexpr int kImageView = 1003;
constexpr int kBuildingsView = 1004;
constexpr int kTurnLimit = 1005;
constexpr int kDifficulty = 1006;
constexpr int kFacilityTable = 1007;
constexpr int kViewLabel = 1008;
constexpr int kFacilityLabel = 1009;
constexpr int kGroupBox = 1010;
// Row labels of country c start at kLabels + 11 c.
constexpr int kLabels = 1018;
constexpr int kParticipation = 1106;
constexpr int kName = 1114;
constexpr int kProductionType = 1122;
constexpr int kFunds = 1130;
constexpr int kFundsCap = 1138;
constexpr int kUnitLimit = 1146;
constexpr int kProductionLimit = 1154;
constexpr int kMusic = 1162;
constexpr int kStrategy = 1170;
// Box k of country c: kAlliance + 8 c + k, kPact + 8 c + k; the civilian box kCivilian + c.
constexpr int kAlliance = 1178;
constexpr int kCivilian = 1242;
constexpr int kPact = 1250;
constexpr int kOk = 1314;
constexpr int kCancel = 1315;
constexpr int kComment = 1317;
constexpr int kDayNight = 1318;
constexpr int kDayNightTurns = 1319;
constexpr int kStartTime = 1320;
constexpr int kIncome = 1321;
constexpr int kChange = 1322;
constexpr int kRules = 1323;
constexpr int kVictory = 1324;
constexpr MapHeadingIds kHeading { kMapName, kMapSize, kViewLabel, kImageView, kBuildingsView, kDifficulty };
} // namespace map_list_id
