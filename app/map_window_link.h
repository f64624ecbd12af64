// The rules engine's link to the map window: forwards to the open MapWindow, returns at once without one.
#pragma once

#include "rules/map_window_link.h"

class MapWindow;

// The process's one link; the main window installs it with setRulesLinks.
MapWindowLink& appMapWindowLink();

// Called by the map window as it is created and destroyed.
void registerMapWindow(MapWindow* window);
void unregisterMapWindow(MapWindow* window);
