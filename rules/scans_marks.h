// Marking scans: each visited hex gets a mark in a grid or layer; they keep no hits.
#pragma once

#include "rules/hex_scan.h"

#include <cstdint>
#include <span>

struct HexBitLayer;

// grid[y × width + x] = 1: the threat grid of hexes within a hostile unit's anti-air reach.
class ByteGridMarkScan : public HexScan {
public:
    // A hex whose index lies past the grid is left alone.
    ByteGridMarkScan(GameState& state, std::span<uint8_t> grid);

protected:
    void visit(int x, int y) override;

private:
    std::span<uint8_t> m_grid;
};

// ORs a flag mask into the u32 of each hex: the movement range's zones.
class FlagGridMarkScan : public HexScan {
public:
    FlagGridMarkScan(GameState& state, std::span<uint32_t> grid, uint32_t mask);

protected:
    void visit(int x, int y) override;

private:
    std::span<uint32_t> m_grid;
    uint32_t m_mask;
};

// Sets each hex's bit in an area-analysis bit layer.
class BitLayerMarkScan : public HexScan {
public:
    BitLayerMarkScan(GameState& state, HexBitLayer& layer);

protected:
    void visit(int x, int y) override;

private:
    HexBitLayer& m_layer;
};

enum class MarkChange { Set, Clear };

// Sets or clears a bit of the game's mark grid for the map window.
class HexMarkScan : public HexScan {
public:
    HexMarkScan(GameState& state, uint16_t mark, MarkChange change);

protected:
    void visit(int x, int y) override;

private:
    uint16_t m_mark;
    MarkChange m_change;
};
