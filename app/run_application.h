// The program's start-up and play: WinMain and runApplication.
#pragma once

#include "lib/application.h"

// The entry: initialises the application object, runs the program and returns the exit status:
// the loop's after a run, 1 when the start stopped (a raised running copy counts as done).
int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR commandLine, int showCommand);

// How runApplication ended, for the entry and the tests.
enum class RunOutcome {
    Played,
    EditorRunning,
    AlreadyRunning,
    OldDirectX,
    SmallScreen,
    NoMainWindow,
    StartUpFailed,
};

// The instance checks, the start-up checks, the main window and the message loop; afterwards
// the settings are written back and, when asked for, the program starts again with "restart".
RunOutcome runApplication(swCApplication& app);
