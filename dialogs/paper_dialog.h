// PaperDialog: the base of the drawn 640 x 480 briefing and news windows. It paints its canvas,
// is dragged by its whole body, and closes with result 0 on WM_CLOSE or a right click.
#pragma once

#include "dialogs/paper_page.h"
#include "lib/dialog_base.h"

class PaperDialog : public DialogBase {
public:
    explicit PaperDialog(swCWindow* parent);

    int OnMessage(MessageRecord& msg) override;

    // The canvas the window paints from.
    HBITMAP canvas() const { return m_canvas.handle(); }

protected:
    // Sizes the window to the page, centred over its parent; the name is not shown (there is no
    // caption) but names the window for the person's tools.
    void placeCentred(const char* utf8Name);
    void close(INT_PTR result);
    void showButton(int control, bool shown);

    PaperCanvas m_canvas;
};
