// Accessors of the rule slots, the listed-hex tables and the scenario's stored pictures.
#include "state/game_state.h"

void GameState::setRuleSlot(int slot, const RuleSlot& source)
{
    if (slot < 0 || slot >= kRuleSlotCount)
        return;
    m_ruleSlots[size_t(slot)] = source;
}

const ListedHex10* GameState::tenByteRecord(int i) const
{
    return i >= 0 && size_t(i) < m_listedHexes10.size() ? &m_listedHexes10[size_t(i)] : nullptr;
}

const ListedHex12* GameState::twelveByteRecord(int i) const
{
    return i >= 0 && size_t(i) < m_listedHexes12.size() ? &m_listedHexes12[size_t(i)] : nullptr;
}

namespace {

std::unique_ptr<swCBitmap> bitmapOf(const uint8_t* image, uint32_t size)
{
    if (!image || !size)
        return nullptr;
    auto bitmap = std::make_unique<swCBitmap>();
    bitmap->bitmapFromPackedDIB({ image, size });
    return bitmap;
}

} // namespace

std::unique_ptr<swCBitmap> GameState::createBriefingBitmap() const { return bitmapOf(m_briefingImage.get(), m_briefingImageSize); }

std::unique_ptr<swCBitmap> GameState::createNewsBitmap() const { return bitmapOf(m_newsImage.get(), m_newsImageSize); }
