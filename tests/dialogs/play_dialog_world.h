// The play dialogs' test world: a started game with the generated pictures in which country 0, a
// person's, holds a capital at (3, 3); an owner window in the main window's place; and helpers that
// click the dialogs' controls where they stand.
#pragma once

#include "platform/kernel/host.h"
#include "state/production_type_record.h"
#include "state/rule_block.h"
#include "state/unit_facts.h"
#include "tests/dialogs/dialog_helpers.h"
#include "tests/infowin/info_world.h"
#include "tests/platform/commdlg/dialog_driver.h"

#include <chrono>
#include <functional>
#include <string>
#include <thread>

namespace play_dialogs {

namespace harness = platform::harness;
using dialog_helpers::clickAt, dialog_helpers::cp, dialog_helpers::drive, dialog_helpers::itemEnabled;
using info_test::clientImage, info_test::countColour, info_test::Image, info_test::InfoWorld, info_test::rgb,
    info_test::screenOf;
using info_test::kBlackPixel, info_test::kRedPixel, info_test::kWhitePixel;

// Ids as the sample data numbers them.
constexpr int kInfantry = 2;
constexpr int kTank = 3;
constexpr int kFighter = 20;
constexpr int kDestroyer = 30;
constexpr int kHome = 3;
// The sample terrain list's open ground.
constexpr int kPlains = 1;

class PlayWorld {
public:
    explicit PlayWorld(int phase = 6)
    {
        GameState& s = state();
        std::fill(std::begin(s.ruleBlock().switches), std::end(s.ruleBlock().switches), uint8_t(0));
        // Open ground everywhere, where land units may stand.
        for (int y = 0; y < info.world.height(); ++y)
            for (int x = 0; x < info.world.width(); ++x)
                info.world.cell(x, y).terrain = uint8_t(kPlains);
        // Production anywhere a building stands: no need of a home hex.
        info.world.setRule(kRuleProductionAnyDistance, 1);
        capital = info.world.terrainOfKind(12);
        info.world.cell(kHome, kHome).terrain = uint8_t(capital);
        building = info.world.placeBuilding(capital, 0, kHome, kHome);
        ProductionTypeRecord production {};
        for (int id : { kInfantry, kTank, kFighter, kDestroyer })
            production.setProducible(id, true);
        s.setSideProductionType(0, production);
        for (int c = 0; c < 2; ++c) {
            CountryRecord& country = s.country(c);
            country.inPlay = 1;
            country.controller = uint8_t(c == 0 ? 1 : 2);
            country.unitListLength = 100;
            country.marketRate = 100;
            country.funds = 100000;
        }
        info.startPlay(phase);
        platform::harness::setMessageBoxPolicy(true);
        platform::harness::clearMessageBoxes();
    }

    GameState& state() { return info.state(); }
    uint32_t price(int type, int machines)
    {
        const UnitTypeRecord& t = state().unitTypeRecord(type);
        return unitTypeCost(t, state().country(0), uint32_t(machines), t.members);
    }

    InfoWorld info;
    int capital = 0;
    int building = 0;
};

// A click in the middle of the dialog's own item of the id, frame included.
inline void clickDialogItem(HWND dialog, int id)
{
    HWND control = GetDlgItem(dialog, id);
    testing_lib::clickCentre(control);
    dialogtest::settle();
}

// Clicks row `item` of a list box, scrolling it into view first.
inline void clickRow(HWND list, int item, bool twice = false)
{
    SendMessageA(list, LB_SETTOPINDEX, WPARAM(item), 0);
    dialogtest::settle();
    RECT row {};
    SendMessageA(list, LB_GETITEMRECT, WPARAM(item), LPARAM(&row));
    const POINT p = screenOf(list, (row.left + row.right) / 2, (row.top + row.bottom) / 2);
    if (twice)
        platform::harness::doubleClick(p.x, p.y);
    else
        platform::harness::click(p.x, p.y);
    dialogtest::settle();
}

// The text of the dialog's own item, in UTF-8.
inline std::string itemUtf8Text(HWND dialog, int id)
{
    char text[128] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return platform::cp932ToUtf8(text);
}

// Waits up to a second for the window to be gone.
inline bool closes(HWND window)
{
    for (int i = 0; i < 50 && IsWindow(window); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    return !IsWindow(window);
}

inline std::vector<std::string> boxTexts()
{
    std::vector<std::string> texts;
    for (const auto& box : platform::harness::messageBoxes())
        texts.push_back(platform::cp932ToUtf8(box.text));
    return texts;
}

} // namespace play_dialogs
