// The steps between reading a map and playing it: the briefing or the map settings list, and on
// request the map settings.
#pragma once

#include "ui/window_context.h"

class swCWindow;

enum class MapSettingsListButtons { OkOnly, CancelAndChange };

// Runs the map settings list and, when the person asks for a change, the map settings dialog,
// whose result then stands; after the settings' OK the countries' music paths are copied. 1 when
// the person went on, 0 when they went back.
int runMapSettingsStep(const WindowContext& context, swCWindow* owner, MapSettingsListButtons buttons);

// Before the play of a newly chosen map: a map with briefing texts shows its briefing (whose map
// settings button leads to the list), any other the list with cancel and "設定変更". True when
// play may start.
bool runNewGameSetUp(const WindowContext& context, swCWindow* owner);
