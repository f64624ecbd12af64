// PlayPopup: the base of the modal popups a person answers on the map during play (merge and
// split, the weapon choice, production, placement): run and end, centring over the owner, and the
// watch that takes the popup away with 0 once play stops.
#pragma once

#include "lib/dialog.h"
#include "ui/window_context.h"
#include "ui/window_kit.h"

#include <functional>

class GameState;
class swCBitmap;

class PlayPopup : public ui::KitWindow<swCDialog> {
public:
    // The popup's answer; 0 when it closes otherwise or could not be prepared.
    INT_PTR run();

    // The close box and a right click cancel.
    const ui::WindowDescription& description() const override;
    int OnMessage(MessageRecord& msg) override;
    // Escape and the popup's cancel button end it with 0; Enter alone does nothing.
    int OnCommand(MessageRecord& msg, UINT id, UINT code) override;
    void destroying() override;

protected:
    PlayPopup(const WindowContext& context, UINT templateId, swCWindow* owner, UINT cancelId);

    // Readies what the window shows before it exists; false answers 0 without opening it.
    virtual bool prepare() { return true; }
    void end(int result);
    // Centres the client area over the owner, then restores the place kept under the key (if any).
    void placeWindow(SIZE client, const char* placementKey = nullptr);
    // Makes the controls; one that cannot be made is shown as its error and ends the popup with 0
    // (false).
    bool makeControls(const std::function<void()>& make);
    // From now on the popup ends with 0 within a tick of play stopping.
    void watchPlay();
    // The picture into the canvas and its clean copy; false (after showing the error to the owner)
    // when it cannot be read.
    bool loadPanels(const char* file, swCBitmap& canvas, swCBitmap& clean);

    GameState& m_state;
    MainWindowServices& m_main;
    Presentation& m_look;

private:
    UINT m_cancelId;
    bool m_watching = false;
};
