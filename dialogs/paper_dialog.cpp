// PaperDialog: painting, dragging and closing the drawn pages.
#include "dialogs/paper_dialog.h"

#include "platform/kernel/host.h"
#include "ui/dialog_templates.h"
#include "ui/window_kit.h"

PaperDialog::PaperDialog(const WindowContext& context, swCWindow* owner)
    : KitWindow(dialog_template::kPopup, owner, false)
    , m_game(context.game)
    , m_main(context.main)
    , m_look(context.look)
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

const ui::WindowDescription& PaperDialog::description() const
{
    static constexpr ui::WindowDescription kDescription { .drawn = true, .drag = ui::Drag::Anywhere, .floating = true };
    return kDescription;
}

void PaperDialog::showPicture(HDC dc, const RECT&) { m_canvas.paint(dc, { 0, 0, kPaperSize.cx, kPaperSize.cy }); }
