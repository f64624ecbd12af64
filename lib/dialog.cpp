// swCDialog and the dialog procedure shared by every dialog of the program.
#include "lib/dialog.h"

#include "lib/application.h"

swCDialog::swCDialog(UINT templateId, swCWindow* parent, const DialogControlEntry* controlTable)
    : swCWindow(nullptr, parent, 0)
    , m_controlTable(controlTable)
    , m_templateId(templateId)
{
}

swCDialog::~swCDialog()
{
    windowDetach(true);
}

int swCDialog::OnCommand(MessageRecord&, UINT id, UINT)
{
    if (id == IDOK) {
        DataExchange(1);
        m_result = 1;
        Destroy();
        return 1;
    }
    if (id == IDCANCEL) {
        m_result = 0;
        Destroy();
        return 1;
    }
    return 0;
}

int swCDialog::OnInitDialog()
{
    return 0;
}

int swCDialog::DataExchange(int save)
{
    if (save == 1)
        m_dataSaved = true;
    return 1;
}

BOOL swCDialog::CreateModal()
{
    m_result = DialogBoxParamA(theApplication().instance(), MAKEINTRESOURCEA(m_templateId),
        m_parent ? m_parent->handle() : nullptr, commonDialogProc, reinterpret_cast<LPARAM>(this));
    return m_result != -1;
}

BOOL swCDialog::CreateModeless()
{
    HWND handle = CreateDialogParamA(theApplication().instance(), MAKEINTRESOURCEA(m_templateId),
        m_parent ? m_parent->handle() : nullptr, commonDialogProc, reinterpret_cast<LPARAM>(this));
    return handle != nullptr;
}

BOOL swCDialog::DestroyModal()
{
    return EndDialog(handle(), m_result);
}

void swCDialog::dialogBindControls(bool load)
{
    if (!m_controlTable)
        return;
    for (const DialogControlEntry* entry = m_controlTable; entry->creator; ++entry) {
        HWND item = GetDlgItem(handle(), entry->id);
        if (!item)
            continue;
        if (!m_firstFocusId)
            m_firstFocusId = entry->id;
        if (!windowFromHandle(item))
            entry->creator(this, entry->id);
    }
    if (load)
        DataExchange(0);
}

int swCDialog::initDialog()
{
    m_dataSaved = false;
    m_firstFocusId = 0;
    dialogBindControls(false);
    int result = OnInitDialog();
    if (m_firstFocusId) {
        HWND item = GetDlgItem(handle(), m_firstFocusId);
        if (item && windowFromHandle(item)) {
            SetFocus(item);
            result = 1;
        }
    }
    DataExchange(0);
    return result;
}

namespace {

// Messages whose answer is the procedure's return value rather than DWLP_MSGRESULT.
bool answersDirectly(UINT message)
{
    return (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) || message == WM_COMPAREITEM
        || message == WM_VKEYTOITEM || message == WM_CHARTOITEM || message == WM_QUERYDRAGICON;
}

} // namespace

INT_PTR CALLBACK commonDialogProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        auto* dialog = reinterpret_cast<swCDialog*>(lParam);
        if (!dialog)
            return FALSE;
        dialog->windowAttach(handle, true);
        return dialog->initDialog();
    }
    swCWindow* window = windowFromHandle(handle);
    if (!window)
        return FALSE;
    MessageRecord msg { message, wParam, lParam, 0 };
    if (message == WM_DESTROY) {
        int result = window->windowDispatch(msg);
        windowReleaseAfterDestroy(handle, window, true);
        return result;
    }
    if (message == WM_DRAWITEM)
        return windowDrawChildItem(handle, reinterpret_cast<DRAWITEMSTRUCT*>(lParam)) ? TRUE : FALSE;
    if (windowApplyApplicationState(message, wParam))
        return TRUE;
    // Only exactly 1 counts as handled here; a window procedure takes any nonzero value.
    if (window->windowDispatch(msg) != 1)
        return FALSE;
    if (answersDirectly(message))
        return msg.result;
    SetWindowLongPtrA(handle, DWLP_MSGRESULT, msg.result);
    return TRUE;
}
