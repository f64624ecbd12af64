// StartupSettings: what the start-up knows before the game state exists.
#include "app/startup_settings.h"

#include <cstring>

StartupSettings::StartupSettings(const char* commandLine)
    : m_startedByRestart(commandLine && std::strcmp(commandLine, "restart") == 0)
{
}
