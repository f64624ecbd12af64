// The orders of unit types the weapon list, the production dialog and the production-type editor
// sort by, and the bounded name comparison every list order uses.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class GameState;

// lstrcmpA of two fixed name fields of at most n bytes each; a field without its terminator ends
// at n. Less than 0 when a sorts first.
int compareNameFields(const char* a, const char* b, size_t n);

// Each looks both ids up and answers whether a comes before b. Ties go by the record's opening
// 16-bit number (not the id); the name order has no tie-break. An unknown id sorts after a known
// one, and two unknown ids keep their order.
bool unitTypeLessByClass(const GameState& state, uint32_t a, uint32_t b);
bool unitTypeLessByName(const GameState& state, uint32_t a, uint32_t b);
// By member count.
bool unitTypeLessBySecondKey(const GameState& state, uint32_t a, uint32_t b);
// By member count × member price as a signed 32-bit number.
bool unitTypeLessByCost(const GameState& state, uint32_t a, uint32_t b);

// The unit types a production type allows (filter = its number + 1, producibleFilterOf) or, with 0,
// every available type: no warheads and no variant after its base; during play the unfiltered
// list leaves out the campaign's own types (10000 on). Empty for a filter naming no type.
std::vector<uint32_t> producibleUnitTypes(const GameState& state, int filter);
// By order 0 class, 1 name, 2 member count, 3 cost; any other order leaves the list as it is.
void sortProducibleTypes(const GameState& state, int order, std::vector<uint32_t>& list);
