// The process entry: hands the command line to WinMain as the game's entry expects it.
#include "app/run_application.h"
#include "platform/kernel/host.h"
#include "platform/user/program_close.h"

#include <string>

int main(int argc, char** argv)
{
    // Ctrl+C and the system's request to end close the program as its close box does.
    platform::closeOnSignals();
    std::string commandLine;
    for (int i = 1; i < argc; ++i) {
        if (i > 1)
            commandLine += ' ';
        commandLine += platform::utf8ToCp932(argv[i]);
    }
    return WinMain(GetModuleHandleA(nullptr), nullptr, commandLine.data(), SW_SHOWNORMAL);
}
