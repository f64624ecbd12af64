// The camp relation rules: alliance groups, mirrored pacts and the civilians' group.
#include "dialogs/camp_relations.h"

#include <bit>

namespace {

constexpr int kCountries = 8;
constexpr int kSlots = 4;

constexpr unsigned bitOf(int c) { return 1u << c; }

} // namespace

CampRelations::CampRelations(CampView& view, int initialParticipants, bool neutralUnits)
    : m_view(view)
    , m_initialParticipants(initialParticipants)
    , m_neutralUnits(neutralUnits)
{
}

bool CampRelations::participant(int country) const
{
    return country >= 0 && country < kCountries && m_view.record(country).controller != 0;
}

int CampRelations::participantCount() const
{
    int n = 0;
    for (int c = 0; c < kCountries; ++c)
        n += participant(c) ? 1 : 0;
    return n;
}

unsigned CampRelations::shownAllianceMask(int country) const
{
    const int slot = m_view.slotOf(country);
    if (slot < 0)
        return m_view.record(country).allianceMask;
    unsigned mask = 0;
    for (int k = 0; k < kCountries; ++k)
        if (m_view.box(CampBox::Alliance, slot, k))
            mask |= bitOf(k);
    return mask;
}

bool CampRelations::shownCivilianBit(int country) const
{
    const int slot = m_view.slotOf(country);
    return slot >= 0 ? m_view.box(CampBox::Civilian, slot, 0) : (m_view.civilianMask() & bitOf(country)) != 0;
}

unsigned CampRelations::shownCivilianMask() const
{
    unsigned mask = 0;
    for (int c = 0; c < kCountries; ++c)
        if (shownCivilianBit(c))
            mask |= bitOf(c);
    return mask;
}

bool CampRelations::pactAllowed(int a, int b) const
{
    if (a == b || !participant(a) || !participant(b))
        return false;
    if (const int slot = m_view.slotOf(a); slot >= 0)
        return !m_view.box(CampBox::Alliance, slot, b);
    if (const int slot = m_view.slotOf(b); slot >= 0)
        return !m_view.box(CampBox::Alliance, slot, a);
    return (m_view.record(a).pactMask & bitOf(b)) != 0;
}

void CampRelations::updateRelationEnables()
{
    const int n = participantCount();
    for (int slot = 0; slot < kSlots; ++slot) {
        const int c = m_view.countryOf(slot);
        if (c < 0)
            continue;
        for (int k = 0; k < kCountries; ++k) {
            // With two countries in play no alliance can be changed.
            m_view.enableBox(CampBox::Alliance, slot, k, c != k && participant(c) && participant(k) && n > 2);
            const bool pact = pactAllowed(c, k);
            m_view.enableBox(CampBox::Pact, slot, k, pact);
            if (!pact)
                m_view.setBox(CampBox::Pact, slot, k, false);
        }
        m_view.enableBox(CampBox::Civilian, slot, 0, participant(c) && m_neutralUnits);
    }
}

void CampRelations::writeAllianceMasks(const unsigned (&masks)[8])
{
    for (int c = 0; c < kCountries; ++c) {
        const int slot = m_view.slotOf(c);
        if (slot < 0) {
            m_view.record(c).allianceMask = uint8_t(masks[c]);
            continue;
        }
        for (int k = 0; k < kCountries; ++k)
            m_view.setBox(CampBox::Alliance, slot, k, (masks[c] & bitOf(k)) != 0);
    }
}

void CampRelations::onAllianceClicked(int slot, int k)
{
    const int c = m_view.countryOf(slot);
    if (c < 0 || k < 0 || k >= kCountries)
        return;
    unsigned m[kCountries];
    for (int i = 0; i < kCountries; ++i)
        m[i] = shownAllianceMask(i);
    if (m_view.box(CampBox::Alliance, slot, k)) {
        unsigned group = m[c] | m[k];
        // One alliance of everybody would leave nobody to fight: the first other member leaves.
        if (std::popcount(group) == m_initialParticipants) {
            for (int i = 0; i < kCountries; ++i) {
                if ((group & bitOf(i)) && i != c && i != k) {
                    m[i] = bitOf(i);
                    group &= ~bitOf(i);
                    break;
                }
            }
        }
        for (int i = 0; i < kCountries; ++i)
            if (group & bitOf(i))
                m[i] = group;
    } else {
        m[k] = bitOf(k);
        for (int i = 0; i < kCountries; ++i)
            if (i != c && (m[c] & bitOf(i)))
                m[i] = m[c];
    }
    writeAllianceMasks(m);
    // Allies keep no pacts: every pact inside an alliance ends.
    for (int i = 0; i < kCountries; ++i) {
        const int shown = m_view.slotOf(i);
        for (int j = 0; j < kCountries; ++j) {
            const bool allowed = pactAllowed(i, j) && !(m[i] & bitOf(j));
            if (shown >= 0) {
                m_view.enableBox(CampBox::Pact, shown, j, allowed);
                if (!allowed)
                    m_view.setBox(CampBox::Pact, shown, j, false);
            } else if (!allowed) {
                m_view.record(i).pactMask &= uint8_t(~bitOf(j));
            }
        }
    }
    civilianGroupRule();
}

void CampRelations::onPactClicked(int slot, int k)
{
    const int c = m_view.countryOf(slot);
    if (c < 0 || k < 0 || k >= kCountries)
        return;
    const bool on = m_view.box(CampBox::Pact, slot, k);
    if (const int other = m_view.slotOf(k); other >= 0) {
        m_view.setBox(CampBox::Pact, other, c, on);
        return;
    }
    uint8_t& mask = m_view.record(k).pactMask;
    mask = on ? uint8_t(mask | bitOf(c)) : uint8_t(mask & ~bitOf(c));
}

void CampRelations::onCivilianClicked(int slot)
{
    const int c = m_view.countryOf(slot);
    if (c < 0 || !m_neutralUnits)
        return;
    int target = c;
    if (!m_view.box(CampBox::Civilian, slot, 0)) {
        // The civilians move to the first participant outside c's alliance; with none they stay.
        for (int i = 0; i < kCountries; ++i) {
            if (participant(i) && !m_view.box(CampBox::Alliance, slot, i)) {
                target = i;
                break;
            }
        }
    }
    sideCiviliansWith(target);
}

void CampRelations::civilianGroupRule()
{
    if (!m_neutralUnits)
        return;
    int target = -1;
    for (int i = 0; i < kCountries && target < 0; ++i)
        if (shownCivilianBit(i))
            target = i;
    for (int i = 0; i < kCountries && target < 0; ++i)
        if (participant(i))
            target = i;
    if (target >= 0)
        sideCiviliansWith(target);
}

void CampRelations::sideCiviliansWith(int target)
{
    const unsigned group = shownAllianceMask(target);
    uint8_t& neutral = m_view.civilianMask();
    for (int i = 0; i < kCountries; ++i) {
        const bool on = (group & bitOf(i)) != 0;
        if (const int slot = m_view.slotOf(i); slot >= 0)
            m_view.setBox(CampBox::Civilian, slot, 0, on);
        else
            neutral = on ? uint8_t(neutral | bitOf(i)) : uint8_t(neutral & ~bitOf(i));
    }
}

void CampRelations::onCountryLeft()
{
    unsigned m[kCountries];
    for (int i = 0; i < kCountries; ++i)
        m[i] = shownAllianceMask(i);
    int first = -1;
    for (int i = 0; i < kCountries && first < 0; ++i)
        if (participant(i))
            first = i;
    const int n = participantCount();
    // One alliance covering everybody still in play would leave no enemy: its first member leaves.
    if (first < 0 || n < 2 || std::popcount(m[first]) != n)
        return;
    m[first] = bitOf(first);
    for (int i = 0; i < kCountries; ++i)
        if (i != first)
            m[i] &= ~bitOf(first);
    writeAllianceMasks(m);
}
