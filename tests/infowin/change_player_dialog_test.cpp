// The change-player dialog: each country in play may go either way, the others are shown but
// fixed, and only OK stores the choice.
#include "infowin/change_player_dialog.h"

#include "platform/kernel/host.h"
#include "tests/infowin/info_world.h"

#include <cstdio>
#include "tests/platform/commdlg/dialog_driver.h"

using namespace info_test;

namespace {

class ChangePlayers : public ::testing::Test {
protected:
    ChangePlayers()
    {
        for (int c = 0; c < kCountryCount; ++c) {
            std::snprintf(s.country(c).name, sizeof s.country(c).name, "C%d", c);
            s.country(c).controller = c < 3 ? uint8_t(c == 0 ? 1 : 2) : c == 3 ? 2 : 0;
            s.country(c).inPlay = c < 3 ? 1 : 0;
        }
    }
    INT_PTR run(std::function<void(HWND)> driver)
    {
        ChangePlayerDialog dialog(info.context(), &info.owner);
        return dialogtest::drive(platform::utf8ToCp932("プレイヤー変更").c_str(), [&] { return dialog.run(); },
            [&](HWND window) {
                dialogtest::untilShown(window);
                driver(window);
            });
    }
    static std::string itemText(HWND combo)
    {
        char text[32] = {};
        const LRESULT item = SendMessageA(combo, CB_GETCURSEL, 0, 0);
        SendMessageA(combo, CB_GETLBTEXT, WPARAM(item), LPARAM(text));
        return platform::cp932ToUtf8(text);
    }
    static void choose(HWND dialog, int country, UINT key)
    {
        HWND combo = GetDlgItem(dialog, int(change_player_id::kFirstCombo) + country);
        RECT r {};
        GetWindowRect(combo, &r);
        harness::click(r.left + 20, r.top + 8);
        dialogtest::settle();
        harness::pressKey(key);
        harness::pressKey(VK_RETURN);
        dialogtest::settle();
    }
    static void clickButton(HWND dialog, UINT button)
    {
        RECT r {};
        GetWindowRect(GetDlgItem(dialog, int(button)), &r);
        harness::click(r.left + 10, r.top + 8);
        dialogtest::settle();
    }

    InfoWorld info;
    GameState& s = info.state();
};

} // namespace

TEST_F(ChangePlayers, CountriesInPlaySwitchBothWaysAndTheOthersAreFixed)
{
    std::vector<std::string> shown;
    std::vector<bool> open;
    const INT_PTR result = run([&](HWND dialog) {
        for (int c = 0; c < 5; ++c) {
            HWND combo = GetDlgItem(dialog, int(change_player_id::kFirstCombo) + c);
            shown.push_back(itemText(combo));
            open.push_back(IsWindowEnabled(combo) != FALSE);
        }
        saveShot(clientImage(dialog), "change_player");
        choose(dialog, 0, VK_DOWN);
        choose(dialog, 1, VK_UP);
        clickButton(dialog, change_player_id::kOk);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(shown, (std::vector<std::string> { "USER", "COMP", "COMP", "滅亡", "不参戦" }));
    EXPECT_EQ(open, (std::vector<bool> { true, true, true, false, false }));
    EXPECT_EQ(s.country(0).controller, 2);
    EXPECT_EQ(s.country(1).controller, 1);
    EXPECT_EQ(s.country(2).controller, 2);
    EXPECT_EQ(s.country(3).controller, 2) << "a country out of play keeps its player";
}

TEST_F(ChangePlayers, CancelAndRightClickKeepThePlayers)
{
    EXPECT_EQ(run([&](HWND dialog) {
        choose(dialog, 0, VK_DOWN);
        clickButton(dialog, change_player_id::kCancel);
    }), 0);
    EXPECT_EQ(run([&](HWND dialog) {
        choose(dialog, 0, VK_DOWN);
        RECT r {};
        GetWindowRect(dialog, &r);
        harness::click(r.left + 300, r.bottom - 10, harness::Button::Right);
    }), 0);
    EXPECT_EQ(s.country(0).controller, 1);
}
