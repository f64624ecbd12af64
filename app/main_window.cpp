// MainWindow: creation centred in the work area and the title.
#include "app/main_window.h"

#include "lib/application.h"
#include "platform/kernel/host.h"

#include <algorithm>

namespace {

std::string newGameTitle()
{
    return platform::utf8ToCp932("新規ゲーム");
}

} // namespace

MainWindow::MainWindow()
    : swCFrameWindow(kClassName)
    , m_titleText(newGameTitle())
{
    m_title = m_titleText.c_str();
}

MainWindow::~MainWindow()
{
    swCApplication& app = theApplication();
    if (app.mainWindow() == this)
        app.setMainWindow(nullptr);
}

bool MainWindow::createCentred()
{
    RECT area {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    int width = std::min<int>(kWidth, area.right - area.left);
    int height = std::min<int>(kHeight, area.bottom - area.top);
    setFrame(area.left + (area.right - area.left - width) / 2, area.top + (area.bottom - area.top - height) / 2,
        width, height);
    return Create();
}

void MainWindow::setTitle(const char* cp932Title)
{
    m_titleText = cp932Title ? cp932Title : newGameTitle();
    m_title = m_titleText.c_str();
    if (handle())
        SetWindowTextA(handle(), m_title);
}
