// The folder games are saved in and resumed from.
#pragma once

#include <string>

// The kept "SaveGamePath" while that folder exists, else the program folder's "save" folder, made
// when it is missing: the save dialog and the resume list both start here. Game form, ending in '\'
// as the save dialog keeps it.
std::string gameSaveFolder();
