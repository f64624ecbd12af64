// AnnouncementWindow: the clicks and keys of the announcements.
#include "dialogs/announcement_window.h"

#include "ui/dialog_templates.h"

AnnouncementWindow::AnnouncementWindow(UINT templateId, swCWindow* parent)
    : DrawnDialog(templateId, parent, ui::WindowDescription { .drawn = true })
{
    registerGameDialogTemplates();
}

int AnnouncementWindow::OnMessage(MessageRecord& msg)
{
    // A right click is a click here, not the close gesture the kit would make of it.
    if (msg.message == WM_LBUTTONDOWN || msg.message == WM_RBUTTONDOWN) {
        clicked();
        return 1;
    }
    if (msg.message == WM_TIMER && timerFired(msg.wParam))
        return 1;
    return DrawnDialog::OnMessage(msg);
}

int AnnouncementWindow::OnCommand(MessageRecord& msg, UINT id, UINT code)
{
    if (id == IDOK || id == IDCANCEL)
        return 1;
    return DrawnDialog::OnCommand(msg, id, code);
}
