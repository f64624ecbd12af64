// Listing the game files of a folder for the selection dialog: the pattern of each mode and category,
// and the names in the order the dialog shows them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class GameState;

enum GameFileCategory : uint32_t {
    kCategoryMap = 0,
    kCategoryScenario = 1,
    kCategoryCampaign = 2,
};

struct GameListMode {
    bool resume = false;
    uint8_t networkGame = 0;
    int32_t matchKind = 0;
    uint32_t category = kCategoryScenario;
};

// "*.vtm", "*.vts", "*.vtc" (simple mode "*.smp") for a new game; "*." and the saved-game extension
// of the category's kind to resume (simple mode: "*.wrs;*.wrm"); network games and match files
// override the category.
std::string gameFilePattern(const GameListMode& mode, const GameState& state);
// The folder with one trailing "\".
std::string folderWithSeparator(const std::string& folder);
// Every name find-first returns for the patterns, separated by ';' (folders that match too), stably
// sorted by lstrcmpA.
std::vector<std::string> listGameFiles(const std::string& folder, const std::string& patterns);
