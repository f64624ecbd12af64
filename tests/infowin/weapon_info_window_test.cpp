// The weapon information window: the page rendered into its picture, browsing through the
// producible list (also through a type's base type), the set buttons, and the close requests.
#include "infowin/weapon_info_window.h"
#include "infowin/unit_info_ids.h"

#include "lib/application.h"
#include "state/unit_facts.h"
#include "tests/infowin/info_world.h"
#include "ui/main_window_services.h"
#include "ui/private_messages.h"

#include <algorithm>

using namespace info_test;

namespace {

// Records what the window tells the main window.
class ShownTypes : public MainWindowServices {
public:
    HWND mainWindow() const override { return nullptr; }
    void unloadSound(int) override { }
    void restartMusic() override { }
    void fadeOutMusic() override { }
    void setWeaponInfoShown(int key, int typeId) override { shown.push_back({ key, typeId }); }
    std::vector<std::pair<int, int>> shown;
};

class WeaponInfo : public ::testing::Test {
protected:
    WeaponInfo()
    {
        setMainWindowServices(&services);
        ListOrders& lists = info.world.look().lists();
        lists.buildProducible(s, 0);
        lists.sortProducible(s, 0, 0);
        list = lists.producible();
    }
    ~WeaponInfo() override { setMainWindowServices(nullptr); }

    WeaponInfoWindow* open(int typeId, int key = 0)
    {
        auto* window = new WeaponInfoWindow(info.context(), &info.owner, typeId, key, 0);
        if (!window->open()) {
            delete window;
            return nullptr;
        }
        ShowWindow(window->handle(), SW_SHOW);
        testing_lib::pump();
        return window;
    }
    bool shown(const WeaponInfoWindow* window, UINT button) const
    {
        return IsWindowVisible(GetDlgItem(window->handle(), int(button))) != FALSE;
    }
    void press(const WeaponInfoWindow* window, UINT button)
    {
        testing_lib::clickCentre(GetDlgItem(window->handle(), int(button)));
        testing_lib::pump();
    }
    // A type the producible list leaves out and that has no base type, to stand for a variant.
    int typeOutsideTheList() const
    {
        for (const UnitTypeRecord& type : s.unitTypes())
            if (type.baseType == 0 && std::find(list.begin(), list.end(), uint32_t(type.id)) == list.end())
                return type.id;
        return 0;
    }

    InfoWorld info;
    GameState& s = info.state();
    ShownTypes services;
    std::vector<uint32_t> list;
};

} // namespace

TEST_F(WeaponInfo, RendersThePageAndBrowsesTheProducibleList)
{
    ASSERT_GT(list.size(), 3u);
    WeaponInfoWindow* window = open(int(list[1]), 4);
    ASSERT_NE(window, nullptr);
    RECT client {};
    GetClientRect(window->handle(), &client);
    EXPECT_EQ(client.right, 720);
    EXPECT_EQ(client.bottom, 608);
    EXPECT_EQ(window->previousType(), int(list[0]));
    EXPECT_EQ(window->nextType(), int(list[2]));
    EXPECT_TRUE(shown(window, unit_info_id::kPrevious));
    EXPECT_TRUE(shown(window, unit_info_id::kNext));
    const Image image = clientImage(window->handle());
    saveShot(image, "weapon_info");
    // The type's name is written white into the header's box.
    EXPECT_GT(countColour(image, 96, 14, 288, 26, kWhitePixel), 10);

    // Next: both the shown type and the browse origin move; the set is the new type's default.
    UnitTypeRecord& next = info.world.editType(int(list[2]));
    next.defaultModel = 1;
    next.model[1].ammo[0] = 2;
    press(window, unit_info_id::kNext);
    EXPECT_EQ(window->typeId(), int(list[2]));
    EXPECT_EQ(window->armamentSet(), 1);
    EXPECT_EQ(window->previousType(), int(list[1]));
    ASSERT_EQ(services.shown.size(), 1u);
    EXPECT_EQ(services.shown[0], std::make_pair(4, int(list[2])));
    press(window, unit_info_id::kPrevious);
    EXPECT_EQ(window->typeId(), int(list[1]));
    EXPECT_EQ(window->armamentSet(), defaultModelOf(s.unitTypeRecord(int(list[1]))));

    // The first type has no previous one.
    WeaponInfoWindow* first = open(int(list[0]), 5);
    ASSERT_NE(first, nullptr);
    EXPECT_FALSE(shown(first, unit_info_id::kPrevious));
    EXPECT_TRUE(shown(first, unit_info_id::kNext));
}

TEST_F(WeaponInfo, AVariantFindsItsPlaceThroughItsBaseTypeAndShowsIt)
{
    const int variant = typeOutsideTheList();
    ASSERT_GT(variant, 0);
    WeaponInfoWindow* loose = open(variant, 0);
    ASSERT_NE(loose, nullptr);
    EXPECT_FALSE(shown(loose, unit_info_id::kPrevious));
    EXPECT_FALSE(shown(loose, unit_info_id::kNext));
    EXPECT_FALSE(shown(loose, unit_info_id::kBaseType));
    DestroyWindow(loose->handle());
    testing_lib::pump();

    info.world.editType(variant).baseType = uint16_t(list[2] + 1);
    WeaponInfoWindow* window = open(variant, 1);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->previousType(), int(list[1]));
    EXPECT_EQ(window->nextType(), int(list[3]));
    EXPECT_TRUE(shown(window, unit_info_id::kBaseType));
    press(window, unit_info_id::kBaseType);
    EXPECT_EQ(window->typeId(), int(list[2]));
    EXPECT_TRUE(services.shown.empty()) << "showing the base type is no browsing";
    EXPECT_EQ(window->nextType(), int(list[3])) << "the browse origin stays";
}

TEST_F(WeaponInfo, SetAndPageButtonsRedrawTheirParts)
{
    int typeId = 0;
    for (uint32_t id : list)
        if (unitTypeHasGroupFlag(s.unitTypeRecord(int(id)), 0) && unitTypeHasGroupFlag(s.unitTypeRecord(int(id)), 1))
            typeId = int(id);
    if (typeId == 0) {
        typeId = int(list[0]);
        info.world.editType(typeId).model[1].ammo[0] = 3;
    }
    info.world.editType(typeId).defaultModel = 0;
    WeaponInfoWindow* window = open(typeId);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(shown(window, unit_info_id::kFirstSet));
    EXPECT_TRUE(shown(window, unit_info_id::kFirstSet + 1));
    for (int k = 2; k < kModelCount; ++k)
        EXPECT_EQ(shown(window, unit_info_id::kFirstSet + UINT(k)), unitTypeHasGroupFlag(s.unitTypeRecord(typeId), k));
    press(window, unit_info_id::kFirstSet + 1);
    EXPECT_EQ(window->armamentSet(), 1);
    EXPECT_FALSE(window->movePage());
    press(window, unit_info_id::kMovePage);
    EXPECT_TRUE(window->movePage());
    saveShot(clientImage(window->handle()), "weapon_info_movement");
    press(window, unit_info_id::kCapabilityPage);
    EXPECT_FALSE(window->movePage());
}

TEST_F(WeaponInfo, CloseAndRightClickAskTheMainWindowWithTheKey)
{
    WeaponInfoWindow* window = open(int(list[0]), 7);
    ASSERT_NE(window, nullptr);
    press(window, unit_info_id::kClose);
    const POINT p = screenOf(window->handle(), 600, 200);
    harness::click(p.x, p.y, harness::Button::Right);
    testing_lib::pump();
    ASSERT_EQ(info.owner.count(ui_message::kCloseWeaponInfo), 2);
    EXPECT_EQ(info.owner.posted.back().wParam, 7u);
    EXPECT_TRUE(IsWindow(window->handle())) << "the main window destroys it";
}
