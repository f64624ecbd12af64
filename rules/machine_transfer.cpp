// MachineTransfer: the counters, fuel, experience and fatigue of a merge's or a split's two units.
#include "rules/machine_transfer.h"

#include "rules/merge_split_steps.h"
#include "state/game_state.h"
#include "state/unit_facts.h"

#include <algorithm>

namespace {


std::vector<int> head(const std::vector<int>& counters, int n)
{
    return { counters.begin(), counters.begin() + std::clamp(n, 0, int(counters.size())) };
}

std::vector<int> tail(const std::vector<int>& counters, int n)
{
    return { counters.begin() + std::clamp(n, 0, int(counters.size())), counters.end() };
}

uint16_t fuelLeft(int fuel) { return uint16_t(std::clamp(fuel, 0, 0xFFFF)); }

} // namespace

int routeFuelCost(const GameState& state, const UnitRecord& unit, int cost)
{
    if (cost <= 0)
        return 0;
    const int allowance = unit.type().model[unit.modelIndex()].values[0];
    return state.ruleOn(kRuleFastMovement) && cost > allowance ? 2 * cost : cost;
}

MachineTransfer::MachineTransfer(const UnitRecord& left, const UnitRecord& right)
    : m_left(left)
    , m_right(right)
    , m_maximum(std::clamp<int>(left.type().members, 1, 10))
{
}

int MachineTransfer::leftCount() const { return strengthSlotCount(m_left); }

int MachineTransfer::rightCount() const { return strengthSlotCount(m_right); }

MergeTransfer::MergeTransfer(const UnitRecord& acting, const UnitRecord& partner, int actingCost, int partnerCost)
    : MachineTransfer(acting, partner)
{
    m_left.fuel = fuelLeft(m_left.fuel - actingCost);
    m_fuelDifference = partnerCost - actingCost;
    m_leftStart = filledCounters(m_left);
    m_rightStart = filledCounters(m_right);
    m_leftFuel = m_left.fuel;
    m_rightFuel = m_right.fuel;
    m_leftExperience = m_left.experience;
    m_rightExperience = m_right.experience;
    m_leftFatigue = m_left.fatigue;
    m_rightFatigue = m_right.fatigue;
}

void MergeTransfer::distribute(int n)
{
    const int k = n - int(m_rightStart.size());
    std::vector<int> right = m_rightStart;
    const std::vector<int> given = head(m_leftStart, k);
    right.insert(right.end(), given.begin(), given.end());
    storeCounters(m_right, right);
    storeCounters(m_left, tail(m_leftStart, k));
}

void MergeTransfer::preview()
{
    const int m = rightCount();
    const int r = int(m_rightStart.size());
    const int k = m - r;
    if (m <= 0)
        return;
    m_right.fuel = fuelLeft((r * m_rightFuel + std::max(0, (m_leftFuel - m_fuelDifference) * k)) / m);
    m_right.experience = uint16_t((r * m_rightExperience + k * m_leftExperience) / m);
    m_right.fatigue = uint16_t((r * m_rightFatigue + k * m_leftFatigue) / m);
}

bool MergeTransfer::moveLeft()
{
    if (leftCount() >= maximum() || rightCount() <= int(m_rightStart.size()))
        return false;
    distribute(rightCount() - 1);
    preview();
    return true;
}

bool MergeTransfer::moveRight()
{
    if (rightCount() >= maximum() || leftCount() < 1)
        return false;
    distribute(rightCount() + 1);
    preview();
    return true;
}

TransferButtons MergeTransfer::buttons() const
{
    TransferButtons b;
    b.execute = leftCount() != int(m_leftStart.size());
    b.toLeft = rightCount() > int(m_rightStart.size());
    b.toRight = rightCount() < maximum() && leftCount() >= 1;
    return b;
}

SplitTransfer::SplitTransfer(const UnitRecord& unit, int stayCost, int partCost)
    : MachineTransfer(unit, unit)
{
    m_start = filledCounters(unit);
    m_left.fuel = fuelLeft(m_left.fuel - stayCost);
    m_right = m_left;
    // The part walks the unit's route on to its own hex: the fuel after the stay, plus it, less its own.
    m_right.fuel = fuelLeft(int(unit.fuel) - partCost);
    distribute((int(m_start.size()) + 1) / 2);
}

void SplitTransfer::distribute(int n)
{
    storeCounters(m_right, head(m_start, n));
    storeCounters(m_left, tail(m_start, n));
}

bool SplitTransfer::moveLeft()
{
    if (rightCount() < 2)
        return false;
    distribute(rightCount() - 1);
    return true;
}

bool SplitTransfer::moveRight()
{
    if (leftCount() < 2)
        return false;
    distribute(rightCount() + 1);
    return true;
}

TransferButtons SplitTransfer::buttons() const
{
    TransferButtons b;
    b.execute = leftCount() >= 1 && rightCount() >= 1;
    b.toLeft = rightCount() >= 2;
    b.toRight = leftCount() >= 2;
    return b;
}
