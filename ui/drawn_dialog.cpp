// DrawnDialog: the description and placement of the picture windows of play.
#include "ui/drawn_dialog.h"

DrawnDialog::DrawnDialog(UINT templateId, swCWindow* parent, Drag drag)
    : DrawnDialog(templateId, parent, ui::WindowDescription { .drawn = true, .drag = drag, .closing = ui::Closing::Unanswered })
{
}

DrawnDialog::DrawnDialog(UINT templateId, swCWindow* parent, const ui::WindowDescription& description)
    : KitWindow(templateId, parent, false)
    , m_description(description)
{
}

void DrawnDialog::placeCentred(int clientWidth, int clientHeight)
{
    ui::centreWindow(*this, parent() ? parent()->handle() : nullptr, { clientWidth, clientHeight }, ui::kOverMainWindow);
}

void DrawnDialog::showCanvas(const RECT& area)
{
    InvalidateRect(handle(), &area, FALSE);
}
