// A unit's figures read the same wherever they are shown: the control panel's lines and the
// armament window's panel of the unit's own set, for a unit short of machines, fuel and ammunition.
#include "app/control_panel_facts.h"
#include "infowin/arm_change_window.h"
#include "infowin/panel_text.h"
#include "lib/media/dc_holders.h"
#include "state/unit_facts.h"
#include "ui/presentation.h"
#include "tests/app/app_test_support.h"
#include "tests/infowin/info_world.h"
#include "tests/platform/commdlg/dialog_driver.h"

#include <algorithm>

namespace {

using testing_app::cp;
using testing_app::kInfantry;

// Whether the white text in the rectangle of the shown client area is `expected` as the unit
// panels write it there.
bool showsText(const info_test::Image& shown, const swCFont& font, const RECT& r, const std::string& expected)
{
    BITMAPINFO info = topDownBitmapInfo(shown.width, shown.height);
    uint32_t* pixels = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP page = CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&pixels), nullptr, 0);
    HGDIOBJ old = SelectObject(dc, page);
    std::fill_n(pixels, size_t(shown.width) * size_t(shown.height), 0u);
    {
        panel::TextScope scope(dc, font);
        panel::text(dc, r.left, r.top, r.right, r.bottom, expected.c_str());
    }
    GdiFlush();
    bool same = true;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            same = same && ((pixels[y * shown.width + x] & 0xFFFFFF) == info_test::kWhitePixel) == (info_test::rgb(shown, x, y) == info_test::kWhitePixel);
    SelectObject(dc, old);
    DeleteObject(page);
    DeleteDC(dc);
    return same;
}

bool listed(const std::vector<PanelLine>& lines, const std::string& text)
{
    return std::any_of(lines.begin(), lines.end(), [&](const PanelLine& line) { return line.text == text; });
}

} // namespace

TEST(UnitFigures, MachinesFuelAndAmmunitionReadTheSameOnThePanelAndInTheArmamentWindow)
{
    info_test::InfoWorld info;
    GameState& s = info.state();
    info.startPlay();
    const int index = info.world.placeUnit(0, kInfantry, 2, 3);
    UnitRecord& unit = info.world.unit(0, index);
    unit.memberLimit = 10;
    unit.memberStrengths[0] = 0;
    unit.memberStrengths[1] = 0;
    const HeldFigure fuel = heldFuel(unit);
    ASSERT_GT(fuel.most, 3);
    unit.fuel = uint16_t(fuel.most - 3);
    const HeldFigure ammo = heldAmmunition(unit, 0);
    ASSERT_GT(ammo.most, 1);
    unit.ammunition[0] = uint8_t(ammo.most - 1);

    const std::vector<PanelLine> lines = unitFactLines(s, 0, index);
    EXPECT_TRUE(listed(lines, cp("機数　8/10")));
    EXPECT_TRUE(listed(lines, cp("燃料　") + std::to_string(fuel.most - 3) + "/" + std::to_string(fuel.most)));

    // The unit's own set is the panel at the top left (set 0 of its type).
    ASSERT_EQ(unit.modelIndex(), 0);
    char machines[16], fuelText[16], ammoText[16];
    std::snprintf(machines, sizeof machines, "%2d/%2d", 8, 10);
    std::snprintf(fuelText, sizeof fuelText, "%3d/%3d", fuel.most - 3, fuel.most);
    std::snprintf(ammoText, sizeof ammoText, "%2d/%2d", ammo.most - 1, ammo.most);
    ArmChangeWindow window(info.context(), &info.owner, 0, index, -1);
    const std::string title = cp("武装交換 - ") + std::string(unit.name, strnlen(unit.name, sizeof unit.name));
    dialogtest::drive(title.c_str(), [&] { return window.run(); }, [&](HWND dialog) {
        dialogtest::settle();
        const info_test::Image shown = info_test::clientImage(dialog);
        EXPECT_TRUE(showsText(shown, presentation().font(kSmallFont), { 84, 140, 114, 152 }, machines)) << machines;
        EXPECT_TRUE(showsText(shown, presentation().font(kSmallFont), { 192, 140, 234, 152 }, fuelText)) << fuelText;
        EXPECT_TRUE(showsText(shown, presentation().font(kSmallFont), { 228, 58, 258, 70 }, ammoText)) << ammoText;
        PostMessageA(dialog, WM_CLOSE, 0, 0);
    });
}
