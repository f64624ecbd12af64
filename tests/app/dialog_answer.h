// Answers the next dialog of a title from a thread of its own while the test thread runs the
// dialog's modal loop inside the order that opened it; and the pictures the play dialogs need.
#pragma once

#include "tests/lib/window_test_support.h"
#include "tests/platform/commdlg/dialog_driver.h"
#include "tests/state/state_test_support.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>

namespace testing_app {

class DialogAnswer {
public:
    DialogAnswer(std::string title, std::function<void(HWND)> act)
        : m_thread([this, title = std::move(title), act = std::move(act)] {
            HWND dialog = dialogtest::waitForWindow(title.c_str());
            if (!dialog) {
                m_done = true;
                return;
            }
            dialogtest::untilShown(dialog);
            act(dialog);
            m_answered = true;
            // What the answer left open is cancelled, so a failing test never hangs.
            for (int i = 0; i < 100 && IsWindow(dialog); ++i) {
                PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
            m_done = true;
        })
    {
    }
    // The answer's clicks wait for the program to be idle: this thread handles its messages
    // meanwhile instead of holding them up until the wait times out.
    ~DialogAnswer()
    {
        while (!m_done) {
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
                if (msg.message != WM_QUIT)
                    DispatchMessageA(&msg);
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        }
        m_thread.join();
    }
    DialogAnswer(const DialogAnswer&) = delete;
    DialogAnswer& operator=(const DialogAnswer&) = delete;

    bool answered() const { return m_answered; }

private:
    std::atomic<bool> m_answered { false };
    std::atomic<bool> m_done { false };
    std::thread m_thread;
};

inline void pressControl(HWND dialog, int id)
{
    testing_lib::clickCentre(GetDlgItem(dialog, id));
    dialogtest::settle();
}

// Clicks (or double-clicks) row `item` of a list box.
inline void pressListRow(HWND list, int item, bool twice = false)
{
    RECT row {};
    SendMessageA(list, LB_GETITEMRECT, WPARAM(item), LPARAM(&row));
    POINT p { (row.left + row.right) / 2, (row.top + row.bottom) / 2 };
    ClientToScreen(list, &p);
    if (twice)
        platform::harness::doubleClick(p.x, p.y);
    else
        platform::harness::click(p.x, p.y);
    dialogtest::settle();
}

// The generated pictures in a test's program folder made after its start-up: the dialogs load their
// backgrounds and buttons from it.
inline void linkPictures(const std::string& hostFolder)
{
    testing_state::linkGeneratedFolder(hostFolder, "tkbmp");
}

} // namespace testing_app
