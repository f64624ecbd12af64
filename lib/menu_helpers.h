// Small menu helpers for windows that hold a menu handle.
#pragma once

#include "platform/windows.h"

BOOL menuSetItemText(HMENU menu, UINT itemId, const char* text);
