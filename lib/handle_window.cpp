// swCHandleWindow: binding to a foreign window without replacing its procedure.
#include "lib/handle_window.h"

swCHandleWindow::swCHandleWindow(HWND handle)
    : swCWindow(nullptr, nullptr, 0)
{
    m_x = m_y = m_width = m_height = 0;
    if (handle)
        windowAttach(handle, true);
}

swCHandleWindow::~swCHandleWindow()
{
    windowDetach(true);
}
