// Menu handles and their items: creation, editing and queries.
#include "platform/user/menu_model.h"

#include "platform/kernel/handle_table.h"
#include "platform/kernel/host.h"
#include "platform/kernel/winbase.h"

#include <atomic>
#include <cctype>
#include <cstring>
#include <mutex>

namespace platform::menus {

namespace {

struct Menu {
    bool popup = false;
    std::vector<Item> items;
};

HandleTable<Menu>& menuTable()
{
    static HandleTable<Menu> t(HandleKind::Menu);
    return t;
}

// One lock for every menu: a by-command search walks submenus.
std::recursive_mutex& menuMutex()
{
    static std::recursive_mutex m;
    return m;
}

std::atomic<int> trackingDepth { 0 };

std::shared_ptr<Menu> menuOf(HMENU handle)
{
    auto menu = menuTable().get(handleValue(handle));
    if (!menu)
        SetLastError(ERROR_INVALID_MENU_HANDLE);
    return menu;
}

struct Found {
    std::shared_ptr<Menu> menu;
    size_t index = 0;
};

// MF_BYPOSITION: the index in this menu. MF_BYCOMMAND: the first item with that id, searched
// depth-first through the submenus.
std::optional<Found> locate(HMENU handle, UINT position, UINT flags, int depth = 0)
{
    auto menu = menuTable().get(handleValue(handle));
    if (!menu || depth > 16)
        return std::nullopt;
    if (flags & MF_BYPOSITION) {
        if (position >= menu->items.size())
            return std::nullopt;
        return Found { menu, position };
    }
    for (size_t i = 0; i < menu->items.size(); ++i) {
        const Item& item = menu->items[i];
        if (!item.submenu && item.id == position)
            return Found { menu, i };
        if (item.submenu) {
            if (auto inner = locate(item.submenu, position, flags, depth + 1))
                return inner;
            if (item.id == position)
                return Found { menu, i };
        }
    }
    return std::nullopt;
}

Item itemFromFlags(UINT flags, UINT_PTR idNewItem, LPCSTR text)
{
    Item item;
    item.type = flags & (MF_SEPARATOR | MF_MENUBARBREAK | MF_MENUBREAK | MF_RIGHTJUSTIFY | MF_OWNERDRAW | MF_BITMAP);
    item.state = flags & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_DEFAULT | MF_HILITE);
    if (flags & MF_POPUP)
        item.submenu = makeHandle<HMENU>(idNewItem);
    else
        item.id = UINT(idNewItem);
    // Owner-drawn and bitmap items carry a value, not text.
    if (!(flags & (MF_SEPARATOR | MF_OWNERDRAW | MF_BITMAP)) && text)
        item.text = text;
    else if (flags & MF_OWNERDRAW)
        item.data = reinterpret_cast<ULONG_PTR>(text);
    return item;
}

void destroyRecursive(HMENU handle, int depth)
{
    auto menu = menuTable().remove(handleValue(handle));
    if (!menu || depth > 16)
        return;
    for (const Item& item : menu->items)
        if (item.submenu)
            destroyRecursive(item.submenu, depth + 1);
}

bool insertAt(HMENU handle, UINT position, UINT flags, const Item& item)
{
    std::lock_guard lock(menuMutex());
    auto menu = menuOf(handle);
    if (!menu)
        return false;
    if (item.submenu && !menuTable().get(handleValue(item.submenu)))
        return false;
    if (position == UINT(-1)) {
        menu->items.push_back(item);
        return true;
    }
    auto found = locate(handle, position, flags);
    if (!found) {
        // Past the end by position appends, as the system does.
        if (!(flags & MF_BYPOSITION))
            return false;
        menu->items.push_back(item);
        return true;
    }
    found->menu->items.insert(found->menu->items.begin() + long(found->index), item);
    return true;
}

} // namespace

std::optional<std::vector<Item>> items(HMENU handle)
{
    std::lock_guard lock(menuMutex());
    auto menu = menuTable().get(handleValue(handle));
    if (!menu)
        return std::nullopt;
    return menu->items;
}

bool isMenu(HMENU handle)
{
    return menuTable().get(handleValue(handle)) != nullptr;
}

namespace {
thread_local MenuMode t_menuMode;
}

bool isTracking() { return trackingDepth > 0; }
MenuMode threadMenuMode() { return t_menuMode; }

TrackingScope::TrackingScope(HWND owner, bool popup)
    : m_outer(t_menuMode)
{
    ++trackingDepth;
    t_menuMode = MenuMode { owner, popup };
}

TrackingScope::~TrackingScope()
{
    --trackingDepth;
    t_menuMode = m_outer;
}

char mnemonicOf(const std::string& text)
{
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (isCp932LeadByte(static_cast<unsigned char>(text[i]))) {
            ++i;
            continue;
        }
        if (text[i] == '&') {
            if (text[i + 1] == '&') {
                ++i;
                continue;
            }
            return char(std::toupper(static_cast<unsigned char>(text[i + 1])));
        }
    }
    return 0;
}

} // namespace platform::menus

using namespace platform;
using namespace platform::menus;

HMENU CreateMenu()
{
    installMenuBarHooks();
    return makeHandle<HMENU>(menuTable().add(std::make_shared<Menu>()));
}

HMENU CreatePopupMenu()
{
    installMenuBarHooks();
    auto menu = std::make_shared<Menu>();
    menu->popup = true;
    return makeHandle<HMENU>(menuTable().add(menu));
}

BOOL DestroyMenu(HMENU menu)
{
    std::lock_guard lock(menuMutex());
    if (!menuOf(menu))
        return FALSE;
    destroyRecursive(menu, 0);
    return TRUE;
}

BOOL AppendMenuA(HMENU menu, UINT flags, UINT_PTR idNewItem, LPCSTR newItem)
{
    return insertAt(menu, UINT(-1), MF_BYPOSITION, itemFromFlags(flags, idNewItem, newItem)) ? TRUE : FALSE;
}

BOOL InsertMenuA(HMENU menu, UINT position, UINT flags, UINT_PTR idNewItem, LPCSTR newItem)
{
    return insertAt(menu, position, flags & MF_BYPOSITION, itemFromFlags(flags, idNewItem, newItem)) ? TRUE : FALSE;
}

BOOL ModifyMenuA(HMENU menu, UINT position, UINT flags, UINT_PTR idNewItem, LPCSTR newItem)
{
    std::lock_guard lock(menuMutex());
    auto found = locate(menu, position, flags);
    if (!found)
        return FALSE;
    Item& item = found->menu->items[found->index];
    Item replacement = itemFromFlags(flags, idNewItem, newItem);
    // A submenu that is replaced by something else is destroyed, as the old item is gone.
    if (item.submenu && item.submenu != replacement.submenu)
        destroyRecursive(item.submenu, 0);
    item = replacement;
    return TRUE;
}

BOOL DeleteMenu(HMENU menu, UINT position, UINT flags)
{
    std::lock_guard lock(menuMutex());
    auto found = locate(menu, position, flags);
    if (!found)
        return FALSE;
    HMENU submenu = found->menu->items[found->index].submenu;
    found->menu->items.erase(found->menu->items.begin() + long(found->index));
    if (submenu)
        destroyRecursive(submenu, 0);
    return TRUE;
}

BOOL RemoveMenu(HMENU menu, UINT position, UINT flags)
{
    std::lock_guard lock(menuMutex());
    auto found = locate(menu, position, flags);
    if (!found)
        return FALSE;
    found->menu->items.erase(found->menu->items.begin() + long(found->index));
    return TRUE;
}

DWORD CheckMenuItem(HMENU menu, UINT idCheckItem, UINT check)
{
    std::lock_guard lock(menuMutex());
    auto found = locate(menu, idCheckItem, check);
    if (!found)
        return DWORD(-1);
    Item& item = found->menu->items[found->index];
    DWORD previous = item.state & MF_CHECKED;
    item.state = (item.state & ~UINT(MF_CHECKED)) | (check & MF_CHECKED);
    return previous;
}

BOOL CheckMenuRadioItem(HMENU menu, UINT first, UINT last, UINT check, UINT flags)
{
    std::lock_guard lock(menuMutex());
    bool done = false;
    if (flags & MF_BYPOSITION) {
        auto m = menuOf(menu);
        if (!m || first > last || last >= m->items.size())
            return FALSE;
        for (UINT i = first; i <= last; ++i) {
            Item& item = m->items[i];
            bool on = i == check;
            item.state = on ? (item.state | MF_CHECKED) : (item.state & ~UINT(MF_CHECKED));
            if (on) {
                item.type |= MFT_RADIOCHECK;
                done = true;
            }
        }
        return done ? TRUE : FALSE;
    }
    for (UINT id = first; id <= last && id >= first; ++id) {
        auto found = locate(menu, id, MF_BYCOMMAND);
        if (!found)
            continue;
        Item& item = found->menu->items[found->index];
        bool on = id == check;
        item.state = on ? (item.state | MF_CHECKED) : (item.state & ~UINT(MF_CHECKED));
        if (on) {
            item.type |= MFT_RADIOCHECK;
            done = true;
        }
        if (id == last)
            break;
    }
    return done ? TRUE : FALSE;
}

BOOL EnableMenuItem(HMENU menu, UINT idEnableItem, UINT enable)
{
    BOOL previous;
    bool changed;
    {
        std::lock_guard lock(menuMutex());
        auto found = locate(menu, idEnableItem, enable);
        if (!found)
            return -1;
        Item& item = found->menu->items[found->index];
        previous = BOOL(item.state & (MF_GRAYED | MF_DISABLED));
        item.state = (item.state & ~UINT(MF_GRAYED | MF_DISABLED)) | (enable & (MF_GRAYED | MF_DISABLED));
        changed = UINT(previous) != (enable & (MF_GRAYED | MF_DISABLED));
    }
    // Close in a system menu is the caption's close box: it is drawn greyed or live at once.
    if (changed)
        if (HWND owner = systemMenuWindow(menu))
            RedrawWindow(owner, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
    return previous;
}

HMENU GetSubMenu(HMENU menu, int position)
{
    std::lock_guard lock(menuMutex());
    auto m = menuTable().get(handleValue(menu));
    if (!m || position < 0 || size_t(position) >= m->items.size())
        return nullptr;
    return m->items[size_t(position)].submenu;
}

int GetMenuItemCount(HMENU menu)
{
    std::lock_guard lock(menuMutex());
    auto m = menuOf(menu);
    return m ? int(m->items.size()) : -1;
}

UINT GetMenuItemID(HMENU menu, int position)
{
    std::lock_guard lock(menuMutex());
    auto m = menuTable().get(handleValue(menu));
    if (!m || position < 0 || size_t(position) >= m->items.size() || m->items[size_t(position)].submenu)
        return UINT(-1);
    return m->items[size_t(position)].id;
}

UINT GetMenuState(HMENU menu, UINT id, UINT flags)
{
    std::lock_guard lock(menuMutex());
    auto found = locate(menu, id, flags);
    if (!found)
        return UINT(-1);
    const Item& item = found->menu->items[found->index];
    UINT state = item.state | item.type;
    if (item.submenu) {
        auto sub = menuTable().get(handleValue(item.submenu));
        // A popup reports its item count in the high byte.
        state = ((sub ? UINT(sub->items.size()) : 0) << 8) | (state & 0xFF) | MF_POPUP;
    }
    return state;
}

int GetMenuStringA(HMENU menu, UINT idItem, LPSTR text, int maxCount, UINT flags)
{
    std::lock_guard lock(menuMutex());
    auto found = locate(menu, idItem, flags);
    if (!found)
        return 0;
    const std::string& s = found->menu->items[found->index].text;
    if (!text || maxCount <= 0)
        return int(s.size());
    size_t n = std::min(s.size(), size_t(maxCount - 1));
    std::memcpy(text, s.data(), n);
    text[n] = '\0';
    return int(n);
}

namespace {

void applyInfo(Item& item, const MENUITEMINFOA& info)
{
    if (info.fMask & MIIM_FTYPE)
        item.type = info.fType;
    if (info.fMask & MIIM_TYPE) {
        item.type = info.fType;
        if (!(info.fType & (MFT_SEPARATOR | MFT_BITMAP | MFT_OWNERDRAW)))
            item.text = info.dwTypeData ? info.dwTypeData : "";
    }
    if ((info.fMask & MIIM_STRING))
        item.text = info.dwTypeData ? info.dwTypeData : "";
    if (info.fMask & MIIM_STATE)
        item.state = info.fState;
    if (info.fMask & MIIM_ID)
        item.id = info.wID;
    if (info.fMask & MIIM_SUBMENU)
        item.submenu = info.hSubMenu;
    if (info.fMask & MIIM_DATA)
        item.data = info.dwItemData;
}

} // namespace

BOOL InsertMenuItemA(HMENU menu, UINT item, BOOL byPosition, LPCMENUITEMINFOA info)
{
    if (!info)
        return FALSE;
    Item added;
    applyInfo(added, *info);
    return insertAt(menu, item, byPosition ? MF_BYPOSITION : MF_BYCOMMAND, added) ? TRUE : FALSE;
}

BOOL SetMenuItemInfoA(HMENU menu, UINT item, BOOL byPosition, LPCMENUITEMINFOA info)
{
    if (!info)
        return FALSE;
    std::lock_guard lock(menuMutex());
    auto found = locate(menu, item, byPosition ? MF_BYPOSITION : MF_BYCOMMAND);
    if (!found)
        return FALSE;
    applyInfo(found->menu->items[found->index], *info);
    return TRUE;
}

BOOL GetMenuItemInfoA(HMENU menu, UINT item, BOOL byPosition, LPMENUITEMINFOA info)
{
    if (!info)
        return FALSE;
    std::lock_guard lock(menuMutex());
    auto found = locate(menu, item, byPosition ? MF_BYPOSITION : MF_BYCOMMAND);
    if (!found)
        return FALSE;
    const Item& it = found->menu->items[found->index];
    if (info->fMask & (MIIM_FTYPE | MIIM_TYPE))
        info->fType = it.type;
    if (info->fMask & MIIM_STATE)
        info->fState = it.state;
    if (info->fMask & MIIM_ID)
        info->wID = it.id;
    if (info->fMask & MIIM_SUBMENU)
        info->hSubMenu = it.submenu;
    if (info->fMask & MIIM_DATA)
        info->dwItemData = it.data;
    if (info->fMask & (MIIM_STRING | MIIM_TYPE)) {
        // The length without the terminator comes back in cch; the text is cut to fit.
        if (info->dwTypeData && info->cch > 0) {
            size_t n = std::min(it.text.size(), size_t(info->cch - 1));
            std::memcpy(info->dwTypeData, it.text.data(), n);
            info->dwTypeData[n] = '\0';
        }
        info->cch = UINT(it.text.size());
    }
    return TRUE;
}
