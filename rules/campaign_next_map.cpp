// loadNextCampaignMap: the next map is read and checked before the stage that ended is cleared.
#include "rules/campaign_next_map.h"

#include "platform/kernel/host.h"
#include "rules/dialog_link.h"
#include "rules/links.h"
#include "rules/main_window_link.h"
#include "rules/play.h"
#include "state/campaign_progress.h"
#include "state/game_state.h"
#include "state/sound_codes.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

// Tells why the campaign cannot go on; the stage just played stays as it is, to be saved.
bool halt(GameState& state, const NextCampaignMap& next)
{
    const FileRefusal& why = state.mapRefusal();
    std::string text;
    if (next.changed)
        text = platform::utf8ToCp932("キャンペーンマップファイルの内容が開始時と異なるため、中止します。\n") + next.path;
    else if (why.fault == FileFault::Missing)
        text = platform::utf8ToCp932("キャンペーンマップファイルが存在しないため、中止します。\n") + next.path;
    else
        text = platform::utf8ToCp932("キャンペーンマップファイルを読み込めないため、中止します。\n") + next.path
            + platform::utf8ToCp932("\n理由: ") + why.text();
    mainWindowLink().messageBox(text, platform::utf8ToCp932("中止"));
    return false;
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
    // Everything is read and checked before the stage that ended is cleared.
    const int index = state.nextCampaignStage();
    NextCampaignMap next = stageNextCampaignMap(state, index);
    if (!next.map || !state.commitStaged(std::move(next.map)))
        return halt(state, next);
    state.campaignBlock().currentStage = uint8_t(index + 1);
    if (state.hasScenarioText())
        dialogLink().showBriefing();
    else
        dialogLink().showMapSettings();
    setCountryMusic(state);
    startPlay(state);
    mainWindowLink().setTitle();
    return true;
}
