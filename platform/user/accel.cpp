// Accelerator tables: loading from the resource table and translating key messages into
// WM_COMMAND.
#include "platform/user/menu_model.h"
#include "platform/user/resource_table.h"

#include "platform/kernel/handle_table.h"
#include "platform/kernel/winbase.h"

namespace {

struct AcceleratorTable {
    std::vector<ACCEL> entries;
};

platform::HandleTable<AcceleratorTable>& tables()
{
    static platform::HandleTable<AcceleratorTable> t(platform::HandleKind::Accelerator);
    return t;
}

HACCEL addTable(std::vector<ACCEL> entries)
{
    auto table = std::make_shared<AcceleratorTable>();
    table->entries = std::move(entries);
    return platform::makeHandle<HACCEL>(tables().add(std::move(table)));
}

bool keyDown(int virtualKey) { return (GetKeyState(virtualKey) & 0x8000) != 0; }

bool matches(const ACCEL& entry, const MSG& msg)
{
    bool alt = msg.message == WM_SYSKEYDOWN || msg.message == WM_SYSCHAR || keyDown(VK_MENU);
    if (entry.fVirt & FVIRTKEY) {
        if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN)
            return false;
        if (entry.key != LOWORD(msg.wParam))
            return false;
        return bool(entry.fVirt & FSHIFT) == keyDown(VK_SHIFT) && bool(entry.fVirt & FCONTROL) == keyDown(VK_CONTROL)
            && bool(entry.fVirt & FALT) == alt;
    }
    // Character accelerators match the translated character; Alt is part of the match.
    if (msg.message != WM_CHAR && msg.message != WM_SYSCHAR)
        return false;
    return entry.key == LOWORD(msg.wParam) && bool(entry.fVirt & FALT) == alt;
}

} // namespace

HACCEL LoadAcceleratorsA(HINSTANCE, LPCSTR tableName)
{
    auto entries = platform::resources::findAccelerators(tableName);
    if (!entries) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    return addTable(std::move(*entries));
}

HACCEL CreateAcceleratorTableA(LPACCEL accel, int count)
{
    if (!accel || count <= 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return addTable(std::vector<ACCEL>(accel, accel + count));
}

BOOL DestroyAcceleratorTable(HACCEL accel)
{
    return tables().remove(platform::handleValue(accel)) ? TRUE : FALSE;
}

int TranslateAcceleratorA(HWND hwnd, HACCEL accel, LPMSG msg)
{
    if (!hwnd || !msg)
        return 0;
    auto table = tables().get(platform::handleValue(accel));
    if (!table) {
        SetLastError(ERROR_INVALID_ACCEL_HANDLE);
        return 0;
    }
    // While a menu is open its own keyboard handling has every key.
    if (platform::menus::isTracking())
        return 0;
    for (const ACCEL& entry : table->entries) {
        if (!matches(entry, *msg))
            continue;
        // A command whose menu item is greyed is swallowed, as choosing the item would be.
        if (HMENU menu = GetMenu(hwnd)) {
            SendMessageA(hwnd, WM_INITMENU, WPARAM(menu), 0);
            UINT state = GetMenuState(menu, entry.cmd, MF_BYCOMMAND);
            if (state != UINT(-1) && (state & (MF_GRAYED | MF_DISABLED)))
                return 1;
        }
        SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(entry.cmd, 1), 0);
        return 1;
    }
    return 0;
}
