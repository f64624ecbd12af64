// The fields of a map header, scenario block and campaign record that the map previews show, read
// within their bounds (texts from files may lack their terminator).
#pragma once

#include "state/campaign_block.h"
#include "state/map_header.h"
#include "state/scenario_block.h"

#include <cstdint>
#include <string>
#include <string_view>

// The text at p up to its terminator or limit bytes, whichever comes first.
std::string_view boundedText(const void* p, size_t limit);
// At most limit bytes of text, never half of a double-byte character.
std::string cutText(std::string_view text, size_t limit);

std::string_view mapDescription(const MapHeader& header);
std::string_view mapName(const MapHeader& header);
// The map's size as the previews show it: "<width>x<height>".
std::string mapSizeFigure(const MapHeader& header);

// Scenario block texts: the newspaper name (0), the headline (24) and the news text (66).
std::string_view scenarioNewspaper(const ScenarioBlock& block);
std::string_view scenarioHeadline(const ScenarioBlock& block);
std::string_view scenarioNews(const ScenarioBlock& block);

std::string_view campaignName(const CampaignRecord& record);
std::string_view campaignName(const CampaignBlock& block);
