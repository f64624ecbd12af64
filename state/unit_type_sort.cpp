// Unit-type orders by class, name, member count and cost.
#include "state/unit_type_sort.h"

#include "state/game_state.h"

#include <cstring>

int compareNameFields(const char* a, const char* b, size_t n)
{
    // Names are fixed fields that a file may leave unterminated: compare terminated copies.
    char first[64];
    char second[64];
    const size_t length = n < sizeof first ? n : sizeof first - 1;
    const size_t la = strnlen(a, length);
    const size_t lb = strnlen(b, length);
    std::memcpy(first, a, la);
    std::memcpy(second, b, lb);
    first[la] = second[lb] = '\0';
    return lstrcmpA(first, second);
}

namespace {

const UnitTypeRecord* typeOf(const GameState& state, uint32_t id)
{
    return id < uint32_t(kUnitTypeIdMapSize) && state.unitTypeIndex(int(id)) ? &state.unitTypeRecord(int(id)) : nullptr;
}

// Known types first; between two known types the field decides, then the opening number.
template <typename Field>
bool lessBy(const GameState& state, uint32_t a, uint32_t b, Field field)
{
    const UnitTypeRecord* ta = typeOf(state, a);
    const UnitTypeRecord* tb = typeOf(state, b);
    if (!ta || !tb)
        return !tb;
    const auto fa = field(*ta);
    const auto fb = field(*tb);
    if (fa != fb)
        return fa < fb;
    return ta->key < tb->key;
}

} // namespace

bool unitTypeLessByClass(const GameState& state, uint32_t a, uint32_t b)
{
    return lessBy(state, a, b, [](const UnitTypeRecord& t) { return t.unitClass; });
}

bool unitTypeLessByName(const GameState& state, uint32_t a, uint32_t b)
{
    const UnitTypeRecord* ta = typeOf(state, a);
    const UnitTypeRecord* tb = typeOf(state, b);
    if (!ta || !tb)
        return !tb;
    return compareNameFields(ta->name, tb->name, sizeof ta->name) < 0;
}

bool unitTypeLessBySecondKey(const GameState& state, uint32_t a, uint32_t b)
{
    return lessBy(state, a, b, [](const UnitTypeRecord& t) { return t.members; });
}

bool unitTypeLessByCost(const GameState& state, uint32_t a, uint32_t b)
{
    // The product wraps as the 32-bit figure the lists show.
    return lessBy(state, a, b, [](const UnitTypeRecord& t) { return int32_t(uint32_t(t.members) * t.memberPrice); });
}
