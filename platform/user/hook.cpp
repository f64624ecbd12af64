// Thread and process-wide hooks: WH_KEYBOARD, WH_MOUSE and WH_GETMESSAGE, called on the thread
// that retrieves the input, newest hook first, each passing on with CallNextHookEx.
#include "platform/kernel/handle_table.h"
#include "platform/kernel/winbase.h"
#include "platform/user/hook_internal.h"

#include <algorithm>

namespace platform::user {

namespace {

struct HookRecord {
    int kind = 0;
    HOOKPROC proc = nullptr;
    DWORD threadId = 0;   // 0: every thread
};

HandleTable<HookRecord>& hooks()
{
    static auto* table = new HandleTable<HookRecord>(HandleKind::Hook);
    return *table;
}

std::mutex g_orderMutex;
std::vector<uintptr_t>& order()   // newest first
{
    static auto* list = new std::vector<uintptr_t>();
    return *list;
}

// The hooks that apply to this thread for a kind, newest first.
std::vector<std::pair<HHOOK, HOOKPROC>> chain(int kind, DWORD threadId)
{
    std::vector<uintptr_t> handles;
    {
        std::lock_guard lock(g_orderMutex);
        handles = order();
    }
    std::vector<std::pair<HHOOK, HOOKPROC>> result;
    for (uintptr_t h : handles)
        if (auto record = hooks().get(h))
            if (record->kind == kind && (record->threadId == 0 || record->threadId == threadId))
                result.emplace_back(makeHandle<HHOOK>(h), record->proc);
    return result;
}

LRESULT callChain(int kind, int code, WPARAM wParam, LPARAM lParam)
{
    auto hooksNow = chain(kind, GetCurrentThreadId());
    if (hooksNow.empty())
        return 0;
    return hooksNow.front().second(code, wParam, lParam);
}

} // namespace

bool callKeyboardHooks(ThreadQueue&, bool remove, WPARAM virtualKey, LPARAM keyData)
{
    return callChain(WH_KEYBOARD, remove ? HC_ACTION : HC_NOREMOVE, virtualKey, keyData) != 0;
}

bool callMouseHooks(ThreadQueue&, bool remove, UINT message, MOUSEHOOKSTRUCT& info)
{
    return callChain(WH_MOUSE, remove ? HC_ACTION : HC_NOREMOVE, message, LPARAM(&info)) != 0;
}

void callGetMessageHooks(ThreadQueue&, MSG& msg, UINT removeFlag)
{
    callChain(WH_GETMESSAGE, HC_ACTION, removeFlag, LPARAM(&msg));
}

} // namespace platform::user

using namespace platform;
using namespace platform::user;

HHOOK SetWindowsHookExA(int hookId, HOOKPROC proc, HINSTANCE, DWORD threadId)
{
    if (!proc || (hookId != WH_KEYBOARD && hookId != WH_MOUSE && hookId != WH_GETMESSAGE)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (threadId && threadId != GetCurrentThreadId() && !ThreadQueue::forThread(threadId)) {
        SetLastError(ERROR_INVALID_THREAD_ID);
        return nullptr;
    }
    auto record = std::make_shared<HookRecord>(HookRecord { hookId, proc, threadId });
    uintptr_t handle = hooks().add(record);
    std::lock_guard lock(g_orderMutex);
    order().insert(order().begin(), handle);
    return makeHandle<HHOOK>(handle);
}

BOOL UnhookWindowsHookEx(HHOOK hook)
{
    if (!hooks().remove(handleValue(hook))) {
        SetLastError(ERROR_INVALID_HOOK_HANDLE);
        return FALSE;
    }
    std::lock_guard lock(g_orderMutex);
    auto& list = order();
    list.erase(std::remove(list.begin(), list.end(), handleValue(hook)), list.end());
    return TRUE;
}

LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam)
{
    auto record = hooks().get(handleValue(hook));
    if (!record)
        return 0;
    auto hooksNow = chain(record->kind, GetCurrentThreadId());
    for (size_t i = 0; i + 1 < hooksNow.size(); ++i)
        if (hooksNow[i].first == hook)
            return hooksNow[i + 1].second(code, wParam, lParam);
    return 0;
}
