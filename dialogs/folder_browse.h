// The selection dialog's folder browser: the shell's browser opened on the current folder, its
// title line made two lines high in the dialogs' font, and the highlighted path as the status line.
#pragma once

#include "platform/windows.h"

#include <optional>
#include <string>

// The chosen folder's file-system path; nothing on cancel or for a choice without one.
// The title line is written in the font.
std::optional<std::string> browseForGameFolder(HWND owner, HFONT font, const std::string& current);

// What the browser's callback is handed: the folder it opens on and the title line's font.
struct FolderBrowseStart {
    const char* folder;
    HFONT font;
};

// The browser's callback (the data is a FolderBrowseStart).
int CALLBACK browseFolderCallback(HWND browser, UINT message, LPARAM lParam, LPARAM data);
