// PaperDialog: painting, dragging and closing the drawn pages.
#include "dialogs/paper_dialog.h"

#include "editors/window_frame.h"
#include "platform/kernel/host.h"
#include "ui/dialog_templates.h"
#include "ui/window_kit.h"

PaperDialog::PaperDialog(swCWindow* parent)
    : DialogBase(dialog_template::kPopup, parent, false)
{
    registerGameDialogTemplates();
}

void PaperDialog::placeCentred(const char* utf8Name)
{
    ui::centreWindow(*this, m_parent ? m_parent->handle() : nullptr, { kPaperSize.cx, kPaperSize.cy }, { .repaint = TRUE });
    SetWindowTextA(handle(), platform::utf8ToCp932(utf8Name).c_str());
}

void PaperDialog::close(INT_PTR result)
{
    m_result = result;
    Destroy();
}

void PaperDialog::showButton(int control, bool shown)
{
    if (HWND item = GetDlgItem(handle(), control))
        ShowWindow(item, shown ? SW_SHOW : SW_HIDE);
}

int PaperDialog::OnMessage(MessageRecord& msg)
{
    switch (msg.message) {
    case WM_PAINT: {
        PaintDcHolder paint(handle());
        m_canvas.paint(paint.dc(), { 0, 0, kPaperSize.cx, kPaperSize.cy });
        return 1;
    }
    case WM_ERASEBKGND:
        m_canvas.paint(reinterpret_cast<HDC>(msg.wParam), { 0, 0, kPaperSize.cx, kPaperSize.cy });
        msg.result = 1;
        return 1;
    case WM_NCHITTEST:
        msg.result = HTCAPTION;
        return 1;
    // The whole body is caption: a right click on it arrives as a non-client one.
    case WM_NCRBUTTONDOWN:
        close(0);
        return 1;
    default:
        break;
    }
    if (handleCloseGestures(handle(), msg, [this] { close(0); }))
        return 1;
    return DialogBase::OnMessage(msg);
}
