// The roles the game's windows give the game state's fonts beside the small font.
#pragma once

#include "ui/presentation.h"

// Titles, cells and tabs.
constexpr GameFont kTextFont = kFont14;
// Figures in columns: eight half-width characters take 64 pixels.
constexpr GameFont kFigureFont = kFont16;
