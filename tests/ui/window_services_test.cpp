// The window services every game window shares: work-area fitting, the modal-idle guard and the
// shared table of dialog frames.
#include "ui/dialog_templates.h"
#include "ui/main_window_services.h"
#include "ui/window_services.h"

#include "tests/state/small_world.h"

#include "platform/desktop/harness.h"
#include "platform/user/resource_table.h"

#include <gtest/gtest.h>

namespace {

RECT desktopWorkArea()
{
    RECT area {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

TEST(KeepRectInWorkArea, MovesOnlyWhatLeavesTheAreaAndKeepsTheSize)
{
    const RECT area = desktopWorkArea();
    const LONG w = area.right - area.left;
    const LONG h = area.bottom - area.top;
    struct Case {
        RECT in;
        RECT out;
    } cases[] = {
        { { 10, 10, 110, 60 }, { 10, 10, 110, 60 } },
        { { -30, 5, 70, 55 }, { 0, 5, 100, 55 } },
        { { w - 50, h - 20, w + 50, h + 30 }, { w - 100, h - 50, w, h } },
        // Larger than the area: the top-left corner stays visible.
        { { 40, 40, 40 + w + 10, 40 + h + 10 }, { 0, 0, w + 10, h + 10 } },
    };
    for (const Case& c : cases) {
        RECT r = c.in;
        keepRectInWorkArea(r);
        EXPECT_EQ(r.left, c.out.left);
        EXPECT_EQ(r.top, c.out.top);
        EXPECT_EQ(r.right, c.out.right);
        EXPECT_EQ(r.bottom, c.out.bottom);
    }
}

TEST(ModalIdleOff, ClearsTheFlagAndPutsTheOldValueBackNested)
{
    testing_state::SmallWorld world(4, 4);
    world.state().setModalIdle(true);
    {
        ModalIdleOff outer;
        EXPECT_FALSE(world.state().modalIdle());
        {
            ModalIdleOff inner;
            EXPECT_FALSE(world.state().modalIdle());
        }
        EXPECT_FALSE(world.state().modalIdle());
    }
    EXPECT_TRUE(world.state().modalIdle());
}

TEST(MainWindowServices, WithoutAMainWindowThereIsNoWindowAndTheInstalledOneIsUsed)
{
    EXPECT_EQ(mainWindowServices().mainWindow(), nullptr);
    class Fake : public MainWindowServices {
    public:
        HWND mainWindow() const override { return reinterpret_cast<HWND>(0x1234); }
        void unloadSound(int slot) override { unloaded = slot; }
        void restartMusic() override { }
        void fadeOutMusic() override { }
        MusicPlayer* musicPlayer() const override { return nullptr; }
        SoundPlayer* soundPlayer() const override { return nullptr; }
        int unloaded = 0;
    } fake;
    setMainWindowServices(&fake);
    mainWindowServices().unloadSound(1);
    EXPECT_EQ(fake.unloaded, 1);
    EXPECT_EQ(mainWindowServices().mainWindow(), reinterpret_cast<HWND>(0x1234));
    setMainWindowServices(nullptr);
    EXPECT_EQ(mainWindowServices().mainWindow(), nullptr);
}

INT_PTR CALLBACK quietProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

// Every frame of the table opens as a dialog and fits the screen; the save dialog's child frame
// keeps the preview area its hook fills.
TEST(GameDialogTemplates, EveryFrameOpensAndFitsTheScreen)
{
    registerGameDialogTemplates();
    registerGameDialogTemplates();
    const RECT area = desktopWorkArea();
    const UINT popups[] = { dialog_template::kPopup, dialog_template::kMapSettings, dialog_template::kRuleSetting,
        dialog_template::kProduction, dialog_template::kTroopList, dialog_template::kWeaponInfo,
        dialog_template::kTroopInfo, dialog_template::kBattle, dialog_template::kArmChange,
        dialog_template::kEnding, dialog_template::kMerge, dialog_template::kModelessInfo,
        dialog_template::kProductEdit, dialog_template::kGameSelect, dialog_template::kCopySource,
        dialog_template::kEventNotice, dialog_template::kHexPopup, dialog_template::kPhaseHelp };
    for (UINT id : popups) {
        HWND dialog = CreateDialogParamA(nullptr, MAKEINTRESOURCEA(id), nullptr, quietProc, 0);
        ASSERT_NE(dialog, nullptr) << "template " << id;
        RECT r {};
        GetWindowRect(dialog, &r);
        EXPECT_LE(r.right - r.left, area.right - area.left) << "template " << id;
        EXPECT_LE(r.bottom - r.top, area.bottom - area.top) << "template " << id;
        DestroyWindow(dialog);
    }
    auto preview = platform::resources::findDialog(MAKEINTRESOURCEA(dialog_template::kSaveDialogPreview));
    ASSERT_TRUE(preview.has_value());
    EXPECT_TRUE(preview->style & WS_CHILD);
    EXPECT_EQ(preview->clientSize.cx, 510);
    EXPECT_EQ(preview->clientSize.cy, 170);
}

} // namespace
