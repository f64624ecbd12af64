// Bounded reads of the preview fields.
#include "dialogs/map_preview_fields.h"

#include "platform/kernel/host.h"

#include <cstring>

std::string_view boundedText(const void* p, size_t limit)
{
    const char* text = static_cast<const char*>(p);
    return std::string_view(text, strnlen(text, limit));
}

std::string cutText(std::string_view text, size_t limit)
{
    size_t end = 0;
    while (end < text.size()) {
        const size_t step = platform::isCp932LeadByte(uint8_t(text[end])) ? 2 : 1;
        if (end + step > limit || end + step > text.size())
            break;
        end += step;
    }
    return std::string(text.substr(0, end));
}

std::string_view mapDescription(const MapHeader& header) { return boundedText(header.description, sizeof header.description); }
std::string_view mapName(const MapHeader& header) { return boundedText(header.name, sizeof header.name); }
std::string mapSizeFigure(const MapHeader& header) { return std::to_string(header.width) + "x" + std::to_string(header.height); }

std::string_view scenarioNewspaper(const ScenarioBlock& block) { return boundedText(block.bytes, 24); }
std::string_view scenarioHeadline(const ScenarioBlock& block) { return boundedText(block.bytes + 24, 42); }
std::string_view scenarioNews(const ScenarioBlock& block) { return boundedText(block.bytes + 66, 4802); }

std::string_view campaignName(const CampaignRecord& record) { return boundedText(record.name, sizeof record.name); }
std::string_view campaignName(const CampaignBlock& block) { return boundedText(block.name, sizeof block.name); }
