// A small started world for the editors' tests: rule slots with known names and switches, the
// pictures of the drawn windows, units placed or stored, and helpers that drive the dialogs on the
// headless desktop.
#pragma once

#include "tests/lib/window_test_support.h"
#include "tests/platform/commdlg/dialog_driver.h"
#include "tests/ui/looked_world.h"

#include "lib/application.h"
#include "state/unit_facts.h"
#include "ui/window_context.h"

#include <filesystem>
#include <functional>
#include <string>

namespace editors_test {

namespace harness = platform::harness;
using dialogtest::settle;

using testing_lib::cp;

class EditorWorld : public testing_ui::LookedWorld {
public:
    EditorWorld()
        : LookedWorld(6, 6)
    {
        theApplication().appInit(GetModuleHandleA(nullptr), nullptr, "", SW_SHOWNORMAL);
        namespace fs = std::filesystem;
        fs::create_directories(host("tkbmp"));
        for (const char* picture : { "slot_rule.bmp", "edit_btn.bmp" })
            fs::copy_file(fs::path(DERAZODO_PROGRAM_DIR) / "tkbmp" / picture, host(std::string("tkbmp/") + picture),
                fs::copy_options::overwrite_existing);
        harness::clearMessageBoxes();
        harness::setDefaultMessageBoxAnswer(0);
        // Rule 0 fixed with search on; rule 5 a user rule with storage off and stacking on.
        for (int slot = 0; slot < kRuleSlotCount; ++slot) {
            RuleSlot rule;
            rule.block.lead = uint8_t(slot);
            state().setRuleSlot(slot, rule);
        }
        RuleSlot fixed;
        fixed.name = cp("標準");
        fixed.block.lead = 0;
        fixed.block.switches[kRuleSearch] = 1;
        fixed.block.switches[kRuleStoring] = 1;
        state().setRuleSlot(0, fixed);
        RuleSlot user;
        user.name = cp("自作");
        user.date = "2020/01/02";
        user.time = "03:04:05";
        user.block.lead = 5;
        user.block.switches[kRuleStoring] = 0;
        user.block.switches[kRuleStacking] = 1;
        state().setRuleSlot(5, user);
        for (int c = 0; c < kCountryCount; ++c)
            state().country(c).inPlay = 1;
    }

    WindowContext context() { return makeWindowContext(state()); }

    // The first available land unit type.
    int landType()
    {
        for (const UnitTypeRecord& type : state().unitTypes())
            if (type.available && type.id > 0 && type.domain == 3)
                return type.id;
        ADD_FAILURE() << "no land unit type";
        return 0;
    }
    int placeLandUnit(int side, int x, int y) { return placeUnit(side, landType(), x, y); }
    // A building of the owner (-1 none) on a place marked as a victory target.
    int placeTargetBuilding(int owner, int x, int y)
    {
        const int index = placeBuilding(terrainOfKind(kTerrainBuilding), owner, x, y);
        PlaceRecord place {};
        place.used = 1;
        place.x = uint8_t(x);
        place.y = uint8_t(y);
        place.target = 1;
        unitCell(x, y).place = uint16_t(state().addPlaceRecord(place) + 1);
        return index;
    }
    // A unit carrying the victory marks (bit 0 or 2 a target, bit 1 to be transported).
    int placeMarkedUnit(int side, int x, int y, uint8_t marks)
    {
        const int index = placeLandUnit(side, x, y);
        unit(side, index).watchBits = marks;
        return index;
    }
    void ally(int a, int b)
    {
        state().country(a).allianceMask |= uint8_t(1u << b);
        state().country(b).allianceMask |= uint8_t(1u << a);
    }
    // A unit of the side kept in a building rather than on the map.
    int storeLandUnit(int side, int x, int y)
    {
        const int index = addUnit(side, landType(), x, y);
        unit(side, index).flags |= kUnitStored;
        return index;
    }
};

// Runs `modal` while `driver` works the window titled `title` from another thread.
template <class Modal>
auto drive(const std::string& title, Modal modal, std::function<void(HWND)> driver)
{
    return dialogtest::drive(title.c_str(), modal, [&](HWND dialog) {
        settle();
        driver(dialog);
    });
}

// A control anywhere below the window (the rows sit on their pages).
inline HWND control(HWND window, int id) { return testing_lib::descendant(window, id); }

inline bool enabled(HWND window, int id) { return IsWindowEnabled(control(window, id)) != FALSE; }
inline bool checked(HWND window, int id)
{
    return SendMessageA(control(window, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// A click at the left end of the control, where a check box or radio button has its mark.
inline void clickControl(HWND window, int id, int dx = 4)
{
    HWND target = control(window, id);
    ASSERT_NE(target, nullptr) << id;
    RECT r {};
    GetClientRect(target, &r);
    POINT p { dx, r.bottom / 2 };
    ClientToScreen(target, &p);
    harness::click(p.x, p.y);
    settle();
}

inline void rightClick(HWND window, int x, int y)
{
    POINT p { x, y };
    ClientToScreen(window, &p);
    harness::click(p.x, p.y, harness::Button::Right);
    settle();
}

} // namespace editors_test
