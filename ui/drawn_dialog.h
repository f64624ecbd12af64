// DrawnDialog: the base of the small modal picture windows of play: a canvas the kit shows on
// WM_PAINT and WM_ERASEBKGND, kept inside the work area while dragged, and the modal-idle flag
// cleared while it lives.
#pragma once

#include "lib/dialog_base.h"
#include "lib/error.h"
#include "lib/media/bitmap_button.h"
#include "ui/picture_canvas.h"
#include "ui/window_kit.h"
#include "ui/window_services.h"

class DrawnDialog : public ui::KitWindow<DialogBase> {
public:
    using Drag = ui::Drag;

    // Without a description the close box and right clicks are left to the dialog.
    DrawnDialog(UINT templateId, swCWindow* parent, Drag drag = Drag::ByFrame);
    DrawnDialog(UINT templateId, swCWindow* parent, const ui::WindowDescription& description);

    const ui::WindowDescription& description() const override { return m_description; }
    void showPicture(HDC dc, const RECT& area) override { m_canvas.copyTo(dc, area); }

    const PictureCanvas& picture() const { return m_canvas; }

    // Ends the modal loop with the result (the last end before the loop returns wins).
    void closeWith(INT_PTR result) { ui::endWindow(*this, result); }

protected:
    // Gives the window a client area of the size, centred over the main window's client area (the
    // parent's when there is no main window, the screen when it is minimised) and inside the work area.
    void placeCentred(int clientWidth, int clientHeight);
    // Shows what was drawn on the canvas since.
    void showCanvas(const RECT& area);
    void showCanvas() { showCanvas({ 0, 0, m_canvas.size().cx, m_canvas.size().cy }); }
    static bool isRightClick(UINT message) { return message == WM_RBUTTONDOWN || message == WM_NCRBUTTONDOWN; }

    PictureCanvas m_canvas;

private:
    ModalIdleOff m_idle;
    ui::WindowDescription m_description;
};

// A bitmap button of the window (it deletes itself with its window); null when its strip cannot
// be read, so a missing picture costs the button, not the window.
template <class Button, class... Args>
Button* makeBitmapButton(Args&&... args)
{
    try {
        return new Button(std::forward<Args>(args)...);
    } catch (swCError* error) {
        delete error;
        return nullptr;
    }
}
