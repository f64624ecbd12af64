// Interception during a move: the interceptors that cover a moving unit, their attacks, the units
// that intercepted during this action, and the computer player's reach test.
#pragma once

#include "rules/hex_scan.h"
#include "state/hex_cells.h"

#include <cstdint>
#include <vector>

class GameState;

// Enemy units of the side's tables whose reach against the mover covers the scan's centre, that may
// still act and have not intercepted during this action; each as side | index << 16, in ring order.
class InterceptionCandidatesScan : public HexScan {
public:
    InterceptionCandidatesScan(GameState& state, int side, int target_class, int domain);

    const std::vector<uint32_t>& candidates() const { return m_candidates; }

protected:
    void begin() override;
    void visit(int x, int y) override;

private:
    int m_side;
    int m_targetClass;
    int m_domain;
    std::vector<uint32_t> m_candidates;
    // Reused by every visit of the wide search.
    std::vector<UnitRef> m_refs;
};

// Unit (acting side, index) is moving, or in the missile phase that side's missile; appends every
// enemy interceptor covering it. True when it appended any.
bool findInterceptors(GameState& state, int index, std::vector<uint32_t>& list);
// Each interceptor of the list attacks unit (side, index) in turn until the mover has no members.
// Mode is the command code of the move (1: an attack follows, whose engagement is kept up to date);
// 0 for a missile.
void resolveInterceptions(GameState& state, int side, int index, int mode, const std::vector<uint32_t>& list);
// findInterceptors, then resolveInterceptions when it found any.
void interceptAt(GameState& state, int side, int index, int mode);

void noteInterceptor(GameState& state, int side, int index);
bool hasIntercepted(GameState& state, int side, int index);

// Whether the unit reaches a target of the class at the distance: its type's range for the layer
// and its best direct weapon both reach that far; at distance 1 it also needs a direct-fire weapon.
bool hasActionCount(GameState& state, int side, int index, int distance, int layer, int target_class);
