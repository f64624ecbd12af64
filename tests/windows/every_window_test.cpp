// Every registered window opened on the small world: it fits the screen, its controls lie apart,
// their texts fit, and a kit window whose description names a placement key keeps its place there. With DERAZODO_TEST_SHOTS naming a folder, each window's picture is written there
// (the entry's name, ".png") and each group's on one sheet, "every_window_<group>.png", for a reviewer:
//     DERAZODO_TEST_SHOTS=/tmp/windows ctest --test-dir build/test -R EveryWindow
#include "tests/windows/registry/window_registry.h"
#include "tests/windows/window_checks.h"
#include "tests/windows/window_sheet.h"

#include "lib/profile.h"
#include "platform/desktop/harness.h"
#include "ui/window_kit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <tuple>

using namespace window_registry;
namespace harness = platform::harness;

namespace {

// Controls that a window's layout places over one another: the rule switches' radio buttons
// under their texts, and what the production and map settings dialogs lay out so.
bool placedOver(const std::string& window, int id, int other)
{
    static const std::map<std::string, std::vector<std::pair<int, int>>> pairs = {
        { "map_settings", { { 1003, 1335 }, { 1004, 1336 }, { 1005, 1006 } } },
        { "production", { { 1000, 1002 } } },
    };
    if (window.starts_with("rule_") && id >= 1003 && id <= 1155 && other == id + 200)
        return true;
    const auto listed = pairs.find(window);
    return listed != pairs.end() && std::count(listed->second.begin(), listed->second.end(), std::pair { id, other }) > 0;
}

// Where a kit window stands and the key its description keeps that under; none for other windows.
struct KeptPlace {
    std::string key;
    POINT topLeft;
};

std::optional<KeptPlace> keptPlaceOf(HWND window)
{
    const auto* kit = dynamic_cast<const ui::KitHooks*>(windowFromHandle(window));
    if (!kit || !kit->description().placementKey)
        return std::nullopt;
    RECT r {};
    GetWindowRect(window, &r);
    return KeptPlace { kit->description().placementKey, { r.left, r.top } };
}

int keptCoordinate(const std::string& key, const char* name)
{
    return swCProfileKey("WindowInfo", (key + name).c_str()).profileReadInt(INT_MIN);
}

// Every prefix under which a window keeps its place in "WindowInfo"; the kept-place test fails for
// a window that keeps one not listed, so that each is tried from a hostile place.
const std::vector<std::string> kPlacementPrefixes = { "MainWindow", "VKRC_CAMPAIGNTROOPDEPLOYWINDOW_CNAME", "Merge",
    "SelAttackArms", "VKRC_THINKPROGRESSWINDOW_CNAME", "VKRC_AUTOMOVESETWINDOW_CNAME", "VKRC_WEAPONLISTWINDOW_CNAME",
    "WeaponInfo", "VKRC_TROOPLISTWINDOW_CNAME", "VKRC_DESTROYTROOPLISTWINDOW_CNAME", "TroopInfo", "ArmChange",
    "VKRC_LANDLISTWINDOW_CNAME", "VKRC_LANDMOVELISTWINDOW_CNAME", "VKRC_LANDAVOIDLISTWINDOW_CNAME",
    "VKRC_LANDTRANSPORTLISTWINDOW_CNAME", "VKRC_HISTORYWINDOW_CNAME", "VKRC_COUNTRYINFOWINDOW_CNAME", "ChangePlayer",
    "VKRC_CONDITIONINFOWINDOW_CNAME", "VKRC_SENKAINFOWINDOW_CNAME", "RuleList", "VKRC_RULEWINDOW_CNAME", "WinInfo",
    "ProductList", "ProductEdit", "LiveClashEasy" };

struct EveryWindowFromAKeptPlace : ::testing::TestWithParam<std::tuple<int, int>> { };

} // namespace

class EveryWindow : public ::testing::TestWithParam<int> { };

TEST_P(EveryWindow, OpensFitsAndShowsItsTexts)
{
    const char* shots = std::getenv("DERAZODO_TEST_SHOTS");
    if (shots)
        std::filesystem::create_directories(shots);
    WindowWorld world;
    ASSERT_TRUE(world.ready());
    std::vector<window_sheet::Picture> pictures;
    for (const WindowEntry& entry : entriesOfGroup(GetParam())) {
        std::optional<KeptPlace> kept;
        const bool visited = visit(entry, world, [&](const OpenWindow& open) {
            kept = keptPlaceOf(open.window);
            std::vector<std::string> found = window_checks::offScreen(open.came);
            const auto byDesign = [&](int id, int other) { return placedOver(entry.name, id, other); };
            for (auto more : { window_checks::overlaps(open.window, byDesign), window_checks::cutTexts(open.window) })
                found.insert(found.end(), more.begin(), more.end());
            if (!found.empty())
                ADD_FAILURE() << entry.name << ":" << window_checks::lines(found);
            pictures.push_back({ entry.name, harness::readRect(areaOf(open)) });
            harness::keepShot(pictures.back().image, entry.name + ".png");
        });
        EXPECT_TRUE(visited) << entry.name << " was registered but never opened";
        if (kept) {
            EXPECT_EQ(keptCoordinate(kept->key, "WindowPosLeft"), kept->topLeft.x) << entry.name << " under " << kept->key;
            EXPECT_EQ(keptCoordinate(kept->key, "WindowPosTop"), kept->topLeft.y) << entry.name << " under " << kept->key;
        }
    }
    if (shots)
        harness::keepShot(window_sheet::sheetOf(pictures), "every_window_" + std::to_string(GetParam()) + ".png");
}

INSTANTIATE_TEST_SUITE_P(Groups, EveryWindow, ::testing::Range(0, kWindowGroups));

// Places an ini may hold: at +-INT_MAX and turned inside out one way, enormous and inside out the
// other, and kept on a larger desktop.
TEST_P(EveryWindowFromAKeptPlace, OpensWhollyOnTheScreen)
{
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    const int places[][4] = { { INT_MAX, -INT_MAX, -INT_MAX, INT_MAX }, { -INT_MAX, INT_MAX, INT_MAX, -INT_MAX },
        { w + 200, h + 100, w + 800, h + 600 } };
    const auto [place, group] = GetParam();
    const int* kept = places[place];
    std::vector<std::pair<std::string, std::string>> keys;
    for (const std::string& prefix : kPlacementPrefixes)
        for (const auto& [name, value] : { std::pair { "WindowZoomed", 0 }, { "WindowIconic", 0 }, { "WindowPosLeft", kept[0] },
                 { "WindowPosTop", kept[1] }, { "WindowPosRight", kept[2] }, { "WindowPosBottom", kept[3] } })
            keys.emplace_back(prefix + name, std::to_string(value));
    WindowWorld world([&](const testing_state::DataFolder&) { profileWriteValues("WindowInfo", keys); });
    ASSERT_TRUE(world.ready());
    for (const WindowEntry& entry : entriesOfGroup(group)) {
        // A resizable window, opened from any kept size, keeps none below what a drag to nothing
        // snaps it to.
        std::optional<KeptPlace> kept;
        RECT least {};
        EXPECT_TRUE(visit(entry, world, [&](const OpenWindow& open) {
            if (const std::vector<std::string> off = window_checks::offScreen(open.came); !off.empty())
                ADD_FAILURE() << entry.name << ":" << window_checks::lines(off);
            if (!(GetWindowLongA(open.window, GWL_STYLE) & WS_THICKFRAME))
                return;
            kept = keptPlaceOf(open.window);
            SendMessageA(open.window, WM_SIZING, WMSZ_BOTTOMRIGHT, LPARAM(&least));
        })) << entry.name;
        if (kept) {
            const auto size = [&](const char* low, const char* high) { return (long long)keptCoordinate(kept->key, high) - keptCoordinate(kept->key, low); };
            EXPECT_GE(size("WindowPosLeft", "WindowPosRight"), least.right) << entry.name;
            EXPECT_GE(size("WindowPosTop", "WindowPosBottom"), least.bottom) << entry.name;
        }
    }
    char section[1 << 16] = {};
    const DWORD length = GetPrivateProfileSectionA("WindowInfo", section, sizeof section, profilePath().c_str());
    for (const char* line = section; line < section + length && *line; line += std::strlen(line) + 1) {
        const std::string_view key(line);
        if (const size_t at = key.find("WindowPosLeft="); at != std::string_view::npos) {
            EXPECT_EQ(std::count(kPlacementPrefixes.begin(), kPlacementPrefixes.end(), key.substr(0, at)), 1) << key;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Places, EveryWindowFromAKeptPlace, ::testing::Combine(::testing::Range(0, 3), ::testing::Range(0, kWindowGroups)),
    [](const auto& info) { return "place" + std::to_string(std::get<0>(info.param)) + "_group" + std::to_string(std::get<1>(info.param)); });
