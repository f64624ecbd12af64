// The "環境設定" dialog template: sound, battle, map and dialog options in four groups.
#include "app/environment_window.h"

#include "platform/kernel/host.h"
#include "platform/user/resource_table.h"

#include <mutex>

namespace {

using platform::resources::DialogItem;

constexpr int kGroupLeft = 10;
constexpr int kRight = 265;
constexpr int kColumn = 245;

class Items {
public:
    void add(const char* cls, const char* text, int control, DWORD style, RECT rect)
    {
        DialogItem item;
        item.className = cls;
        item.text = platform::utf8ToCp932(text);
        item.id = control;
        item.style = WS_CHILD | WS_VISIBLE | style;
        item.rect = rect;
        m_items.push_back(std::move(item));
    }
    void group(const char* text, int x, int y, int height)
    {
        add("Button", text, -1, BS_GROUPBOX, { x, y, x + kColumn, y + height });
    }
    void check(int control, const char* text, int x, int y)
    {
        add("Button", text, control, BS_AUTOCHECKBOX | WS_TABSTOP, { x, y, x + 220, y + 20 });
    }
    void label(const char* text, int x, int y, int width)
    {
        add("Static", text, -1, SS_LEFT, { x, y + 3, x + width, y + 21 });
    }
    std::vector<DialogItem> take() { return std::move(m_items); }

private:
    std::vector<DialogItem> m_items;
};

std::vector<DialogItem> items()
{
    Items i;
    const int x = kGroupLeft + 12;
    i.group("サウンド", kGroupLeft, 6, 196);
    i.check(environment_id::kPlaySe, "効果音を鳴らす", x, 26);
    i.check(environment_id::kPlayBgm, "BGMを鳴らす", x, 48);
    i.check(environment_id::kPlayChime, "ターン開始のチャイム", x, 70);
    i.check(environment_id::kPlayMoneyAlarm, "資金が減ったら警告音", x, 92);
    i.label("警告する資金", x + 18, 116, 96);
    i.add("Edit", "", environment_id::kMoneyAlarm, WS_BORDER | WS_TABSTOP | ES_NUMBER | ES_AUTOHSCROLL,
        { x + 118, 116, x + 218, 138 });
    i.label("効果音の音量", x, 144, 96);
    i.add(TRACKBAR_CLASSA, "", environment_id::kSeVolume, WS_TABSTOP | TBS_HORZ | TBS_AUTOTICKS, { x + 96, 142, x + 226, 168 });
    i.label("BGMの音量", x, 172, 96);
    i.add(TRACKBAR_CLASSA, "", environment_id::kWaveVolume, WS_TABSTOP | TBS_HORZ | TBS_AUTOTICKS, { x + 96, 170, x + 226, 196 });

    i.group("戦闘", kGroupLeft, 208, 118);
    i.check(environment_id::kShowFight, "戦闘を表示する", x, 228);
    i.add("Button", "戦闘シーンで見る", environment_id::kFightScene, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP,
        { x + 18, 250, x + 218, 270 });
    i.add("Button", "簡易ウィンドウで見る", environment_id::kFightWindow, BS_AUTORADIOBUTTON, { x + 18, 272, x + 218, 292 });
    i.check(environment_id::kFightOfAll, "他国どうしの戦闘も見る", x, 296);

    const int r = kRight + 12;
    i.group("マップ表示", kRight, 6, 180);
    i.check(environment_id::kBombAnim, "爆撃のアニメーション", r, 26);
    i.check(environment_id::kLevelEffect, "レベル変化の演出", r, 48);
    i.check(environment_id::kStageNight, "夜のステージを暗く表示", r, 70);
    i.check(environment_id::kTroopNumbers, "マップに部隊数を表示", r, 92);
    i.check(environment_id::kLeftInfoPanel, "情報パネルを左に置く", r, 114);
    i.label("部隊の移動表示", r, 144, 100);
    i.add("ComboBox", "", environment_id::kTroopMoveAnim, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, { r + 100, 142, r + 226, 230 });

    i.group("ダイアログ", kRight, 192, 134);
    i.check(environment_id::kShowIncome, "収入を表示する", r, 212);
    i.check(environment_id::kShowTurnEnd, "ターン終了を確認する", r, 234);
    i.check(environment_id::kShowBuildDialog, "生産指示を確認する", r, 256);
    i.check(environment_id::kPhaseHelp, "フェイズの説明を表示する", r, 278);
    i.check(environment_id::kAskSupply, "補給を確認する", r, 300);

    i.add("Button", "OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, { 330, 340, 414, 368 });
    i.add("Button", "キャンセル", IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, { 424, 340, 508, 368 });
    return i.take();
}

} // namespace

void registerEnvironmentTemplate()
{
    static std::once_flag once;
    std::call_once(once, [] {
        platform::resources::DialogTemplate dialog;
        dialog.caption = platform::utf8ToCp932("環境設定");
        dialog.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;
        dialog.clientSize = { 520, 380 };
        dialog.items = items();
        platform::resources::addDialog(MAKEINTRESOURCEA(EnvironmentWindow::kTemplate), std::move(dialog));
    });
}
