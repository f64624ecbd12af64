// The history window's event and result columns: what a record of each kind shows, as words,
// party icons, names and figures, from what the viewing country may know. Painting a column
// returns where it ended, which also gives the width of the placeholder texts.
#pragma once

#include "platform/windows.h"

#include <cstdint>
#include <string>
#include <vector>

class GameState;
class Presentation;
struct HistoryRecord;

namespace history_rows {

constexpr int kKindCount = 32;

// The record is listed under the kind mask: kinds past the mask's 32 bits never are.
constexpr bool kindListed(unsigned kind, uint32_t kindMask) { return kind < kKindCount && (kindMask >> kind & 1); }

// Bit c for viewing country c; every bit without one (TurnBlock::viewer below 0).
constexpr uint8_t viewMaskOf(int viewer) { return viewer >= 0 && viewer < 8 ? uint8_t(1u << viewer) : uint8_t(0xFF); }

// What a column showed, in order: its texts (CP932) and its icons as "[unit]", "[unknown]" and
// "[land]".
using RowTrace = std::vector<std::string>;

// Draws into the row from x = left, with y the row's top; right bounds the texts. The returned x
// is past the last thing drawn. The DC holds the small font, black text and a transparent
// background. A trace, when given, is told what was drawn.
int paintEvent(HDC dc, const Presentation& look, GameState& state, int left, int right, int y, const HistoryRecord& record, int viewer, RowTrace* trace = nullptr);
int paintResult(HDC dc, const Presentation& look, GameState& state, int left, int right, int y, const HistoryRecord& record, int viewer, RowTrace* trace = nullptr);

} // namespace history_rows
