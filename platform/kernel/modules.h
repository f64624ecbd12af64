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
    // Through void(*)(), the generic function pointer, as callers cast GetProcAddress's result back.
    return { std::move(name), reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(function)) };
}

// The program's own instance handle, as GetModuleHandleA(nullptr) returns it.
inline HINSTANCE programInstance() { return reinterpret_cast<HINSTANCE>(uintptr_t(0x400000)); }

// Names match case-insensitively; ".dll" is implied when the name has no extension.
// Registering a name again replaces its symbols for later loads.
void registerModule(std::string_view name, std::vector<ModuleSymbol> symbols);
void unregisterModule(std::string_view name);

} // namespace platform
