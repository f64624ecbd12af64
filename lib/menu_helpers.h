// Small menu helpers for windows that hold a menu handle.
#pragma once

#include "platform/windows.h"

// Sets the text of the item with the command id.
BOOL menuSetItemText(HMENU menu, UINT itemId, const char* text);
