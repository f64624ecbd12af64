// Bounded reads of the preview fields.
#include "dialogs/map_preview_fields.h"

#include "platform/kernel/host.h"

#include <cstring>

namespace {

constexpr size_t kDescription = 16;
constexpr size_t kTitleStyle = 530;
constexpr size_t kTitleShade = 531;
constexpr size_t kDifficulty = 535;
constexpr size_t kTurnLimit = 536;
constexpr size_t kName = 538;
constexpr size_t kNameEnd = 580;

const uint8_t* headerBytes(const MapHeader& header) { return reinterpret_cast<const uint8_t*>(&header); }

} // namespace

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

std::string_view mapDescription(const MapHeader& header) { return boundedText(headerBytes(header) + kDescription, kTitleStyle - kDescription); }
std::string_view mapName(const MapHeader& header) { return boundedText(headerBytes(header) + kName, kNameEnd - kName); }
uint8_t mapTitleStyle(const MapHeader& header) { return headerBytes(header)[kTitleStyle]; }
uint8_t mapTitleShade(const MapHeader& header) { return headerBytes(header)[kTitleShade]; }
uint8_t mapDifficulty(const MapHeader& header) { return headerBytes(header)[kDifficulty]; }

uint16_t mapTurnLimit(const MapHeader& header)
{
    uint16_t value;
    std::memcpy(&value, headerBytes(header) + kTurnLimit, sizeof value);
    return value;
}

std::string_view scenarioNewspaper(const ScenarioBlock& block) { return boundedText(block.bytes, 24); }
std::string_view scenarioHeadline(const ScenarioBlock& block) { return boundedText(block.bytes + 24, 42); }
std::string_view scenarioNews(const ScenarioBlock& block) { return boundedText(block.bytes + 66, 4802); }

std::string_view campaignName(const CampaignRecord& record) { return boundedText(record.name, sizeof record.name); }
std::string_view campaignName(const CampaignBlock& block) { return boundedText(block.name, sizeof block.name); }
