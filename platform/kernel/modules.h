// The in-process module registry behind LoadLibraryA / GetProcAddress.
#pragma once

#include "platform/kernel/winbase.h"

#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct ModuleSymbol {
    std::string name;
    FARPROC proc;
};

template <class F>
ModuleSymbol moduleSymbol(std::string name, F* function)
{
    return { std::move(name), reinterpret_cast<FARPROC>(function) };
}

// Names match case-insensitively; ".dll" is implied when the name has no extension.
// Registering a name again replaces its symbols for later loads.
void registerModule(std::string_view name, std::vector<ModuleSymbol> symbols);
void unregisterModule(std::string_view name);

} // namespace platform
