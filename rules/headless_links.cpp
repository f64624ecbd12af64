// The headless neighbours' records and answers.
#include "rules/headless_links.h"

#include "state/building_record.h"

std::vector<LinkCall> LinkRecorder::calls() const
{
    std::lock_guard lock(m_lock);
    return { m_calls.begin(), m_calls.end() };
}

std::vector<LinkCall> LinkRecorder::callsOf(const std::string& what) const
{
    std::lock_guard lock(m_lock);
    std::vector<LinkCall> out;
    for (const LinkCall& call : m_calls)
        if (call.what == what)
            out.push_back(call);
    return out;
}

uint64_t LinkRecorder::callCount() const
{
    std::lock_guard lock(m_lock);
    return m_count;
}

void LinkRecorder::clear()
{
    std::lock_guard lock(m_lock);
    m_calls.clear();
    m_count = 0;
}

void LinkRecorder::record(std::string what, std::vector<int64_t> args)
{
    std::lock_guard lock(m_lock);
    if (m_calls.size() == kKeptCalls)
        m_calls.pop_front();
    m_calls.push_back({ std::move(what), std::move(args) });
    ++m_count;
}

std::vector<std::pair<std::string, std::string>> HeadlessMainWindow::messages() const
{
    std::lock_guard lock(m_messageLock);
    return { m_messages.begin(), m_messages.end() };
}

void HeadlessMainWindow::messageBox(const std::string& text, const std::string& caption)
{
    {
        std::lock_guard lock(m_messageLock);
        if (m_messages.size() == kKeptCalls)
            m_messages.pop_front();
        m_messages.emplace_back(text, caption);
    }
    record("messageBox");
}

void HeadlessMainWindow::askReplenish(ReplenishOffer& offer)
{
    offer.acceptReplenish = answers.acceptReplenish ? 1 : 0;
    offer.acceptRepair = answers.acceptRepair ? 1 : 0;
    record("askReplenish", { offer.country, offer.unitIndex, offer.counters, offer.repair, offer.free });
}

bool HeadlessMainWindow::askProductionOrders()
{
    record("askProductionOrders");
    return answers.produce;
}

void HeadlessMapWindow::animateLevelChange(const LevelChange& c)
{
    record("animateLevelChange", { c.up, c.side, c.index, c.x, c.y });
}

int HeadlessDialogs::chooseWeapon(CombatPair&, int flag, WeaponChoiceMode mode)
{
    record("chooseWeapon", { flag, int(mode) });
    return answers.weapon;
}

void HeadlessDialogs::showOccupationResult(const BuildingRecord& after, const BuildingRecord& before)
{
    record("showOccupationResult", { after.x, after.y, before.occupationDurability, after.occupationDurability });
}

void HeadlessDialogs::showBuildingResult(BuildingResult kind, const BuildingRecord& after, const BuildingRecord&)
{
    record("showBuildingResult", { int(kind), after.x, after.y });
}

void HeadlessDialogs::showStructureResult(BuildingResult kind, int terrain_kind, int durability, int old_durability)
{
    record("showStructureResult", { int(kind), terrain_kind, durability, old_durability });
}

HeadlessMainWindow& headlessMainWindow()
{
    static HeadlessMainWindow link;
    return link;
}

HeadlessMapWindow& headlessMapWindow()
{
    static HeadlessMapWindow link;
    return link;
}

HeadlessDialogs& headlessDialogs()
{
    static HeadlessDialogs link;
    return link;
}

HeadlessBattle& headlessBattle()
{
    static HeadlessBattle link;
    return link;
}
