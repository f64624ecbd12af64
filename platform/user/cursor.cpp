// Cursors and icons: the system shapes as real handles, the current cursor and its show count.
#include "platform/kernel/handle_table.h"
#include "platform/kernel/winbase.h"
#include "platform/user/input_sink.h"
#include "platform/user/winuser.h"

#include <atomic>
#include <map>
#include <mutex>

namespace platform::user {

namespace {

struct CursorShape {
    WORD id = 0;
    bool icon = false;
};

HandleTable<CursorShape>& shapes()
{
    static auto* table = new HandleTable<CursorShape>(HandleKind::Cursor);
    return *table;
}

bool isSystemCursor(WORD id) { return (id >= 32512 && id <= 32516) || (id >= 32640 && id <= 32651); }
bool isSystemIcon(WORD id) { return id >= 32512 && id <= 32517; }

// One shared handle per system shape, as the system hands out the same handle every time.
HICON systemShape(WORD id, bool icon)
{
    static std::mutex mutex;
    static std::map<std::pair<WORD, bool>, uintptr_t> loaded;
    std::lock_guard lock(mutex);
    auto& handle = loaded[{ id, icon }];
    if (!handle)
        handle = shapes().add(std::make_shared<CursorShape>(CursorShape { id, icon }));
    return makeHandle<HICON>(handle);
}

std::atomic<HCURSOR> g_cursor { nullptr };
std::atomic<int> g_showCount { 0 };

} // namespace

WORD currentCursorShape()
{
    if (g_showCount.load() < 0)
        return 0;
    auto shape = shapes().get(handleValue(g_cursor.load()));
    return shape && !shape->icon ? shape->id : 0;
}

} // namespace platform::user

using namespace platform;
using namespace platform::user;

HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name)
{
    // Only the system shapes exist: the program carries no cursor resources of its own.
    if (!instance && IS_INTRESOURCE(name) && isSystemCursor(WORD(ULONG_PTR(name))))
        return systemShape(WORD(ULONG_PTR(name)), false);
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
}

HICON LoadIconA(HINSTANCE instance, LPCSTR name)
{
    if (!instance && IS_INTRESOURCE(name) && isSystemIcon(WORD(ULONG_PTR(name))))
        return systemShape(WORD(ULONG_PTR(name)), true);
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
}

HCURSOR SetCursor(HCURSOR cursor) { return g_cursor.exchange(cursor); }

HCURSOR GetCursor() { return g_cursor.load(); }

int ShowCursor(BOOL show) { return show ? ++g_showCount : --g_showCount; }

// System shapes are shared and stay; destroying one is accepted and changes nothing.
BOOL DestroyCursor(HCURSOR cursor) { return shapes().get(handleValue(cursor)) ? TRUE : FALSE; }

BOOL DestroyIcon(HICON icon) { return shapes().get(handleValue(icon)) ? TRUE : FALSE; }

BOOL ClipCursor(const RECT*) { return TRUE; }
