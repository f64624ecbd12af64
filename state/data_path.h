// buildDataPath: where each kind of data file lives below the program folder.
#pragma once

#include <string>

enum DataFolderCode : int {
    kFolderProgram = 0,
    kFolderMaster = 1,
    kFolderBitmap = 2,
    kFolderUnit = 3,
    kFolderWave = 4,
    kFolderMap = 5,
    kFolderBattle = 6,
    kFolderMoreUnits = 7,
    kFolderMusic = 8,
    kFolderRule = 9,
};

// The program folder, "tk" and the kind's folder name (kinds 0 and 1: none), then name. Game form:
// CP932 with '\'. Whether the file exists is for the caller to check.
void buildDataPath(std::string& out, const char* name, int kind);
std::string dataPath(const char* name, int kind);
