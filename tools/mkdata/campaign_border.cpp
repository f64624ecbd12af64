// The two-stage sample campaign: a pass taken on the first map, then a lake fortress on the second,
// with the first map's survivors landing on the second map's deployment hexes.
#include "tools/mkdata/maps_builder.h"

#include "tools/mkdata/generator.h"

#include "state/campaign_file.h"

namespace mkdata::maps {
namespace {

const std::vector<std::string> kPassRows = {
    "MMhh,,,FhMMMMM",
    "MC=,,FF,hhMvMM",
    "h,=p,,,F,,hhhM",
    ",t===,,,,=T,hM",
    ",,,,==b==,,,hh",
    "F,,,,,r,,,,F,M",
    "FF,,,rr,,tFFhM",
    "hF,,,r,,,,,,hM",
    "MhF,,r,,FFhhMM",
    "MMMhhrhhhMMMMM",
};

const std::vector<std::string> kLakeRows = {
    "MMh,,,FF,,,hMM",
    "hC=,,,,F,,,,hM",
    "hp==,,sss,,,,h",
    ",,,=,s~~~s,c,,",
    "F,,==s~~~s==T,",
    "F,,,,s~~~s,,,h",
    ",,t,,,sss,,,,h",
    "h,,,,,,,,,,,hM",
    "MhFF,,,,,FFhMM",
    "MMMhhhhhhhMMMM",
};

MapBuilder passMap()
{
    MapBuilder m(kPassRows);
    m.setOwners([](int x, int) { return x <= 4 ? 0 : x >= 9 ? 1 : -1; });
    m.country(0, "蒼嶺連邦", 1, 1500);
    m.country(1, "緋砂王国", 2, 1000);
    m.title("峠の前哨戦", "国境の峠にある砦を奪う、戦役の第一幕です。\r\n生き残った部隊は次の戦場へ引き継がれます。", 1, 20);
    m.normalRules();
    m.unit(0, kInfantry, 2, 2, "第1歩兵連隊");
    m.unit(0, kInfantry, 1, 3, "第2歩兵連隊");
    m.unit(0, kTank, 3, 3, "第1戦車大隊");
    m.unit(0, kArtillery, 2, 4, "第1砲兵大隊");
    m.unit(0, kSupplyTruck, 1, 2, "第1補給隊");
    // A fighter of two armament sets waits in the airfield that sells them.
    const int fighter = m.unit(0, kFighter, 3, 2, "第1飛行隊");
    m.file().units[0][size_t(fighter)].flags = kUnitStored;
    m.unit(1, kInfantry, 10, 3, "峠砦守備隊");
    m.unit(1, kInfantry, 9, 6, "南村守備隊");
    m.unit(1, kTank, 11, 4, "緋砂第3戦車中隊");
    m.place(10, 3, "峠の砦", true);
    m.place(6, 4, "石橋", false);
    // The attacker wins by taking the fortress; the defender by holding out to the turn limit.
    m.winByPlaces(0, 2);
    m.atTurnLimit(0, kFallsShort);
    m.atTurnLimit(1, kHoldsOut);
    return m;
}

MapBuilder lakeMap()
{
    MapBuilder m(kLakeRows);
    m.setOwners([](int x, int) { return x <= 4 ? 0 : x >= 10 ? 1 : -1; });
    m.country(0, "蒼嶺連邦", 1, 1500);
    m.country(1, "緋砂王国", 2, 2000);
    m.title("湖畔の決戦", "湖の東にそびえる要塞を落とす、戦役の最終幕です。\r\n前の戦場から来た部隊を首都の周りに配置できます。", 2, 25);
    m.normalRules();
    // The carried-over units land on the land hexes round the capital; aircraft need the airfield.
    for (int y = 0; y <= 3; ++y)
        for (int x = 0; x <= 4; ++x)
            if (!isWater(m.at(x, y)) && !isBuilding(m.at(x, y)) && m.at(x, y) != kMountain)
                m.file().cellAt(x, y).markBit0 = 1;
    m.unit(0, kInfantry, 2, 6, "湖畔警備隊");
    m.unit(1, kInfantry, 12, 4, "要塞守備隊");
    m.unit(1, kInfantry, 11, 3, "湖東市守備隊");
    m.unit(1, kTank, 10, 4, "緋砂第1戦車大隊");
    m.unit(1, kArtillery, 12, 5, "緋砂第2砲兵大隊");
    m.place(12, 4, "湖東要塞", true);
    m.place(11, 3, "湖東市", false);
    // The attacker wins by taking the fortress; the defender by holding out to the turn limit.
    m.winByPlaces(0, 2);
    m.atTurnLimit(0, kFallsShort);
    m.atTurnLimit(1, kHoldsOut);
    m.briefing({
        "北辺日報",
        "峠の砦、連邦の手に",
        "国境の峠をめぐる戦いは蒼嶺連邦の勝利に終わった。\n緋砂王国は湖東要塞に兵を集めている。",
        "作戦名：湖上の槌",
        "司令官、峠を越えた部隊は首都に集結した。\n湖を回り込み、湖東要塞を攻め落とせ。",
        "湖東要塞を占領せよ。",
        "蒼嶺連邦（西岸）\n緋砂王国（東岸）",
        "北辺に平和が戻る",
        "湖東要塞の陥落により、北辺の戦いは終わりを告げた。",
    });
    return m;
}

CampaignRecord borderRecord()
{
    CampaignRecord record {};
    putText(reinterpret_cast<uint8_t*>(record.name), sizeof record.name, "北辺戦役");
    record.experienceDivisor = 2;
    record.mapCount = 2;
    // Stage 1: a victory goes on to map 1, an undecided end replays the pass, a defeat ends it all.
    uint8_t* first = record.stageRows[0];
    first[0] = kCampaignGoToMap;
    first[1] = kCampaignRepeatMap;
    first[2] = kCampaignEnds;
    first[kStageRowTargetOffset] = 1;
    uint8_t* last = record.stageRows[1];
    last[0] = last[1] = last[2] = kCampaignEnds;
    return record;
}

void writeBorderCampaign(const std::filesystem::path& programFolder)
{
    writeFile(programFolder / "tkmap" / "border.vtc", writeCampaignBytes(borderRecord(), {passMap().bytes(), lakeMap().bytes()}));
}

}

MKDATA_GENERATOR("maps_campaign", writeBorderCampaign);

} // namespace mkdata::maps
