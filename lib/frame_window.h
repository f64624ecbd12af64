// swCFrameWindow: a top-level window whose end ends the message loop (the main window).
#pragma once

#include "lib/window.h"

class swCFrameWindow : public swCWindow {
public:
    explicit swCFrameWindow(const char* className = nullptr);
    // Posts WM_QUIT with exit code 0 on the destroying thread.
    ~swCFrameWindow() override;
};
