// The program's resources that live in code: the main window's menu and its accelerator table.
#pragma once

#include "platform/windows.h"

constexpr UINT kMainMenuResource = 128;
constexpr UINT kAcceleratorTable = 130;

// Registers them once; later calls do nothing.
void registerProgramResources();
// A new menu bar of the main window, made from its resource.
HMENU loadMainMenu();
