// The resources of the program: the main window's menu and accelerator table 130.
#include "app/program_resources.h"

#include "app/menu_ids.h"
#include "lib/application.h"
#include "platform/kernel/host.h"
#include "platform/user/resource_table.h"
#include "ui/dialog_templates.h"

#include <mutex>

namespace {

using platform::resources::MenuTemplateItem;

MenuTemplateItem item(const char* utf8, UINT id)
{
    return MenuTemplateItem { platform::utf8ToCp932(utf8), MF_STRING, id, {} };
}

MenuTemplateItem separator() { return MenuTemplateItem { "", MF_SEPARATOR, 0, {} }; }

MenuTemplateItem popup(const char* utf8, std::vector<MenuTemplateItem> children)
{
    return MenuTemplateItem { platform::utf8ToCp932(utf8), MF_POPUP, 0, std::move(children) };
}

std::vector<MenuTemplateItem> mainMenu()
{
    using namespace menu_id;
    return {
        popup("ゲーム(&G)",
            { item("新規ゲーム(&N)...\tCtrl+N", kNewGame), item("再開(&L)...\tCtrl+O", kResumeGame),
                item("名前を付けて保存(&A)...\tCtrl+S", kSaveGameAs), separator(), item("ゲーム終了(&E)", kEndGame),
                separator(), item("終了(&X)", kQuit) }),
        popup("ターン(&T)",
            { item("行動フェイズ終了(&P)\tF5", kEndActionPhase), item("ターン終了(&T)\tF6", kEndTurn), separator(),
                item("降伏(&S)...", kSurrender), item("プレイヤー変更(&C)...", kChangePlayers),
                item("委任(&D)", kDelegateTurn), separator(), item("オート移動(&M)", kAutoMoveWindow) }),
        popup("表示(&V)",
            { item("縮小表示(&1)\tCtrl+1", kZoom16), item("標準表示(&2)\tCtrl+2", kZoom32),
                item("拡大表示(&3)\tCtrl+3", kZoom48), separator(), item("部隊表(&T)", kTroopList),
                item("全滅部隊表(&D)", kDestroyedList), item("部隊詳細(&I)...", kTroopInfo), item("兵器一覧(&E)", kWeaponList),
                item("ルール情報(&R)", kRuleInfo), item("勝利条件(&W)", kVictoryConditions), item("作戦指令(&O)", kShowOrders),
                separator(), item("陣営情報(&C)", kCountryInfo), item("状況表(&J)", kConditionInfo), item("戦果表(&K)", kResults),
                separator(), item("地形情報(&L)", kTerrainList), item("地形移動表(&M)", kMoveTable),
                item("地形回避表(&A)", kAvoidTable), item("輸送可能地形(&Y)", kTransportTable), separator(),
                item("行動履歴(&H)", kActionHistory) }),
        popup("生産タイプ(&P)",
            { item("編集(&E)", kProductEdit), item("読込(&R)", kProductImport), item("書出(&W)", kProductExport),
                separator(), item("ﾙｰﾙ作成(&U)", kRuleList) }),
        popup("設定(&S)", { item("環境設定(&E)...", kEnvironment), item("モード切替(&M)...", kSwitchMode) }),
        popup("ヘルプ(&H)", { item("ヘルプ(&H)\tF1", kHelp), separator(), item("バージョン情報(&A)...", kAbout) }),
    };
}

std::vector<ACCEL> accelerators()
{
    using namespace menu_id;
    constexpr BYTE kControl = FVIRTKEY | FCONTROL;
    return {
        { kControl, WORD('N'), WORD(kNewGame) },
        { kControl, WORD('O'), WORD(kResumeGame) },
        { kControl, WORD('S'), WORD(kSaveGameAs) },
        { FVIRTKEY, VK_F5, WORD(kEndActionPhase) },
        { FVIRTKEY, VK_F6, WORD(kEndTurn) },
        { kControl, WORD('1'), WORD(kZoom16) },
        { kControl, WORD('2'), WORD(kZoom32) },
        { kControl, WORD('3'), WORD(kZoom48) },
        { FVIRTKEY, VK_F1, WORD(kHelp) },
    };
}

} // namespace

void registerProgramResources()
{
    static std::once_flag once;
    std::call_once(once, [] {
        platform::resources::addMenu(MAKEINTRESOURCEA(kMainMenuResource), mainMenu());
        platform::resources::addAccelerators(MAKEINTRESOURCEA(kAcceleratorTable), accelerators());
        registerGameDialogTemplates();
    });
}

HMENU loadMainMenu()
{
    registerProgramResources();
    return LoadMenuA(theApplication().instance(), MAKEINTRESOURCEA(kMainMenuResource));
}
