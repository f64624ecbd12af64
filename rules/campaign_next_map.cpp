// loadNextCampaignMap: the campaign file is checked against the one the campaign began with.
#include "rules/campaign_next_map.h"

#include "platform/kernel/host.h"
#include "rules/dialog_link.h"
#include "rules/links.h"
#include "rules/main_window_link.h"
#include "rules/play.h"
#include "state/campaign_file.h"
#include "state/campaign_progress.h"
#include "state/game_state.h"
#include "state/sound_codes.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace {


bool fail(GameState& state)
{
    char path[sizeof(CampaignBlock::filePath) + 1] = {};
    std::memcpy(path, state.campaignBlock().filePath, sizeof(CampaignBlock::filePath));
    std::string text = platform::utf8ToCp932("キャンペーンマップファイルが存在しないため、中止します。\n") + path;
    mainWindowLink().messageBox(text, platform::utf8ToCp932("中止"));
    return false;
}

bool loadStageMap(GameState& state, const char* path, int index)
{
    uint32_t size = campaignEntrySize(path, index);
    if (size == 0)
        return false;
    std::vector<uint8_t> image(size);
    CampaignReadTargets targets;
    targets.maps[size_t(index)] = image.data();
    targets.sizes[size_t(index)] = size;
    return CampaignReader().read(targets, path) == 1 && state.loadMapImage(image.data(), image.size());
}

} // namespace

void setCountryMusic(GameState& state)
{
    const auto& music = state.musicNames();
    for (int c = 0; c < kCountryCount; ++c) {
        CountryRecord& country = state.country(c);
        if (!country.takesPart() || country.anthemCode < tune::kMusicListBase)
            continue;
        char (&name)[260] = state.turnBlock().anthemFiles[c];
        size_t entry = size_t(country.anthemCode - tune::kMusicListBase);
        if (entry >= music.size()) {
            country.anthemCode = 0;
            std::memset(name, 0, sizeof name);
            continue;
        }
        std::snprintf(name, sizeof name, "%s", music[entry].c_str());
    }
}

bool loadNextCampaignMap(GameState& state)
{
    state.resetMapPart();
    CampaignBlock& block = state.campaignBlock();
    char path[sizeof block.filePath + 1] = {};
    std::memcpy(path, block.filePath, sizeof block.filePath);
    uint32_t low = 0, high = 0;
    if (!campaignFileTime(path, low, high) || low != block.fileTimeLow || high != block.fileTimeHigh)
        return fail(state);
    int index = state.nextCampaignStage();
    if (index < 0 || index >= kCampaignMapCount)
        return fail(state);
    block.currentStage = uint8_t(index + 1);
    if (!loadStageMap(state, path, index))
        return fail(state);
    if (state.hasScenarioText())
        dialogLink().showBriefing();
    else
        dialogLink().showMapSettings();
    setCountryMusic(state);
    startPlay(state);
    mainWindowLink().setTitle();
    return true;
}
