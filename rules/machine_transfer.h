// MachineTransfer: the machines a merge or a split moves between two units of one type before the
// command is given, with the fuel, experience and fatigue they would end with. It works on copies of
// the units: the records themselves change only when the rules carry the command out.
#pragma once

#include "state/unit_record.h"

#include <vector>

class GameState;

// Which of the dialog's buttons may be pressed: carry out, one machine to the left-hand unit, one
// to the right-hand unit.
struct TransferButtons {
    bool execute = false;
    bool toLeft = false;
    bool toRight = false;
    bool operator==(const TransferButtons&) const = default;
};

class MachineTransfer {
public:
    virtual ~MachineTransfer() = default;

    // One machine to the left-hand or the right-hand unit; false, changing nothing, when the move is
    // not allowed.
    virtual bool moveLeft() = 0;
    virtual bool moveRight() = 0;
    virtual TransferButtons buttons() const = 0;

    const UnitRecord& left() const { return m_left; }
    const UnitRecord& right() const { return m_right; }
    int leftCount() const;
    // The machines the command carries: the right-hand unit's.
    int rightCount() const;
    // The type's machines, at most ten.
    int maximum() const { return m_maximum; }

protected:
    MachineTransfer(const UnitRecord& left, const UnitRecord& right);

    UnitRecord m_left;
    UnitRecord m_right;
    int m_maximum = 1;
};

// The acting unit (left) gives machines to its partner (right) after moving to the partner's side.
class MergeTransfer : public MachineTransfer {
public:
    // actingCost: the route's fuel to the hex the acting unit moves to; partnerCost: to the partner's hex.
    MergeTransfer(const UnitRecord& acting, const UnitRecord& partner, int actingCost, int partnerCost);

    bool moveLeft() override;
    bool moveRight() override;
    TransferButtons buttons() const override;

private:
    // n machines in the right-hand unit: its own first, then the acting unit's from the front.
    void distribute(int n);
    void preview();

    std::vector<int> m_leftStart;
    std::vector<int> m_rightStart;
    int m_leftFuel = 0, m_rightFuel = 0;
    int m_leftExperience = 0, m_rightExperience = 0;
    int m_leftFatigue = 0, m_rightFatigue = 0;
    int m_fuelDifference = 0;
};

// The unit stays (left) and its split-off part (right) moves on; the part gets the larger half first.
class SplitTransfer : public MachineTransfer {
public:
    // stayCost: the route's fuel to the hex the unit stays on; partCost: to the part's hex.
    SplitTransfer(const UnitRecord& unit, int stayCost, int partCost);

    bool moveLeft() override;
    bool moveRight() override;
    // Both parts keep a machine: a unit of one machine cannot be split.
    TransferButtons buttons() const override;

private:
    void distribute(int n);

    std::vector<int> m_start;
};

// The fuel a route of that cost burns: with rule 19 on, a cost beyond the unit's normal movement
// allowance counts double. A negative cost (no route) burns nothing.
int routeFuelCost(const GameState& state, const UnitRecord& unit, int cost);
