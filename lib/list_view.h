// Helpers for report-view list views held by a window object: columns, items and the header.
#pragma once

#include "lib/window.h"

// A left-aligned column; no text leaves the column untitled.
int listViewInsertColumn(swCWindow& listView, int index, const char* text, int width);
int listViewSetItem(swCWindow& listView, int item, int subItem, const char* text, LPARAM data);
LPARAM listViewGetItemData(swCWindow& listView, int item, int subItem = 0);
// The "SysHeader32" descendant, else the first child, else null.
HWND listViewFindHeader(const swCWindow& listView);
void listViewSetHeaderFont(swCWindow& listView, HFONT font);
