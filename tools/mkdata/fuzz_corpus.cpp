// The fuzz targets' seed inputs: small files made by the writers, and cuts of the generated data.
// Written by "mkdata --fuzz-corpus <corpus folder> <program folder>" into <corpus>/<target>/seed-*.
#include "tools/mkdata/fuzz_corpus.h"

#include "lib/file.h"
#include "platform/kernel/host.h"
#include "state/action_history.h"
#include "state/campaign_file.h"
#include "state/production_type_file.h"
#include "state/saved_game.h"
#include "state/user_production_file.h"
#include "tools/mkdata/bmp_writer.h"
#include "tools/mkdata/generator.h"
#include "tools/mkdata/maps_builder.h"

#include <cstring>
#include <fstream>
#include <memory>
#include <numeric>
#include <sstream>
#include <stdexcept>

namespace mkdata {
namespace {

namespace fs = std::filesystem;

// Collects what a writer hands to a file.
class ByteSink : public swCFile {
public:
    DWORD Read(void*, DWORD) override { return 0; }
    DWORD Write(const void* data, DWORD count) override
    {
        bytes.append(static_cast<const char*>(data), count);
        return count;
    }
    DWORD Seek(LONG, int) override { return DWORD(bytes.size()); }

    std::string bytes;
};

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    if (!in)
        throw std::runtime_error("cannot read " + path.string());
    return text.str();
}

// The first lines of a master text file: enough records for every column, and small.
std::string firstLines(const fs::path& path, int lines)
{
    std::string text = readFile(path);
    size_t end = 0;
    for (int i = 0; i < lines && end != std::string::npos; ++i)
        end = text.find('\n', end == 0 ? 0 : end + 1);
    return end == std::string::npos ? text : text.substr(0, end + 1);
}

std::vector<uint8_t> smallMap()
{
    maps::MapBuilder map(6, 5, maps::kPlain);
    map.set(1, 1, maps::kCapital);
    map.set(4, 3, maps::kCity);
    map.line(0, 2, 5, 2, maps::kRoad);
    map.setOwners([](int x, int) { return x < 3 ? 0 : 1; });
    map.country(0, "西", 1, 5000);
    map.country(1, "東", 2, 5000);
    map.title("種", "小さな地図", 1, 10);
    map.unit(0, maps::kInfantry, 1, 2, "歩兵");
    map.unit(1, maps::kTank, 4, 2, "戦車");
    map.place(4, 3, "町", true);
    map.normalRules();
    return map.bytes();
}

std::string historyBytes()
{
    ActionHistoryLog log;
    for (uint16_t kind : { 1, 3, 7 }) {
        HistoryRecord record {};
        record.kind = kind;
        record.turn = 2;
        record.x = 3;
        record.y = 4;
        std::strcpy(record.unit0, "unit");
        log.append(record);
    }
    ByteSink sink;
    log.write(sink);
    return sink.bytes;
}

std::string savedGameBytes()
{
    auto image = std::make_unique<SavedGameImage>();
    image->header.width = 4;
    image->header.height = 3;
    image->turn.turn = 2;
    std::iota(std::begin(image->turn.order), std::end(image->turn.order), uint8_t(0));
    std::iota(std::begin(image->turn.nextOrder), std::end(image->turn.nextOrder), uint8_t(0));
    image->countries[0].controller = 1;
    image->countries[1].controller = 2;
    image->rules.switches[kRuleSearch] = 1;
    image->cells.assign(12, TerrainCell {});
    image->pool.fill();
    BuildingRecord building {};
    building.x = 1;
    building.y = 1;
    building.ownerPlusOne = 1;
    image->buildings.push_back(building);
    UnitRecord unit {};
    unit.x = 2;
    unit.y = 1;
    image->units[0].push_back(unit);
    image->sight[0].assign(image->rowBytes() * 3, 0x05);
    image->sight[1].assign(image->rowBytes() * 3, 0x0A);
    image->sibling = { true, 'h', 3, 0x1234 };
    ByteSink sink;
    writeSavedGameImage(*image, sink);
    return sink.bytes;
}

std::string userProductionBytes(const std::vector<ProductionTypeRecord>& builtin)
{
    std::string bytes(kUserProductionMagic, kUserProductionMagicSize);
    const uint32_t size = sizeof(ProductionTypeRecord);
    bytes.append(reinterpret_cast<const char*>(&size), 4);
    ProductionTypeRecord record {};
    if (!builtin.empty())
        record = builtin.front();
    bytes.append(reinterpret_cast<const char*>(&record), sizeof record);
    const uint32_t none = 0;
    bytes += "VKRWPN01";
    bytes.append(reinterpret_cast<const char*>(&none), 4);
    return bytes;
}

// Link archives of both versions, each member packed by one method.
std::vector<std::string> linkArchives()
{
    auto u32 = [](std::string& to, uint32_t v) { to.append(reinterpret_cast<const char*>(&v), 4); };
    auto magic = [](const char* text) { std::string m(16, '\0'); std::memcpy(m.data(), text, std::strlen(text)); return m; };
    const std::string runs = "AA\x05" "B";
    const std::string words = std::string("\x01\x02\x01\x02\x03\x00", 6);
    const std::string plain = "plain";

    std::string directory = magic("FLINK Ver1.00");
    u32(directory, 3);
    const std::string* members[] = { &runs, &words, &plain };
    uint32_t offset = 20 + 16 * 3;
    const uint32_t unpacked[] = { 6, 6, 5 };
    for (uint32_t i = 0; i < 3; ++i) {
        u32(directory, i < 2 ? i : 9);
        u32(directory, unpacked[i]);
        u32(directory, uint32_t(members[i]->size()));
        u32(directory, offset);
        offset += uint32_t(members[i]->size());
    }
    for (const std::string* member : members)
        directory += *member;

    std::string blocks = magic("FLINK2 ver.00");
    const uint32_t start = 16 + 4 * 2;
    u32(blocks, start);
    u32(blocks, start + 3 + uint32_t(runs.size()) + 3 + uint32_t(plain.size()));
    auto block = [&](const std::string& data, uint8_t method) {
        const uint16_t length = uint16_t(data.size());
        blocks.append(reinterpret_cast<const char*>(&length), 2);
        blocks += char(method);
        blocks += data;
    };
    block(runs, 0);
    block(plain, 9);
    return { directory, blocks };
}

std::string tinySheet()
{
    Palette palette;
    palette.index({ 0, 0, 0 });
    const uint8_t green = palette.index({ 20, 160, 40 });
    Canvas canvas(64 * 2, 8 * 2, 0);
    canvas.fillRect(0, 0, 2, 2, green);
    std::vector<unsigned char> bytes = encodeBmp8(canvas, palette);
    return std::string(bytes.begin(), bytes.end());
}

} // namespace

void writeFuzzCorpus(const fs::path& corpus, const fs::path& program)
{
    auto seed = [&](const char* target, const std::string& name, const std::string& bytes) {
        writeFile(corpus / target / ("seed-" + name), bytes);
    };
    std::vector<uint8_t> map = smallMap();
    seed("map_reader", "small.vtm", std::string(map.begin(), map.end()));
    seed("map_reader", "training.vtm", readFile(program / "tkmap" / "training.vtm"));

    CampaignRecord record {};
    std::strcpy(record.name, "seed");
    record.mapCount = 2;
    std::vector<uint8_t> campaign = writeCampaignBytes(record, { map, map });
    seed("campaign", "two-maps.vtc", std::string(campaign.begin(), campaign.end()));

    const char* const masters[] = { "land.dat", "warm.dat", "weapon.dat", "tkrule/class0.rul", "anthem.lst" };
    for (int i = 0; i < 5; ++i)
        seed("master_text", fs::path(masters[i]).filename().string(), std::string(1, char(i)) + firstLines(program / masters[i], 12));

    seed("action_history", "three-records", historyBytes());
    seed("saved_game", "small.dat", savedGameBytes());

    std::string types = readFile(program / "sproducttype.dat");
    seed("production_type", "sproducttype.dat", types);
    std::vector<ProductionTypeRecord> builtin;
    readProductionTypeFile(reinterpret_cast<const uint8_t*>(types.data()), types.size(), builtin);
    seed("user_production", "one.upd", userProductionBytes(builtin));

    std::vector<std::string> archives = linkArchives();
    seed("file_link", "directory", archives[0]);
    seed("file_link", "blocks", archives[1]);

    seed("ini_document", "settings.ini",
        "[Environment]\r\nSimpleMode=0\r\nSeVolume=-700\r\n; note\r\n\r\n[WindowInfo]\r\nLeft=10\r\n");
    seed("bmp", "hq1.bmp", readFile(program / "tkbmp" / "hq1.bmp"));
    seed("bmp", "tiny-sheet.bmp", tinySheet());
    seed("map_sheet", "tiny-sheet.bmp", tinySheet());
    seed("map_sheet", "unit16.bmp", readFile(program / "tkbmp" / "unit16.bmp"));
    seed("wav", "dsse00.wav", readFile(program / "tkwave" / "dsse00.wav"));
    seed("midi", "march.mid", readFile(program / "tkbgm" / "march.mid"));

    seed("battle_unit_data", "unitdata.dat", readFile(program / "tklc" / "unitdata.dat"));
    // The first rows of a scene shape: whole rectangles, and a fraction of the file's size.
    seed("scene_shape", "bg_mask1", readFile(program / "tklc" / "bg_mask1.dat").substr(0, 16 * 24));
    // The smallest unit sprite; the effect strips run to hundreds of kilobytes.
    seed("sprite", "1005.dat", readFile(program / "tklc" / "1005.dat"));
    // A briefing as a scenario holds it: several paragraphs, a word longer than a line, double-byte text.
    seed("briefing_text", "briefing",
        platform::utf8ToCp932("作戦目標\r\n北の首都を十ターン以内に占領せよ。\r\n\r\n"
                              "Supply lines run along the river; the bridges decide the campaign.\r\n"
                              "AVeryLongWordThatDoesNotFitOnOneLineOfTheNewsPageAtAll\r\n"
                              "敵は山岳に戦車を隠している。"));
}

} // namespace mkdata
