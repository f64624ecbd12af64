// The small two-country training map, its simple-mode copy, and the riverside scenario drawn on it.
#include "tools/mkdata/maps_builder.h"

#include "tools/mkdata/generator.h"
#include "tools/mkdata/maps_pictures.h"

namespace mkdata::maps {
namespace {

// Mirror images across the river in column 8: neither side starts better placed.
const std::vector<std::string> kTrainingRows = {
    "MMhF,,,.r.,,,FhMM",
    "MhF,,vF.r.Fv,,FhM",
    "h,,K,,hFrFh,,K,,h",
    ",C======b======C,",
    ",P=F,,hhrhh,,F=P,",
    "F,=,tF,.r.,Ft,=,F",
    "FF=,,,.=c=.,,,=FF",
    "h,=,FF,.r.,FF,=,h",
    ",,=t,,w.r.w,,t=,,",
    "s,H=,,,,r,,,,=H,s",
    "~~ss,,sssss,,ss~~",
    "~~~~~~~~~~~~~~~~~",
};

struct Troop {
    uint16_t type;
    int x, y;
    const char* name;
};

const Troop kWestTroops[] = {
    {kInfantry, 1, 3, "第1歩兵連隊"},
    {kInfantry, 4, 5, "第2歩兵連隊"},
    {kTank, 3, 3, "第1戦車大隊"},
    {kTank, 5, 3, "第2戦車大隊"},
    {kArtillery, 2, 4, "第1砲兵大隊"},
    {kAntiAir, 3, 2, "第1防空中隊"},
    {kSupplyTruck, 2, 5, "第1補給隊"},
    {kEngineer, 3, 8, "第1工兵中隊"},
    {kFighter, 1, 4, "第1飛行隊"},
    {kAttackHeli, 2, 2, "第1ヘリ隊"},
    {kDestroyer, 3, 11, "護衛艦しらかぜ"},
    {kTransportShip, 1, 10, "輸送艦はやせ"},
};

void troops(MapBuilder& m, int side, bool mirror)
{
    for (const Troop& t : kWestTroops)
        m.unit(side, t.type, mirror ? m.width() - 1 - t.x : t.x, t.y, t.name);
}

MapBuilder drawTraining()
{
    MapBuilder m(kTrainingRows);
    m.setOwners([](int x, int) { return x <= 4 ? 0 : x >= 12 ? 1 : -1; });
    m.country(0, "蒼嶺連邦", 1, 2000);
    m.country(1, "緋砂王国", 2, 2000);
    troops(m, 0, false);
    troops(m, 1, true);
    m.unit(8, kInfantry, 8, 6, "川辺市守備隊");
    m.unit(8, kInfantry, 5, 1, "北村自警団");
    m.unit(8, kInfantry, 11, 1, "東村自警団");
    m.place(8, 6, "川辺市", false);
    m.place(8, 3, "北大橋", false);
    // Taking the enemy capital wins.
    m.place(1, 3, "蒼嶺首都", true);
    m.place(15, 3, "緋砂首都", true);
    m.winByPlaces(0, 2);
    m.winByPlaces(1, 2);
    // The east bank only has to hold out: at the limit it wins.
    m.atTurnLimit(0, kFallsShort);
    m.atTurnLimit(1, kHoldsOut);
    return m;
}

}

MapBuilder trainingMap(bool simple)
{
    MapBuilder m = drawTraining();
    m.title(simple ? "演習場（シンプル）" : "演習場", "川をはさんで向き合う二国の小さな演習用マップです。\r\n"
                                          "中央の川辺市と橋を押さえた側が有利になります。\r\n"
                                          "30ターンのうちに緋砂王国の首都を落とせなければ、守り抜いた緋砂王国の勝利です。", 1, 30);
    if (simple)
        m.simpleRules();
    else
        m.normalRules();
    return m;
}

// The mission text, long enough to scroll past its first screen.
const char* const kRiversideOrders =
    "司令官、わが軍は西岸に展開を終えた。\n"
    "敵より先に川辺市と北の町を押さえ、橋を守り抜け。\n"
    "\n"
    "一、戦車大隊は夜明けとともに北大橋へ前進し、橋の東詰めを確保せよ。\n"
    "二、歩兵連隊は戦車に続いて川辺市へ入り、中立の守備隊と交渉せよ。\n"
    "三、砲兵大隊は丘の上に陣地を築き、東岸の敵砲兵を制圧せよ。\n"
    "四、防空中隊は橋の周辺に展開し、敵の攻撃機から渡河部隊を守れ。\n"
    "五、補給隊は北町までの道を確保しつつ前進し、燃料と弾薬を届けよ。\n"
    "六、工兵中隊は川辺市の南で仮設橋の準備にかかれ。\n"
    "七、ヘリ隊は偵察にあたり、敵の渡河の兆しを見逃すな。\n"
    "八、飛行隊は首都上空を守り、命令あるまで東岸へ出るな。\n"
    "九、護衛艦しらかぜは河口を封鎖し、敵の輸送艦を通すな。\n"
    "十、輸送艦はやせは後方で待機し、増援の到着を待て。\n"
    "\n"
    "敵の緋砂王国も同じ町をねらっている。先に町を押さえた側が川を制する。\n"
    "町を占領したら、ただちに守りを固めよ。敵は必ず取り返しに来る。\n"
    "橋が落とされた場合は、工兵の仮設橋で渡河を続けよ。\n"
    "中立の守備隊とは、こちらから戦いを仕掛けてはならない。\n"
    "民間人を巻き込む砲撃は厳に慎め。\n"
    "\n"
    "天候は晴れ、川の水位は平年並みである。\n"
    "作戦は二十ターン以内に完了せよ。\n"
    "諸君の健闘を祈る。";

MapBuilder riversideScenario()
{
    MapBuilder m = drawTraining();
    m.title("河畔の攻防", "川辺市と二つの町をめぐる短いシナリオです。\r\n"
                          "20ターンのうちに三つの拠点を押さえられなければ、緋砂王国の勝利です。", 2, 20);
    m.normalRules();
    m.file().places.clear();
    // Villages hold no building, and a target place must hold one to be taken: towns instead.
    m.set(5, 1, kTown);
    m.set(11, 1, kTown);
    m.place(8, 6, "川辺市", true);
    m.place(5, 1, "北町", true);
    m.place(11, 1, "東町", true);
    // Both countries win by holding the marked places.
    m.winByPlaces(0, 1);
    m.winByPlaces(1, 1);
    m.briefing({
        "河畔日報",
        "両軍、川辺市をうかがう",
        "国境の川をはさんで蒼嶺連邦と緋砂王国の部隊が向き合っている。\n"
        "中立の川辺市は交通の要で、どちらの国も手放すつもりはない。",
        "作戦名：河畔の盾",
        kRiversideOrders,
        "川辺市・北町・東町をすべて占領せよ。\n"
        "補給隊を北町まで送り届けよ。",
        "蒼嶺連邦（西岸）\n緋砂王国（東岸）\n川辺市守備隊（中立）",
        "川辺市、平穏を取り戻す",
        "激しい戦いの末、川辺市に静けさが戻った。\n市民は橋の再建に取りかかっている。",
    });
    // The orders are long: the mission page scrolls.
    m.file().scenario.bytes[16062] = 2;
    m.file().images[0] = riversideBriefingPicture();
    m.file().images[1] = riversideNewsPicture();
    // The west's supply truck is to reach the north town: its goal shows on the overview map.
    UnitRecord& truck = m.file().units[0][6];
    truck.watchBits = 2;
    truck.goalX = 5;
    truck.goalY = 1;
    return m;
}

namespace {

void writeTrainingMaps(const std::filesystem::path& programFolder)
{
    writeFile(programFolder / "tkmap" / "training.vtm", trainingMap(false).bytes());
    writeFile(programFolder / "tkmap" / "training.smp", trainingMap(true).bytes());
    writeFile(programFolder / "tkmap" / "riverside.vts", riversideScenario().bytes());
}

}

MKDATA_GENERATOR("maps_training", writeTrainingMaps);

} // namespace mkdata::maps
