// Keeping where every unit record stands, from the records touched since the last look.
#include "rules/unit_places.h"

#include <algorithm>

void UnitPlaces::place(SidePlaces& side, uint32_t index, int32_t now)
{
    int32_t& kept = side.places[index];
    if (kept == now)
        return;
    if (kept != kUnfiled)
        side.tiles.remove(index, kept & 0xFF, kept >> 8);
    kept = now;
    if (now != kUnfiled)
        side.tiles.add(index, now & 0xFF, now >> 8);
}

void UnitPlaces::refreshSide(const GameState& state, int side, bool every)
{
    SidePlaces& places = m_sides[size_t(side)];
    const UnitRecord* table = state.unitTable(side);
    const size_t count = table ? std::min<size_t>(state.unitCount(side), kUnitTableSize) : 0;
    const UnitTouches& touches = state.unitTouches();
    every = every || touches.tableTouchedAfter(side, m_look);
    const size_t filed = places.filed;
    places.filed = count;
    auto take = [&](size_t i) { place(places, uint32_t(i), int32_t(table[i].x | table[i].y << 8)); };
    // Records dropped from the count, and records newly counted.
    for (size_t i = count; i < filed; ++i)
        place(places, uint32_t(i), kUnfiled);
    for (size_t i = filed; i < count; ++i)
        take(i);
    const size_t both = std::min(filed, count);
    if (every) {
        for (size_t i = 0; i < both; ++i)
            take(i);
    } else {
        touches.forEachTouchedAfter(side, m_look, both, take);
    }
}

void UnitPlaces::refresh(const GameState& state)
{
    const bool fresh = m_touches != state.unitTouches().identity() || m_width != state.mapWidth() || m_height != state.mapHeight();
    if (fresh) {
        m_touches = state.unitTouches().identity();
        m_width = state.mapWidth();
        m_height = state.mapHeight();
        for (SidePlaces& side : m_sides) {
            side.places.assign(kUnitTableSize, kUnfiled);
            side.tiles.reset(m_width, m_height);
            side.filed = 0;
        }
    }
    const int current = state.turnBlock().currentCountry;
    for (int side = 0; side < kSideCount; ++side)
        refreshSide(state, side, fresh || side == current);
    m_look = state.unitTouches().look();
}

void UnitPlaces::collect(int side, int x0, int y0, int x1, int y1, std::vector<uint32_t>& into) const
{
    into.clear();
    if (side < 0 || side >= kSideCount)
        return;
    const SidePlaces& places = m_sides[size_t(side)];
    places.tiles.forEachNear(x0, y0, x1, y1, [&](uint32_t i) {
        const int x = places.places[i] & 0xFF, y = places.places[i] >> 8;
        if (x >= x0 && x <= x1 && y >= y0 && y <= y1)
            into.push_back(i);
    });
    std::sort(into.begin(), into.end());
}

const UnitPlaces& currentUnitPlaces(const GameState& state)
{
    thread_local UnitPlaces places;
    places.refresh(state);
    return places;
}
