// ScenarioFile: a map or scenario file read into memory, section by section, before any conversion.
#pragma once

#include "lib/file_fault.h"
#include "state/map_file_layout.h"
#include "state/map_header.h"
#include "state/production_type_record.h"
#include "state/rule_block.h"
#include "state/scenario_block.h"
#include "state/side_records.h"
#include "state/unit_record.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

constexpr int kMapSideCount = 9;
// No map, with its pictures, comes near this size: a larger file is refused unread.
constexpr size_t kMaxMapFileBytes = size_t(64) << 20;

// The file's content in its own records. The scenario block is always in the current layout;
// version fixes that need no master data (map header byte 532, funds limits, rule lead byte) are done.
struct ScenarioFile {
    int version = 4;
    ScenarioBlock scenario {};
    MapHeader header {};
    std::array<FileCountryRecord, kMaxCountryRecords> countries {};
    RuleBlock rules {};
    // Row-major, width x height when the file is complete; a shorter section leaves the rest zero.
    std::vector<FileMapCell> cells;
    std::vector<PlaceRecord> places;
    std::array<std::vector<UnitRecord>, kMapSideCount> units;
    std::vector<ProductionTypeRecord> productionTypes;
    std::array<uint8_t, kNeutralBlockSize> neutral {};
    std::array<std::vector<uint8_t>, 2> images;

    int width() const { return header.width; }
    int height() const { return header.height; }
    FileMapCell& cellAt(int x, int y) { return cells[size_t(y) * size_t(width()) + size_t(x)]; }
    const FileMapCell& cellAt(int x, int y) const { return cells[size_t(y) * size_t(width()) + size_t(x)]; }
};

// What was wrong with a refused file, and where.
struct MapFileError {
    std::string what;
    FileFault fault = FileFault::Damaged;
    // Byte offset in the file, or the directory entry the fault belongs to.
    int64_t offset = -1;
    int section = -1;

    explicit operator bool() const { return !what.empty(); }
    std::string describe() const;
};

// Reads a whole file image. Every stored size and count is checked against the file and against the
// record it fills; a refused file leaves out untouched and the error says why.
MapFileError readScenarioBytes(std::span<const uint8_t> bytes, ScenarioFile& out);

// Only the map header of the file at path, with the checks readScenarioBytes makes of the opening bytes,
// the map header section, the map size and the trailer offset; nothing else of the file is read, so
// listing many files stays cheap. A refused or unreadable file leaves out untouched.
MapFileError readScenarioHeader(const char* path, MapHeader& out);

// The version of a file image from its magic, -1 when unknown or too short.
int scenarioBytesVersion(std::span<const uint8_t> bytes);

// The writer of the same format (the program only reads maps; tools and tests write them).
// Versions 1 to 3 store the old scenario block; 3 and 4 end with the trailer offset.
std::vector<uint8_t> writeScenarioBytes(const ScenarioFile& file);
