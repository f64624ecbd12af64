// The environment window driven on the headless desktop: OK writes exactly the changed keys,
// Cancel writes nothing, and the battle choices follow the battle switch.
#include "app/environment_window.h"
#include "platform/kernel/host.h"

#include "tests/lib/temp_program_folder.h"
#include "tests/platform/commdlg/dialog_driver.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>

namespace {

const std::string kEnvironmentTitle = platform::utf8ToCp932("環境設定");

void clickItem(HWND dialog, int control)
{
    HWND item = GetDlgItem(dialog, control);
    ASSERT_NE(item, nullptr) << control;
    RECT r;
    GetClientRect(item, &r);
    POINT p = dialogtest::screenOf(item, 8, r.bottom / 2);
    platform::harness::click(p.x, p.y);
    dialogtest::settle();
}

// Every key of the "Environment" section with its stored text.
std::map<std::string, std::string> storedKeys()
{
    std::vector<char> buffer(8192);
    DWORD size = GetPrivateProfileSectionA(kEnvironmentSection, buffer.data(), DWORD(buffer.size()), profilePath().c_str());
    std::map<std::string, std::string> keys;
    for (const char* entry = buffer.data(); entry < buffer.data() + size && *entry; entry += std::strlen(entry) + 1) {
        std::string line = entry;
        size_t equals = line.find('=');
        keys[line.substr(0, equals)] = equals == std::string::npos ? "" : line.substr(equals + 1);
    }
    return keys;
}

struct EnvironmentWindowTest : ::testing::Test {
    // Runs the window over m_settings while `driver` works it.
    INT_PTR run(std::function<void(HWND)> driver)
    {
        EnvironmentWindow window(nullptr, m_settings);
        dialogtest::drive(kEnvironmentTitle.c_str(), [&] { return window.run(); }, [&](HWND dialog) {
            // The window exists before its controls are loaded; it is shown after.
            dialogtest::untilShown(dialog);
            driver(dialog);
        });
        return window.result();
    }
    testing_lib::TempProgramFolder m_folder { "environment" };
    GameSettings m_settings;
};

TEST_F(EnvironmentWindowTest, OkWritesExactlyTheChangedKeys)
{
    m_settings.seVolume = -1234; // between two slider steps: left as it is unless moved
    m_settings.waveVolume = -1234;
    INT_PTR result = run([](HWND dialog) {
        clickItem(dialog, environment_id::kPlaySe);
        clickItem(dialog, environment_id::kShowIncome);
        clickItem(dialog, environment_id::kFightWindow);
        SendDlgItemMessageA(dialog, environment_id::kWaveVolume, TBM_SETPOS, TRUE, 10);
        SendDlgItemMessageA(dialog, environment_id::kTroopMoveAnim, CB_SETCURSEL, 2, 0);
        SetDlgItemTextA(dialog, environment_id::kMoneyAlarm, "500");
        clickItem(dialog, IDOK);
    });
    EXPECT_EQ(result, 1);
    const std::map<std::string, std::string> expected = {
        { "PlaySE", "0" }, { "ShowIncome", "0" }, { "FightOnReal", "0" }, { "WaveVolume", "-2500" },
        { "TroopMoveAnim", "2" }, { "MoneyAlarm", "500" },
    };
    EXPECT_EQ(storedKeys(), expected);

    GameSettings changed;
    changed.playSe = false;
    changed.showIncome = false;
    changed.fightOnReal = false;
    changed.seVolume = -1234;
    changed.waveVolume = -2500;
    changed.troopMoveAnim = 2;
    changed.moneyAlarm = 500;
    EXPECT_EQ(m_settings, changed);
}

TEST_F(EnvironmentWindowTest, CancelAndUnchangedOkLeaveSettingsAndFileAlone)
{
    m_settings.troopMoveAnim = 7; // unknown to the list: no choice shown, value kept
    const GameSettings before = m_settings;
    EXPECT_EQ(run([](HWND dialog) {
        clickItem(dialog, environment_id::kPlayBgm);
        clickItem(dialog, environment_id::kPhaseHelp);
        SendDlgItemMessageA(dialog, environment_id::kSeVolume, TBM_SETPOS, TRUE, 3);
        clickItem(dialog, IDCANCEL);
    }),
        0);
    EXPECT_EQ(m_settings, before);
    EXPECT_TRUE(storedKeys().empty());

    EXPECT_EQ(run([](HWND dialog) { clickItem(dialog, IDOK); }), 1);
    EXPECT_EQ(m_settings, before);
    EXPECT_TRUE(storedKeys().empty());
}

TEST_F(EnvironmentWindowTest, PhaseHelpSwitchWritesEveryPhaseKey)
{
    makeNamedValue("FaseIncome").profileWriteBool(false);
    bool shownOn = false;
    run([&](HWND dialog) {
        shownOn = IsDlgButtonChecked(dialog, environment_id::kPhaseHelp) == BST_CHECKED;
        clickItem(dialog, environment_id::kPhaseHelp);
        clickItem(dialog, IDOK);
    });
    EXPECT_TRUE(shownOn); // on while any phase still explains itself
    auto keys = storedKeys();
    EXPECT_EQ(keys.size(), std::size(kPhaseHelpKeys));
    for (const char* key : kPhaseHelpKeys)
        EXPECT_EQ(keys[key], "0") << key;
    EXPECT_FALSE(anyPhaseHelpEnabled());
}

TEST_F(EnvironmentWindowTest, DependentOptionsFollowTheirSwitches)
{
    m_settings.showFight = false;
    m_settings.playSe = true;
    bool fightAtStart = true, fightAfterClick = false, volumeAtStart = false, volumeAfterClick = true;
    run([&](HWND dialog) {
        fightAtStart = IsWindowEnabled(GetDlgItem(dialog, environment_id::kFightScene));
        volumeAtStart = IsWindowEnabled(GetDlgItem(dialog, environment_id::kSeVolume));
        clickItem(dialog, environment_id::kShowFight);
        clickItem(dialog, environment_id::kPlaySe);
        fightAfterClick = IsWindowEnabled(GetDlgItem(dialog, environment_id::kFightOfAll));
        volumeAfterClick = IsWindowEnabled(GetDlgItem(dialog, environment_id::kSeVolume));
        clickItem(dialog, IDCANCEL);
    });
    EXPECT_FALSE(fightAtStart);
    EXPECT_TRUE(fightAfterClick);
    EXPECT_TRUE(volumeAtStart);
    EXPECT_FALSE(volumeAfterClick);
}

} // namespace
