// LoadLibraryA / GetProcAddress / FreeLibrary over the in-process module registry.
#include "platform/kernel/modules.h"
#include "platform/kernel/handle_table.h"
#include "platform/kernel/host.h"
#include "platform/kernel/internal.h"

#include <map>
#include <memory>
#include <mutex>

namespace platform {

namespace {

struct Module {
    std::string name;
    std::vector<ModuleSymbol> symbols;
    uintptr_t handle = 0;
    unsigned loadCount = 0;
};

struct Registry {
    std::mutex mutex;
    std::map<std::string, std::shared_ptr<Module>> modules; // by folded name
    HandleTable<Module> handles { HandleKind::Module };
};

Registry& registry()
{
    static auto* state = new Registry;
    return *state;
}

// "C:\x\DSound" and "dsound.dll" name the same module.
std::string moduleKey(std::string_view name)
{
    name.remove_prefix(fileNameOffset(name));
    std::string key(name);
    for (char& c : key)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    if (key.find('.') == std::string::npos)
        key += ".dll";
    return key;
}

} // namespace

void registerModule(std::string_view name, std::vector<ModuleSymbol> symbols)
{
    auto module = std::make_shared<Module>();
    module->name = std::string(name);
    module->symbols = std::move(symbols);
    Registry& state = registry();
    std::lock_guard lock(state.mutex);
    state.modules[moduleKey(name)] = std::move(module);
}

void unregisterModule(std::string_view name)
{
    Registry& state = registry();
    std::lock_guard lock(state.mutex);
    state.modules.erase(moduleKey(name));
}

} // namespace platform

using namespace platform;

HMODULE LoadLibraryA(LPCSTR lpLibFileName)
{
    if (!lpLibFileName || !*lpLibFileName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    Registry& state = registry();
    std::lock_guard lock(state.mutex);
    auto it = state.modules.find(moduleKey(lpLibFileName));
    if (it == state.modules.end()) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    // Loading again hands out the same handle and counts the load.
    Module& module = *it->second;
    if (module.loadCount++ == 0)
        module.handle = state.handles.add(it->second);
    return makeHandle<HMODULE>(module.handle);
}

FARPROC GetProcAddress(HMODULE hModule, LPCSTR lpProcName)
{
    std::shared_ptr<Module> module = registry().handles.get(handleValue(hModule));
    if (!module) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    // Lookups by ordinal are not offered: no registered module exports by number.
    if (!lpProcName || IS_INTRESOURCE(lpProcName)) {
        SetLastError(ERROR_PROC_NOT_FOUND);
        return nullptr;
    }
    for (auto& symbol : module->symbols)
        if (symbol.name == lpProcName)
            return symbol.proc;
    SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
}

BOOL FreeLibrary(HMODULE hLibModule)
{
    Registry& state = registry();
    std::lock_guard lock(state.mutex);
    std::shared_ptr<Module> module = state.handles.get(handleValue(hLibModule));
    if (!module) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (--module->loadCount == 0)
        state.handles.remove(module->handle);
    return TRUE;
}

HMODULE GetModuleHandleA(LPCSTR lpModuleName)
{
    if (!lpModuleName)
        return platform::programInstance();
    Registry& state = registry();
    std::lock_guard lock(state.mutex);
    auto it = state.modules.find(moduleKey(lpModuleName));
    if (it == state.modules.end() || it->second->loadCount == 0) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    return makeHandle<HMODULE>(it->second->handle);
}
