// The resource registry.
#include "platform/user/resource_table.h"

#include <cctype>
#include <map>
#include <mutex>

namespace platform::resources {

namespace {

struct Registry {
    std::mutex mutex;
    std::map<std::string, DialogTemplate> dialogs;
    std::map<std::string, std::vector<ACCEL>> accelerators;
    std::map<std::string, std::vector<MenuTemplateItem>> menus;
    std::map<UINT, std::string> strings;
};

Registry& registry()
{
    static Registry r;
    return r;
}

} // namespace

std::string resourceKey(LPCSTR name)
{
    if (IS_INTRESOURCE(name))
        return "#" + std::to_string(LOWORD(reinterpret_cast<ULONG_PTR>(name)));
    std::string key(name);
    if (key.size() > 1 && key[0] == '#') {
        bool digits = true;
        for (size_t i = 1; i < key.size(); ++i)
            digits = digits && std::isdigit(static_cast<unsigned char>(key[i]));
        if (digits && key.size() < 8)
            return "#" + std::to_string(std::stoul(key.substr(1)) & 0xFFFF);
    }
    for (char& c : key)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    return key;
}

void addDialog(LPCSTR name, DialogTemplate dialog)
{
    std::lock_guard lock(registry().mutex);
    registry().dialogs[resourceKey(name)] = std::move(dialog);
}

std::optional<DialogTemplate> findDialog(LPCSTR name)
{
    if (!name)
        return std::nullopt;
    std::lock_guard lock(registry().mutex);
    auto it = registry().dialogs.find(resourceKey(name));
    if (it == registry().dialogs.end())
        return std::nullopt;
    return it->second;
}

void addAccelerators(LPCSTR name, std::vector<ACCEL> table)
{
    std::lock_guard lock(registry().mutex);
    registry().accelerators[resourceKey(name)] = std::move(table);
}

std::optional<std::vector<ACCEL>> findAccelerators(LPCSTR name)
{
    if (!name)
        return std::nullopt;
    std::lock_guard lock(registry().mutex);
    auto it = registry().accelerators.find(resourceKey(name));
    if (it == registry().accelerators.end())
        return std::nullopt;
    return it->second;
}

void addMenu(LPCSTR name, std::vector<MenuTemplateItem> menu)
{
    std::lock_guard lock(registry().mutex);
    registry().menus[resourceKey(name)] = std::move(menu);
}

std::optional<std::vector<MenuTemplateItem>> findMenu(LPCSTR name)
{
    if (!name)
        return std::nullopt;
    std::lock_guard lock(registry().mutex);
    auto it = registry().menus.find(resourceKey(name));
    if (it == registry().menus.end())
        return std::nullopt;
    return it->second;
}

void addString(UINT id, std::string text)
{
    std::lock_guard lock(registry().mutex);
    registry().strings[id] = std::move(text);
}

std::optional<std::string> findString(UINT id)
{
    std::lock_guard lock(registry().mutex);
    auto it = registry().strings.find(id);
    if (it == registry().strings.end())
        return std::nullopt;
    return it->second;
}

} // namespace platform::resources
