// DisplayItemWindow: the base of the lists' display-item windows ("表示項目"): a hidden dialog-
// framed tool popup owned by its list, placed beside it, with its label at the top; a left button
// on it raises the list.
#pragma once

#include "lib/window.h"

class DisplayItemWindow : public swCWindow {
public:
    int OnMessage(MessageRecord& msg) override;

protected:
    DisplayItemWindow(const char* className, swCWindow* list);
    // Makes the window with the client size beside the list and its label; false when no window
    // was made.
    bool createBeside(int clientWidth, int clientHeight, UINT labelId);
    // Gives the window the client size, keeping its place.
    void setClientSize(int clientWidth, int clientHeight);
    // The interface font on the control.
    static void useSmallFont(HWND control);

private:
    void raiseList() const;
};
