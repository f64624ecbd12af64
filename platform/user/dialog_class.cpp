// The dialog window class "#32770" and its default procedure, DefDlgProcA.
#include "platform/user/dialog_button_ids.h"
#include "platform/user/dialog_internal.h"
#include "platform/user/system_classes.h"

#include "platform/gdi/wingdi.h"
#include "platform/kernel/winbase.h"

#include <map>
#include <mutex>

namespace platform::dialogs {

namespace {

struct Registry {
    std::mutex mutex;
    std::map<HWND, std::shared_ptr<DialogInfo>> dialogs;
};

Registry& registry()
{
    static Registry r;
    return r;
}

// The default push button id: DM_SETDEFID's, else the first button that says it is default other
// than one that only has the focus.
int defaultButtonId(HWND dialog, const DialogInfo& info)
{
    if (info.defaultId)
        return info.defaultId;
    for (HWND child : dialogItems(dialog))
        if (child != info.lent && (dialogCode(child, nullptr) & DLGC_DEFPUSHBUTTON))
            return GetDlgCtrlID(child);
    return 0;
}

void setDefaultId(HWND dialog, DialogInfo& info, int id)
{
    HWND previous = info.defaultId ? GetDlgItem(dialog, info.defaultId) : nullptr;
    if (!previous)
        previous = GetDlgItem(dialog, defaultButtonId(dialog, info));
    HWND next = GetDlgItem(dialog, id);
    if (previous && previous != next && (dialogCode(previous, nullptr) & DLGC_DEFPUSHBUTTON))
        SendMessageA(previous, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    if (next && (dialogCode(next, nullptr) & DLGC_UNDEFPUSHBUTTON))
        SendMessageA(next, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    info.defaultId = id;
}

void eraseBackground(HWND dialog, HDC dc)
{
    HBRUSH brush = reinterpret_cast<HBRUSH>(SendMessageA(dialog, WM_CTLCOLORDLG, WPARAM(dc), LPARAM(dialog)));
    if (!brush)
        brush = GetSysColorBrush(COLOR_BTNFACE);
    RECT client;
    GetClientRect(dialog, &client);
    FillRect(dc, &client, brush);
}

LRESULT defaultProcessing(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    std::shared_ptr<DialogInfo> info = infoOf(dialog);
    switch (message) {
    case WM_ERASEBKGND:
        eraseBackground(dialog, reinterpret_cast<HDC>(wParam));
        return TRUE;
    case WM_CTLCOLORDLG:
        SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    case WM_CLOSE: {
        // Closing is cancelling, unless the Cancel button is there and disabled.
        HWND cancel = GetDlgItem(dialog, IDCANCEL);
        if (!cancel || IsWindowEnabled(cancel))
            PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), LPARAM(cancel));
        return 0;
    }
    case DM_GETDEFID: {
        int id = info ? defaultButtonId(dialog, *info) : 0;
        return id ? MAKELRESULT(id, DC_HASDEFID) : 0;
    }
    case DM_SETDEFID:
        if (info)
            setDefaultId(dialog, *info, int(wParam));
        return TRUE;
    case WM_NEXTDLGCTL: {
        HWND target;
        if (LOWORD(lParam))
            target = reinterpret_cast<HWND>(wParam);
        else
            target = GetNextDlgTabItem(dialog, GetFocus(), wParam != 0);
        if (target)
            setDialogFocus(dialog, target);
        return 0;
    }
    case WM_SETFONT:
        if (info) {
            if (info->ownsFont && info->font != reinterpret_cast<HFONT>(wParam))
                DeleteObject(info->font);
            info->font = reinterpret_cast<HFONT>(wParam);
            info->ownsFont = false;
        }
        return 0;
    case WM_GETFONT:
        return info ? reinterpret_cast<LRESULT>(info->font) : 0;
    case WM_ACTIVATE:
        if (!info)
            break;
        if (LOWORD(wParam) == WA_INACTIVE) {
            rememberFocus(dialog, GetFocus());
        } else {
            HWND focus = GetFocus();
            if (focus && (focus == dialog || IsChild(dialog, focus)))
                return 0;
            HWND restore = info->savedFocus && IsWindow(info->savedFocus) && IsChild(dialog, info->savedFocus)
                ? info->savedFocus
                : GetNextDlgTabItem(dialog, nullptr, FALSE);
            if (restore) {
                SetFocus(restore);
                showDefaultFor(dialog, restore);
            }
        }
        return 0;
    case WM_SETFOCUS:
        if (HWND first = GetNextDlgTabItem(dialog, nullptr, FALSE)) {
            SetFocus(first);
            showDefaultFor(dialog, first);
        }
        return 0;
    case WM_NCDESTROY:
        if (info && info->ownsFont && info->font)
            DeleteObject(info->font);
        detachInfo(dialog);
        break;
    default:
        break;
    }
    return DefWindowProcA(dialog, message, wParam, lParam);
}

// Messages whose answer is the dialog procedure's return value itself, not DWLP_MSGRESULT.
bool returnsDirectly(UINT message)
{
    return (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) || message == WM_COMPAREITEM
        || message == WM_VKEYTOITEM || message == WM_CHARTOITEM || message == WM_QUERYDRAGICON
        || message == WM_INITDIALOG;
}

} // namespace

void rememberFocus(HWND dialog, HWND focus)
{
    std::shared_ptr<DialogInfo> info = infoOf(dialog);
    if (info && focus && IsChild(dialog, focus))
        info->savedFocus = focus;
}

void showDefaultFor(HWND dialog, HWND focus)
{
    std::shared_ptr<DialogInfo> info = infoOf(dialog);
    if (!info)
        return;
    const int ownId = defaultButtonId(dialog, *info);
    HWND own = ownId ? GetDlgItem(dialog, ownId) : nullptr;
    HWND shown = own;
    if (focus && IsChild(dialog, focus) && (dialogCode(focus, nullptr) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)))
        shown = focus;
    // The dialog's own default loses its look for a while: it is kept by id.
    if (own && shown != own)
        info->defaultId = ownId;
    info->lent = shown != own ? shown : nullptr;
    for (HWND child : navigationItems(dialog))
        if (child != shown && (dialogCode(child, nullptr) & DLGC_DEFPUSHBUTTON))
            SendMessageA(child, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    if (shown && (dialogCode(shown, nullptr) & DLGC_UNDEFPUSHBUTTON))
        SendMessageA(shown, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
}

void registerDialogClass()
{
    static std::once_flag once;
    std::call_once(once, [] {
        WNDCLASSA cls {};
        cls.style = CS_DBLCLKS | CS_SAVEBITS;
        cls.lpfnWndProc = DefDlgProcA;
        cls.cbWndExtra = DLGWINDOWEXTRA;
        cls.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        cls.lpszClassName = "#32770";
        user::registerSystemClass(cls);
    });
}

std::shared_ptr<DialogInfo> infoOf(HWND dialog)
{
    std::lock_guard lock(registry().mutex);
    auto it = registry().dialogs.find(dialog);
    return it == registry().dialogs.end() ? nullptr : it->second;
}

void attachInfo(HWND dialog, std::shared_ptr<DialogInfo> info)
{
    std::lock_guard lock(registry().mutex);
    registry().dialogs[dialog] = std::move(info);
}

void detachInfo(HWND dialog)
{
    std::lock_guard lock(registry().mutex);
    registry().dialogs.erase(dialog);
}

} // namespace platform::dialogs

using namespace platform::dialogs;

LRESULT DefDlgProcA(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto proc = reinterpret_cast<DLGPROC>(GetWindowLongPtrA(dialog, DWLP_DLGPROC));
    if (proc) {
        INT_PTR handled = proc(dialog, message, wParam, lParam);
        if (handled)
            return returnsDirectly(message) ? handled : GetWindowLongPtrA(dialog, DWLP_MSGRESULT);
        if (message == WM_INITDIALOG)
            return FALSE;
    }
    return defaultProcessing(dialog, message, wParam, lParam);
}
