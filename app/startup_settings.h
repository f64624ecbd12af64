// StartupSettings: the application's owned object until the game state exists. The game state
// takes its place and then reads and writes the "Environment" settings; this stand-in owns no
// setting, so it reads and writes none.
#pragma once

#include "lib/application.h"

class StartupSettings : public swCOwnedObject {
public:
    explicit StartupSettings(const char* commandLine);

    // The program was started again after a mode switch (command line "restart").
    bool startedByRestart() const { return m_startedByRestart; }

private:
    bool m_startedByRestart = false;
};
