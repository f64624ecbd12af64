// The small two-country training map, its simple-mode copy, and the riverside scenario drawn on it.
#include "tools/mkdata/maps_builder.h"

#include "tools/mkdata/generator.h"

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
        "司令官、わが軍は西岸に展開を終えた。\n"
        "敵より先に川辺市と北の町を押さえ、橋を守り抜け。",
        "川辺市・北町・東町をすべて占領せよ。",
        "蒼嶺連邦（西岸）\n緋砂王国（東岸）\n川辺市守備隊（中立）",
        "川辺市、平穏を取り戻す",
        "激しい戦いの末、川辺市に静けさが戻った。\n市民は橋の再建に取りかかっている。",
    });
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
