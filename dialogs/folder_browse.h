// The selection dialog's folder browser: the shell's browser opened on the current folder, its
// title line made two lines high in the dialogs' font, and the highlighted path as the status line.
#pragma once

#include "platform/windows.h"

#include <optional>
#include <string>

// The chosen folder's file-system path; nothing on cancel or for a choice without one.
std::optional<std::string> browseForGameFolder(HWND owner, const std::string& current);

// The browser's callback (the data is the current folder as a C string).
int CALLBACK browseFolderCallback(HWND browser, UINT message, LPARAM lParam, LPARAM data);
