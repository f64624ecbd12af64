// swCHandleWindow: an object bound to a window that exists already, found by windowFromHandle
// but not subclassed (the parent of controls inside a system dialog).
#pragma once

#include "lib/window.h"

class swCHandleWindow : public swCWindow {
public:
    // A null handle leaves the object unbound.
    explicit swCHandleWindow(HWND handle);
    // Takes the property away again; the window keeps its own procedure.
    ~swCHandleWindow() override;
};
