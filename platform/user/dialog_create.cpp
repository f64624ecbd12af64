// Creating dialogs from templates: the window, its font, its items, WM_INITDIALOG and focus.
#include "platform/user/dialog_internal.h"

#include "platform/gdi/wingdi.h"
#include "platform/kernel/winbase.h"

namespace platform::dialogs {

namespace {

// Destroys a half-made dialog unless released; a second error while unwinding is not let out
// of the destructor.
class PendingDialog {
public:
    explicit PendingDialog(HWND hwnd)
        : m_hwnd(hwnd)
    {
    }
    ~PendingDialog()
    {
        if (!m_hwnd)
            return;
        try {
            if (IsWindow(m_hwnd))
                DestroyWindow(m_hwnd);
        } catch (...) {
        }
    }
    HWND release()
    {
        HWND hwnd = m_hwnd;
        m_hwnd = nullptr;
        return hwnd;
    }

private:
    HWND m_hwnd;
};

HFONT createTemplateFont(const resources::DialogTemplate& dialog, bool& owned)
{
    owned = false;
    if ((dialog.style & DS_SETFONT) && dialog.fontPointSize > 0) {
        int height = -MulDiv(dialog.fontPointSize, 96, 72);
        HFONT font = CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
            CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, dialog.fontFace.empty() ? nullptr : dialog.fontFace.c_str());
        if (font) {
            owned = true;
            return font;
        }
    }
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

RECT placement(const resources::DialogTemplate& dialog, HWND parent, DWORD style, DWORD exStyle)
{
    RECT frame { 0, 0, dialog.clientSize.cx, dialog.clientSize.cy };
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    int width = frame.right - frame.left, height = frame.bottom - frame.top;
    POINT origin = dialog.position;
    if (style & WS_CHILD) {
        // A child dialog sits in its parent's client coordinates.
    } else if (dialog.style & DS_CENTER) {
        RECT work;
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        origin.x = work.left + ((work.right - work.left) - width) / 2;
        origin.y = work.top + ((work.bottom - work.top) - height) / 2;
    } else if (parent) {
        ClientToScreen(parent, &origin);
    }
    return RECT { origin.x, origin.y, origin.x + width, origin.y + height };
}

} // namespace

HWND createFromTemplate(HINSTANCE instance, const resources::DialogTemplate& dialog, HWND parent, DLGPROC proc,
    LPARAM param, bool modal)
{
    registerDialogClass();
    DWORD style = dialog.style & ~DWORD(WS_VISIBLE);
    if (dialog.style & DS_CONTROL)
        style = (style & ~DWORD(WS_POPUP | WS_CAPTION | WS_SYSMENU)) | WS_CHILD;
    // A popup dialog is owned by the top-level window of the parent it was given.
    HWND owner = parent;
    if (owner && !(style & WS_CHILD))
        owner = GetAncestor(parent, GA_ROOT);
    DWORD exStyle = dialog.exStyle;
    if (dialog.style & DS_MODALFRAME)
        exStyle |= WS_EX_DLGMODALFRAME;
    if (dialog.style & DS_SYSMODAL)
        exStyle |= WS_EX_TOPMOST;
    // A dialog made to sit inside another lets the keyboard walk its controls from the outer one.
    if (dialog.style & DS_CONTROL)
        exStyle |= WS_EX_CONTROLPARENT;
    RECT r = placement(dialog, (style & WS_CHILD) ? nullptr : parent, style, exStyle);
    HWND hwnd = CreateWindowExA(exStyle, "#32770", dialog.caption.c_str(), style, r.left, r.top, r.right - r.left,
        r.bottom - r.top, owner, nullptr, instance, nullptr);
    if (!hwnd)
        return nullptr;
    PendingDialog pending(hwnd);

    auto info = std::make_shared<DialogInfo>();
    info->modal = modal;
    info->font = createTemplateFont(dialog, info->ownsFont);
    attachInfo(hwnd, info);
    SetWindowLongPtrA(hwnd, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(proc));
    if (dialog.style & DS_SETFONT)
        SendMessageA(hwnd, WM_SETFONT, WPARAM(info->font), FALSE);
    // WM_SETFONT through the dialog procedure may have replaced the font it was given.
    HFONT itemFont = reinterpret_cast<HFONT>(SendMessageA(hwnd, WM_GETFONT, 0, 0));

    for (const resources::DialogItem& item : dialog.items) {
        HWND control = CreateWindowExA(item.exStyle, item.className.c_str(), item.text.c_str(), item.style | WS_CHILD,
            item.rect.left, item.rect.top, item.rect.right - item.rect.left, item.rect.bottom - item.rect.top, hwnd,
            reinterpret_cast<HMENU>(intptr_t(item.id)), instance, nullptr);
        if (!control) {
            if (dialog.style & DS_NOFAILCREATE)
                continue;
            return nullptr;
        }
        if (itemFont)
            SendMessageA(control, WM_SETFONT, WPARAM(itemFont), FALSE);
    }

    HWND firstTab = GetNextDlgTabItem(hwnd, nullptr, FALSE);
    LRESULT setFocus = SendMessageA(hwnd, WM_INITDIALOG, WPARAM(firstTab), param);
    if (!IsWindow(hwnd)) {
        pending.release();
        return nullptr;
    }
    if (setFocus && !info->ended) {
        HWND target = GetNextDlgTabItem(hwnd, nullptr, FALSE);
        if (target)
            setDialogFocus(hwnd, target);
    }
    // Activation later gives the focus back to whatever WM_INITDIALOG left it on.
    HWND focus = GetFocus();
    if (focus && IsChild(hwnd, focus)) {
        info->savedFocus = focus;
        showDefaultFor(hwnd, focus);
    }
    // A modal dialog is shown by its loop, so one ended inside WM_INITDIALOG never appears.
    if (!modal && (dialog.style & WS_VISIBLE))
        ShowWindow(hwnd, SW_SHOWNORMAL);
    if (!modal && (dialog.style & DS_SETFOREGROUND))
        SetForegroundWindow(hwnd);
    return pending.release();
}

} // namespace platform::dialogs

using namespace platform::dialogs;

HWND CreateDialogParamA(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC proc, LPARAM param)
{
    auto dialog = platform::resources::findDialog(templateName);
    if (!dialog) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    return createFromTemplate(instance, *dialog, parent, proc, param, false);
}
