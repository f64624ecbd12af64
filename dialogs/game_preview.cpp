// Filling the preview buffers from files.
#include "dialogs/game_preview.h"

#include "dialogs/map_preview_fields.h"
#include "lib/file_fault.h"
#include "platform/kernel/host.h"
#include "platform/windows.h"
#include "state/campaign_file.h"
#include "state/map_file.h"
#include "state/name_tables.h"
#include "state/saved_game_file.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

bool takeScenario(std::span<const uint8_t> image, PreviewBuffers& out)
{
    auto file = std::make_unique<ScenarioFile>();
    if (readScenarioBytes(image, *file))
        return false;
    out.scenario = file->scenario;
    out.header = file->header;
    out.countries = file->countries;
    const size_t hexes = std::min<size_t>(file->cells.size(), kMaxMapCells);
    std::copy_n(file->cells.begin(), hexes, out.cells.get());
    return true;
}

} // namespace

PreviewBuffers::PreviewBuffers()
    : cells(std::make_unique<FileMapCell[]>(kMaxMapCells))
{
}

void PreviewBuffers::clearMap()
{
    scenario = {};
    header = {};
    std::memset(cells.get(), 0, sizeof(FileMapCell) * kMaxMapCells);
}

bool readMapPreview(const std::string& path, PreviewBuffers& out)
{
    // Capped as the map reader caps it: a file it would refuse is not previewed (nor read whole).
    std::vector<uint8_t> bytes;
    return readFileBytes(path.c_str(), kMaxMapFileBytes, bytes) == FileFault::None && takeScenario(bytes, out);
}

bool readCampaignPreview(const std::string& path, PreviewBuffers& out)
{
    out.campaign = {};
    std::vector<uint8_t> map;
    return !readCampaignRecord(path.c_str(), out.campaign) && !readCampaignMap(path.c_str(), 0, map) && takeScenario(map, out);
}

bool readSavedGamePreview(const std::string& path, PreviewBuffers& out)
{
    SaveFileInfo info;
    info.campaign = &out.campaignBlock;
    info.header = &out.header;
    info.turn = &out.turn;
    info.cells = out.cells.get();
    return readSaveFileInfo(path.c_str(), info);
}

std::optional<EntryTitle> readEntryTitle(const std::string& path, bool campaign)
{
    EntryTitle title;
    if (campaign) {
        CampaignRecord record {};
        if (readCampaignRecord(path.c_str(), record))
            return std::nullopt;
        title.style = record.titleStyle;
        title.shade = record.titleShade;
        title.text = std::string(campaignName(record));
        return title;
    }
    MapHeader header {};
    if (readScenarioHeader(path.c_str(), header))
        return std::nullopt;
    title.style = header.titleStyle;
    title.shade = header.titleShade;
    title.text = std::string(mapName(header));
    return title;
}

std::string savedGameDataText(const std::string& path, const TurnBlock& turn)
{
    SYSTEMTIME time {};
    WIN32_FIND_DATAA found {};
    HANDLE find = FindFirstFileA(path.c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        FindClose(find);
        FILETIME local {};
        FileTimeToLocalFileTime(&found.ftLastWriteTime, &local);
        FileTimeToSystemTime(&local, &time);
    }
    char date[32];
    char clock[32];
    std::snprintf(date, sizeof date, "%02d/%02d/%02d", time.wYear % 100, time.wMonth, time.wDay);
    std::snprintf(clock, sizeof clock, "%02d:%02d:%02d", time.wHour, time.wMinute, time.wSecond);
    const char* side = turn.currentCountry < 8 ? playerColourName(turn.currentCountry) : "";
    static const std::string format = platform::utf8ToCp932("日　付：%s\r\n時　間：%s\r\nターン：%d\r\n担　当：%s");
    char text[256];
    std::snprintf(text, sizeof text, format.c_str(), date, clock, int(turn.turn), side);
    return text;
}
