// What the editors' windows share: their pictures, push buttons and the drawn windows' base.
#pragma once

#include "lib/dialog_base.h"
#include "lib/error.h"
#include "lib/media/bitmap.h"
#include "lib/window.h"
#include "ui/window_kit.h"

#include <memory>
#include <utility>

class Presentation;

// A picture of the bitmap folder; throws the picture loader's error when it cannot be read.
std::unique_ptr<swCBitmap> loadEditorPicture(const char* name);

// A push button of the editors (96 x 24 unless told) in the game's 14-pixel font; text in UTF-8.
HWND makePushButton(HWND window, const Presentation& look, const char* utf8, int controlId, int x, int y, int width = 96,
    int height = 24);

// A modeless editor window's closing: the request posted to its owner (the main window), which
// destroys it; without an owner the window destroys itself.
void askOwnerToClose(swCWindow& window, UINT request);

// A drawn editor window: its background picture and the buttons' sheet "edit_btn.bmp", a body that
// drags, its place kept under the key and buttons that paint over the picture. Its close button
// ends it with 1, Escape closes it as the close box does, and Enter (no button is the default)
// does nothing.
class DrawnEditorWindow : public ui::KitWindow<DialogBase> {
public:
    // Loads both pictures (throws the picture loader's error).
    DrawnEditorWindow(UINT templateId, swCWindow* owner, const char* picture, const char* placementKey,
        ui::Closing closing, UINT closeButton);

    const ui::WindowDescription& description() const override { return m_description; }
    HBITMAP background() const override { return m_background->handle(); }
    int OnMessage(MessageRecord& msg) override;
    int OnCommand(MessageRecord& msg, UINT id, UINT code) override;

protected:
    // Runs the work; a library error it throws is shown over this window and false answered.
    template <class Work>
    bool runShowingError(Work&& work)
    {
        return ui::runShowingError(handle(), std::forward<Work>(work));
    }

    std::unique_ptr<swCBitmap> m_background;
    std::unique_ptr<swCBitmap> m_buttons;

private:
    ui::WindowDescription m_description;
    UINT m_closeButton;
};
