// PaperDialog: the base of the drawn 640 x 480 briefing and news windows: the kit paints its
// canvas, drags it by its whole body, and closes it with result 0 on WM_CLOSE or a right click
// (on a control too).
#pragma once

#include "dialogs/paper_page.h"
#include "lib/dialog_base.h"
#include "ui/window_context.h"
#include "ui/window_kit.h"

class PaperDialog : public ui::KitWindow<DialogBase> {
public:
    PaperDialog(const WindowContext& context, swCWindow* owner);

    const ui::WindowDescription& description() const override;
    void showPicture(HDC dc, const RECT& area) override;

    // The canvas the window paints from.
    HBITMAP canvas() const { return m_canvas.handle(); }

protected:
    // The faces of the pages' buttons in their picture (btn100x26.bmp).
    enum ButtonFace : int { kBackFace = 0, kNextFace, kStartFace, kMapSettingsFace, kCloseFace = 5 };

    // Sizes the window to the page, centred over its parent; the name is not shown (there is no
    // caption) but names the window for the person's tools.
    void placeCentred(const char* utf8Name);
    void close(INT_PTR result);
    void showButton(int control, bool shown);

    GameState& m_game;
    MainWindowServices& m_main;
    Presentation& m_look;
    PaperCanvas m_canvas;
};
