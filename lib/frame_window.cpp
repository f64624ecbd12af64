// swCFrameWindow: overlapped style, the application icon, WM_QUIT when it goes.
#include "lib/frame_window.h"

swCFrameWindow::swCFrameWindow(const char* className)
    : swCWindow(className, nullptr, 0)
{
    m_style = WS_OVERLAPPEDWINDOW;
    if (!m_windowClass.hIcon)
        m_windowClass.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
}

swCFrameWindow::~swCFrameWindow()
{
    PostQuitMessage(0);
}
