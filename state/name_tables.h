// Built-in name tables: country colours, unit classes, movement types, carry classes, experience marks.
#pragma once

#include <cstdint>

constexpr int kUnitClassNameCount = 81;
constexpr int kMovementTypeNameCount = 24;

// "BLUE" .. "MAGENTA" for countries 0..7; null for others.
const char* playerColourName(int country);
// Palette-relative colour (0x02bbggrr) of country c; grey for any other value.
uint32_t playerColourRef(int country);
// Entry 0 grey for no country, entry c + 1 for country c.
uint32_t playerColourEntry(int entry);

// CP932 names; empty outside the tables. Movement type i is class-name entry 57 + i.
const char* unitClassName(int i);
const char* movementTypeName(int i);
const char* movementTypeShortName(int i);
// The berth class mask of a carry-class name (CP932); 0 for a name outside the table.
int carryClassMask(const char* name);
