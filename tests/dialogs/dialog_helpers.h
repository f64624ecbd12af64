// What the dialogs' tests share, whichever world they start: text in the game's code page,
// numbered text lines, a modal dialog run while a driver works it from another thread, and a
// person's clicks.
#pragma once

#include "platform/desktop/harness.h"
#include "tests/lib/window_test_support.h"
#include "tests/platform/commdlg/dialog_driver.h"

#include <functional>
#include <string>

namespace dialog_helpers {

using testing_lib::cp;

// "line0\n" .. one line per number.
inline std::string numberedLines(int count, const char* word = "line")
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += word + std::to_string(i) + "\n";
    return text;
}

// Runs `modal` while `driver` works the window named `title` from another thread. A dialog is
// found by its title while it still initialises: it is worked once its loop shows it.
template <class Modal>
auto drive(const std::string& title, Modal modal, std::function<void(HWND)> driver)
{
    return dialogtest::drive(title.c_str(), modal, [&](HWND dialog) {
        dialogtest::untilShown(dialog);
        driver(dialog);
    });
}

inline void clickAt(HWND window, int x, int y, platform::harness::Button button = platform::harness::Button::Left)
{
    const POINT p = dialogtest::screenOf(window, x, y);
    platform::harness::click(p.x, p.y, button);
    dialogtest::settle();
}

// Whether the dialog's own item of the id (not one on a page below it) takes input.
inline bool itemEnabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }

} // namespace dialog_helpers
