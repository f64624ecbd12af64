// DrawnDialog: the base of the small modal picture windows of play: a canvas shown on WM_PAINT and
// WM_ERASEBKGND, kept inside the work area while dragged, and the modal-idle flag cleared while it lives.
#pragma once

#include "infowin/picture_canvas.h"
#include "infowin/window_services.h"
#include "lib/dialog_base.h"
#include "lib/error.h"
#include "lib/media/bitmap_button.h"

class DrawnDialog : public DialogBase {
public:
    // Windows without a caption that are dragged by their body answer HTCAPTION everywhere; their
    // right clicks then arrive as WM_NCRBUTTONDOWN.
    enum class Drag { ByFrameOnly, Anywhere };

    DrawnDialog(UINT templateId, swCWindow* parent, Drag drag = Drag::ByFrameOnly);

    int OnMessage(MessageRecord& msg) override;

    const PictureCanvas& picture() const { return m_canvas; }

    // Ends the modal loop with the result (the last end before the loop returns wins).
    void closeWith(INT_PTR result);

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
    Drag m_drag;
};

// The client area (width, height) centred over the main window's client area, or the owner's when
// there is no main window, as a window rectangle of the style; the screen's centre when the one
// chosen is minimised.
RECT centredWindowRect(HWND owner, int clientWidth, int clientHeight, DWORD style, DWORD exStyle);

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
