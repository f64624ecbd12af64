// MainWindow: the program's top-level window; its end ends the message loop.
#pragma once

#include "lib/frame_window.h"

#include <string>

class MainWindow : public swCFrameWindow {
public:
    static constexpr const char* kClassName = "DERAZODO_MAINWINDOW_CNAME";
    static constexpr int kWidth = 800;
    static constexpr int kHeight = 600;

    MainWindow();
    ~MainWindow() override;

    // Creates the window centred in the work area; false when no window was made.
    bool createCentred();
    // "新規ゲーム" while no game is loaded.
    void setTitle(const char* cp932Title = nullptr);

private:
    std::string m_titleText;
};
