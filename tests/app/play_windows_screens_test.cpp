// Whole-window looks of the play popups with the program's own pictures and unit icons: each is
// opened as play opens it, checked at a few telling pixels, and written as a PNG file when
// DERAZODO_SHOTS names a folder.
#include "dialogs/auto_move_set_window.h"
#include "dialogs/event_notice_window.h"
#include "dialogs/fill_troop_window.h"
#include "dialogs/game_end_window.h"
#include "dialogs/hooked_popup_dialog.h"
#include "dialogs/phase_help_dialog.h"
#include "dialogs/phase_result_window.h"
#include "dialogs/supply_troop_window.h"
#include "dialogs/think_progress_window.h"
#include "infowin/income_window.h"
#include "app/game_state_services.h"
#include "state/supply_order.h"
#include "state/unit_facts.h"
#include "tests/app/app_test_support.h"
#include "tests/app/main_window_world.h"
#include "tests/dialogs/popup_driver.h"
#include "tests/lib/window_pictures.h"

#include <cstdlib>
#include <cstring>

namespace {

using main_window_test::World;
namespace harness = platform::harness;

using testing_app::cp;

using testing_lib::capture, testing_lib::inkIn;

// The program's own picture services, so that the unit sheet is built as it is in play.
struct ProgramPictures {
    ProgramPictures() { installAppGameStateServices(&appGameStateServices()); }
    ~ProgramPictures() { installAppGameStateServices(nullptr); }
};

// A small map with two named countries and a damaged unit of the first.
struct ScreenWorld {
    ScreenWorld()
    {
        GameState& s = world.state();
        s.mapHeader().width = 8;
        s.mapHeader().height = 8;
        for (int i = 0; i < 64; ++i)
            s.terrainGrid()[i].terrain = 1;
        for (int c = 0; c < 2; ++c) {
            std::snprintf(s.country(c).name, sizeof s.country(c).name, "%s", cp(c == 0 ? "青国" : "赤国").c_str());
            s.country(c).controller = c == 0 ? 1 : 2;
            s.country(c).inPlay = 1;
            s.country(c).funds = 5000;
            s.country(c).fundsCeiling = 99999;
            s.country(c).marketRate = 100;
        }
        s.turnBlock().currentCountry = 0;
        unit = addUnit(0, landType(), 3, 3);
        UnitRecord& u = *s.unitOf(0, unit);
        u.memberStrengths[1] = uint8_t(std::max(1, u.memberStrengths[1] / 2));
        u.memberStrengths[3] = 0;
    }
    int landType()
    {
        for (const UnitTypeRecord& type : world.state().unitTypes())
            if (type.available && type.id > 0 && type.domain == 3 && type.members >= 5)
                return type.id;
        return 0;
    }
    int addUnit(int side, int typeId, int x, int y)
    {
        GameState& s = world.state();
        int index = int(s.unitCount(side));
        UnitRecord& u = *s.unitOf(side, index);
        const UnitTypeRecord& type = s.unitTypeRecord(typeId);
        u = UnitRecord {};
        u.stateLow = 1;
        std::snprintf(u.name, sizeof u.name, "%s%d", cp("第").c_str(), index + 1);
        std::strncat(u.name, cp("戦車隊").c_str(), sizeof u.name - std::strlen(u.name) - 1);
        u.unitTypeId = uint16_t(typeId);
        u.x = uint8_t(x);
        u.y = uint8_t(y);
        for (int m = 0; m < type.members && m < 10; ++m)
            u.memberStrengths[m] = type.memberStrength;
        u.memberLimit = type.members;
        s.setUnitCount(side, uint32_t(index + 1));
        return index;
    }
    swCWindow* owner() { return windowFromHandle(world.handle()); }

    ProgramPictures pictures;
    World world;
    int unit = 0;
};

template <class Window, class... Args>
harness::Image shoot(const std::string& name, std::function<void(HWND, const harness::Image&)> check, Args&&... args)
{
    harness::Image shot;
    Window window(std::forward<Args>(args)...);
    popup_test::drive([&] { return window.run(); }, [&](HWND popup) {
        shot = capture(popup, name);
        check(popup, shot);
    });
    return shot;
}

} // namespace

TEST(PlayWindowScreens, NoticeServicePopupsAndIncomeShowTheirFigures)
{
    ScreenWorld w;
    shoot<EventNoticeWindow>("event_notice", [](HWND popup, const harness::Image& image) {
        EXPECT_GT(inkIn(popup, image, { 12, 12, 44, 44 }), 50) << "the unit's icon";
        EXPECT_GT(inkIn(popup, image, { 48, 14, 216, 28 }), 30) << "the first line";
    }, makeWindowContext(w.world.state()), w.owner(), 0, 0, w.unit);
    shoot<EventNoticeWindow>("event_notice_countries", [](HWND popup, const harness::Image& image) {
        EXPECT_GT(inkIn(popup, image, { 12, 29, 272, 43 }), 30);
    }, makeWindowContext(w.world.state()), w.owner(), 14, 1, 0);

    ReplenishOffer offer;
    offer.country = 0;
    offer.unitIndex = uint32_t(w.unit);
    offer.counters = 1;
    offer.repair = 4;
    shoot<FillTroopWindow>("fill_troop", [](HWND popup, const harness::Image& image) {
        EXPECT_GT(inkIn(popup, image, { 84, 12, 276, 24 }), 30) << "the unit's name";
        EXPECT_GT(inkIn(popup, image, { 40, 168, 76, 180 }), 10) << "the cost";
    }, makeWindowContext(w.world.state()), w.owner(), offer);

    SupplyOrder order {};
    order.country = 0;
    order.unitIndex = uint32_t(w.unit);
    order.parts[SupplyOrder::kFuel] = { 1, 0, 120, 1, 1 };
    order.parts[SupplyOrder::kAmmunition] = { 1, 0, 300, 1, 1 };
    shoot<SupplyTroopWindow>("supply_troop", [](HWND popup, const harness::Image& image) {
        EXPECT_GT(inkIn(popup, image, { 40, 64, 76, 76 }), 10) << "the cost";
    }, makeWindowContext(w.world.state()), w.owner(), order);

    shoot<IncomeWindow>("income", [](HWND popup, const harness::Image& image) {
        EXPECT_GT(inkIn(popup, image, { 216, 12, 252, 24 }), 10) << "the income";
    }, makeWindowContext(w.world.state()), w.owner(), 1234);

    w.world.state().turnBlock().phase = 4;
    shoot<PhaseHelpDialog>("phase_help", [](HWND popup, const harness::Image& image) {
        EXPECT_GT(inkIn(popup, image, { 8, 8, 400, 64 }), 100) << "the explanation";
    }, makeWindowContext(w.world.state()), w.owner());
}

TEST(PlayWindowScreens, ResultWindowsShowTheBandAndTheGauge)
{
    ScreenWorld w;
    GameState& s = w.world.state();
    s.ruleBlock().switches[kRuleOccupationPoints] = 1;
    BuildingRecord before {};
    before.type = 31;
    before.ownerPlusOne = 2;
    before.durability = 60;
    before.occupationDurability = 30;
    BuildingRecord after = before;
    after.occupationDurability = 12;
    // A click ends the gauge's run: the picture is taken at its end value.
    auto atEnd = [](const char* name, int filled) {
        return [name, filled](HWND popup, const harness::Image&) {
            popup_test::clickClient(popup, 10, 60);
            const harness::Image image = capture(popup, name);
            EXPECT_GE(inkIn(popup, image, { 88, 152, 216, 160 }), filled) << name;
        };
    };
    shoot<OccupationResultWindow>("occupation", atEnd("occupation", 1), makeWindowContext(w.world.state()), w.owner(), after, before);
    after = before;
    after.durability = 20;
    before.type = 37;
    after.type = 37;
    shoot<BuildingEventWindow>("destruction", atEnd("destruction", 1), makeWindowContext(w.world.state()), w.owner(), after, before);
    shoot<UnitRepairWindow>("repair_pillbox", atEnd("repair_pillbox", 1), makeWindowContext(w.world.state()), w.owner(), 7, 25, 10);
    shoot<UnitReinforceWindow>("reinforce_bridge", atEnd("reinforce_bridge", 1), makeWindowContext(w.world.state()), w.owner(), 10, 15, 10);
    shoot<GameEndWindow>("game_end", [](HWND popup, const harness::Image& image) {
        EXPECT_GT(inkIn(popup, image, { 12, 219, 268, 235 }), 30) << "the country's name";
        EXPECT_GT(inkIn(popup, image, { 12, 241, 300, 257 }), 30) << "the words";
    }, makeWindowContext(w.world.state()), w.owner(), 0, 2);
}

TEST(PlayWindowScreens, HexPopupWithANestedPopupAndTheStatusCells)
{
    ScreenWorld w;
    GameState& s = w.world.state();
    const int carrier = w.addUnit(0, w.landType(), 3, 3);
    const int cargo = w.addUnit(0, w.landType(), 3, 3);
    s.unitOf(0, carrier)->flags |= kUnitCarrying;
    s.unitOf(0, carrier)->setCarriedUnit(0, cargo);
    s.unitOf(0, cargo)->flags |= kUnitAboard | kUnitActed;
    const int other = w.addUnit(1, w.landType(), 3, 3);
    std::vector<uint32_t> lower { popup_entry::make(0, uint32_t(w.unit)), popup_entry::make(0, uint32_t(carrier)),
        popup_entry::make(1, uint32_t(other)), popup_entry::hex(3, 3) };
    HookedPopupDialog popup(makeWindowContext(w.world.state()), w.owner(), HookedPopupDialog::kAutoMoveTarget, 300, 200, { popup_entry::prompt(3) }, lower);
    popup_test::drive([&] { return popup.run(); }, [&](HWND window) {
        capture(window, "hex_popup");
        const std::vector<HWND> outer { window };
        RECT cell {};
        GetWindowRect(GetDlgItem(window, int(HookedPopupDialog::kFirstLowerCell + 1)), &cell);
        harness::mouseMove(cell.left + 10, cell.top + 9);
        HWND nested = popup_test::waitForDialog(outer);
        ASSERT_NE(nested, nullptr);
        RECT both {};
        GetWindowRect(window, &both);
        RECT inner {};
        GetWindowRect(nested, &inner);
        UnionRect(&both, &both, &inner);
        harness::Image image = harness::readRect(both);
        if (const char* folder = std::getenv("DERAZODO_SHOTS"); folder && *folder)
            harness::writePng(image, std::string(folder) + "/hex_popup_nested.png");
        popup_test::clickItem(nested, int(HookedPopupDialog::kFirstLowerRow));
    });
    EXPECT_EQ(popup.result(), 1);
    EXPECT_EQ(popup.chosenEntry(), popup_entry::make(0, uint32_t(cargo)));
}

TEST(PlayWindowScreens, ThinkingAndAutoMoveWindows)
{
    ScreenWorld w;
    auto* think = new ThinkProgressWindow(makeWindowContext(w.world.state()), w.owner(), 1);
    ASSERT_TRUE(think->Create());
    HWND thinkHandle = think->handle();
    ShowWindow(thinkHandle, SW_SHOW);
    ThinkProgressWindow::postProgress(thinkHandle, 64);
    World::pump();
    popup_test::settle();
    const harness::Image image = capture(thinkHandle, "think_progress");
    EXPECT_GT(inkIn(thinkHandle, image, ThinkProgressWindow::kPercentArea), 10);
    DestroyWindow(thinkHandle);

    // A person's turn handed to the computer has its own face.
    w.world.state().handshake().setDelegation(true);
    auto* delegated = new ThinkProgressWindow(makeWindowContext(w.world.state()), w.owner(), 0);
    ASSERT_TRUE(delegated->Create());
    HWND delegatedHandle = delegated->handle();
    ShowWindow(delegatedHandle, SW_SHOW);
    World::pump();
    popup_test::settle();
    const harness::Image other = capture(delegatedHandle, "think_progress_delegated");
    EXPECT_NE(other.pixels, image.pixels);
    DestroyWindow(delegatedHandle);
    w.world.state().handshake().setDelegation(false);

    auto* autoMove = new AutoMoveSetWindow(makeWindowContext(w.world.state()), w.owner());
    ASSERT_TRUE(autoMove->Create());
    HWND autoHandle = autoMove->handle();
    World::pump();
    popup_test::settle();
    capture(autoHandle, "auto_move");
    DestroyWindow(autoHandle);
    World::pump();
}
