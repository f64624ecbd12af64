// DisplayItemWindow: the base of the lists' display-item windows ("表示項目"): a hidden dialog-
// framed tool popup owned by its list, placed beside it, with its label at the top; a left button
// on it raises the list.
#pragma once

#include "lib/window.h"
#include "ui/info_window_frame.h"
#include "ui/window_context.h"
#include "ui/window_kit.h"

class GameState;

class DisplayItemWindow : public ui::KitWindow<swCWindow> {
public:
    // Its list closes it, and a click raises the list rather than the window.
    static constexpr ui::WindowDescription kDescription { .closing = ui::Closing::Unanswered, .floating = true };
    const ui::WindowDescription& description() const override { return kDescription; }
    int OnMessage(MessageRecord& msg) override;
    void raise() override;

protected:
    // listToggle: the list's command that shows and hides this window.
    DisplayItemWindow(const WindowContext& context, swCWindow* list, const char* className, UINT listToggle);
    // Makes the window with the client size beside the list and its label; false when no window
    // was made.
    bool createBeside(int clientWidth, int clientHeight, UINT labelId);
    // Gives the window the client size, keeping its place.
    void setClientSize(int clientWidth, int clientHeight);
    // The interface font on the control.
    void useSmallFont(HWND control) const;
    // Enter is swallowed; Escape hides the window as the list's toggle does and gives the list
    // the keyboard back. True when the command was one of the two.
    bool dialogKey(UINT command) const;

    GameState& m_game;
    const Presentation& m_look;

private:
    UINT m_listToggle;
    info_window::DialogKeys m_dialogKeys;
};
