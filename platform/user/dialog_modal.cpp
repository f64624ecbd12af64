// Modal dialogs: the loop that runs on the calling thread until EndDialog, with the owner
// disabled meanwhile (also when the owner belongs to another thread).
#include "platform/user/dialog_internal.h"
#include "platform/user/modal_loop.h"
#include "platform/user/modal_owner.h"

#include "platform/kernel/winbase.h"

namespace platform::dialogs {

namespace {

class DestroyOnExit {
public:
    explicit DestroyOnExit(HWND hwnd)
        : m_hwnd(hwnd)
    {
    }
    ~DestroyOnExit()
    {
        try {
            if (IsWindow(m_hwnd))
                DestroyWindow(m_hwnd);
        } catch (...) {
        }
    }
    DestroyOnExit(const DestroyOnExit&) = delete;
    DestroyOnExit& operator=(const DestroyOnExit&) = delete;

private:
    HWND m_hwnd;
};

} // namespace

INT_PTR runModal(HWND dialog, HWND owner)
{
    // Declared first, so the owner is enabled again before the dialog goes and activation
    // returns to it.
    DestroyOnExit destroy(dialog);
    std::shared_ptr<DialogInfo> info = infoOf(dialog);
    if (!info)
        return -1;
    // The owner is disabled for the life of the loop, and given back enabled (and active, when the
    // dialog was) also when an error unwinds through it.
    platform::user::ModalOwnerHold held(owner);
    held.setModal(dialog);
    ModalLoopScope loop;
    if (!info->ended) {
        ShowWindow(dialog, SW_SHOWNORMAL);
        // The loop may run on a thread that is not in the foreground (the game thread).
        SetForegroundWindow(dialog);
    }
    while (!info->ended && IsWindow(dialog)) {
        MSG msg;
        if (!getNestedMessage(msg))
            break;
        if (!IsDialogMessageA(dialog, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    if (info->endedActive)
        held.modalEndedActive();
    // The last message is handled: a thread that goes back to other work (the game thread) is not
    // busy with its queue any more.
    MSG rest;
    PeekMessageA(&rest, nullptr, 0, 0, PM_NOREMOVE);
    return info->ended ? info->result.load() : 0;
}

} // namespace platform::dialogs

using namespace platform::dialogs;

INT_PTR DialogBoxParamA(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC proc, LPARAM param)
{
    auto dialog = platform::resources::findDialog(templateName);
    if (!dialog) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return -1;
    }
    HWND owner = parent ? GetAncestor(parent, GA_ROOT) : nullptr;
    HWND hwnd = createFromTemplate(instance, *dialog, parent, proc, param, true);
    if (!hwnd)
        return -1;
    return runModal(hwnd, owner);
}

BOOL EndDialog(HWND dialog, INT_PTR result)
{
    std::shared_ptr<DialogInfo> info = infoOf(dialog);
    if (!info) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    info->result = result;
    info->ended = true;
    if (info->modal) {
        if (GetActiveWindow() == dialog)
            info->endedActive = true;
        ShowWindow(dialog, SW_HIDE);
        // Wakes a loop waiting in GetMessageA, EndDialog may come from another thread.
        PostMessageA(dialog, WM_NULL, 0, 0);
    }
    return TRUE;
}
