// Driving a modal common dialog from a second thread while the test thread runs it, and a
// scratch folder of files to browse.
#pragma once

#include "platform/commdlg/commdlg.h"
#include "platform/controls/commctrl.h"
#include "platform/desktop/harness.h"
#include "platform/gdi/wingdi.h"
#include "platform/kernel/host.h"

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>

namespace dialogtest {

namespace harness = platform::harness;

// A scratch folder; paths are given in the game's form ("\" separated, CP932).
class ScratchFolder {
public:
    ScratchFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "commdlg-test-XXXXXX").string();
        m_host = mkdtemp(pattern.data());
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_host, ignored);
    }
    void file(const std::string& name) const { std::ofstream(m_host + "/" + name) << "x"; }
    void folder(const std::string& name) const { std::filesystem::create_directories(m_host + "/" + name); }
    std::string game(const std::string& name = "") const
    {
        return platform::gamePathFromHost(name.empty() ? m_host : m_host + "/" + name);
    }

private:
    std::string m_host;
};

// A window is found once it is shown: a dialog exists, hidden, while its initialisation still runs
// on its own thread, and that thread does not count as busy meanwhile. Once the call that was to
// show it has returned (`returned`) and the program is idle with no such window, none comes.
inline HWND waitForWindow(const char* title, const std::atomic<bool>* returned = nullptr)
{
    for (int i = 0; i < 500; ++i) {
        HWND found = FindWindowA(nullptr, title);
        if (found && IsWindowVisible(found)) {
            harness::waitIdle();
            return found;
        }
        if (!found && returned && *returned && harness::waitIdle() && !FindWindowA(nullptr, title))
            return nullptr;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return nullptr;
}

inline POINT screenOf(HWND hwnd, int x, int y)
{
    POINT p { x, y };
    ClientToScreen(hwnd, &p);
    return p;
}

inline void settle()
{
    harness::waitIdle();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    harness::waitIdle();
}

// A dialog exists, hidden, while it still initialises: it is worked once its loop shows it.
inline void untilShown(HWND window)
{
    for (int i = 0; window && i < 500 && !IsWindowVisible(window); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    settle();
}

// Runs `modal` on this thread while `driver` works the dialog titled `title` from another.
// Whatever the driver leaves open is cancelled, so a failing test never hangs; after the dialog
// this thread keeps handling its messages until the driver is done, so waiting for idle works.
template <class Modal>
auto drive(const char* title, Modal modal, std::function<void(HWND)> driver)
{
    std::atomic<bool> done { false };
    std::atomic<bool> returned { false };
    std::thread helper([&] {
        HWND dialog = waitForWindow(title, &returned);
        if (dialog)
            driver(dialog);
        for (int i = 0; i < 100 && IsWindow(dialog); ++i) {
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        done = true;
    });
    auto result = modal();
    returned = true;
    while (!done) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    helper.join();
    return result;
}

} // namespace dialogtest
