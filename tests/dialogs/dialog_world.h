// A small started world for the play popups' tests: the pictures of the drawn windows, a main
// window stand-in that owns them, and units and buildings to show.
#pragma once

#include "tests/dialogs/dialog_helpers.h"
#include "tests/dialogs/popup_driver.h"
#include "tests/lib/window_test_support.h"
#include "tests/ui/looked_world.h"

#include "dialogs/game_end_window.h"
#include "lib/application.h"
#include "state/unit_facts.h"
#include "ui/main_window_services.h"

#include <atomic>
#include <filesystem>
#include <mutex>
#include <vector>
#include <string>

namespace dialogs_test {

namespace harness = platform::harness;
using namespace std::chrono_literals;

using dialog_helpers::cp;

// The main window as the popups see it: a plain top-level window they centre over and post to.
class OwnerServices : public MainWindowServices {
public:
    HWND mainWindow() const override { return window; }
    void unloadSound(int) override { }
    void restartMusic() override { }
    void fadeOutMusic() override { }
    HWND window = nullptr;
};

// The main window whose jingle plays until the test lets it end.
class JinglePlaying : public OwnerServices {
public:
    bool isSoundPlaying(int slot) const override { return slot == GameEndWindow::kJingleSlot && playing; }
    std::atomic<bool> playing = true;
};

// The owner records the requests the popups post to the main window (WM_USER+150 and up).
class RecordingOwner : public testing_lib::TopWindow {
public:
    RecordingOwner()
        : TopWindow("DialogsTestOwner")
    {
    }
    int OnMessage(MessageRecord& msg) override
    {
        if (msg.message >= WM_USER + 150 && msg.message <= WM_USER + 200) {
            std::lock_guard<std::mutex> lock(m_lock);
            m_posts.push_back({ msg.message, msg.wParam, msg.lParam });
            return 1;
        }
        return swCWindow::OnMessage(msg);
    }
    struct Post {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    std::vector<Post> posts()
    {
        std::lock_guard<std::mutex> lock(m_lock);
        return m_posts;
    }
    int count(UINT message)
    {
        int n = 0;
        for (const Post& p : posts())
            n += p.message == message;
        return n;
    }
    void clear()
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_posts.clear();
    }

private:
    std::mutex m_lock;
    std::vector<Post> m_posts;
};

class DialogWorld : public testing_ui::LookedWorld {
public:
    DialogWorld()
        : LookedWorld(8, 8)
    {
        namespace fs = std::filesystem;
        testing_lib::initApplication();
        fs::copy(fs::path(DERAZODO_PROGRAM_DIR) / "tkbmp", host("tkbmp"), fs::copy_options::recursive | fs::copy_options::overwrite_existing);
        platform::harness::clearMessageBoxes();
        platform::harness::setDefaultMessageBoxAnswer(0);
        m_owner = new RecordingOwner();
        m_owner->setFrame(100, 80, 800, 600);
        m_owner->Create();
        m_services.window = m_owner->handle();
        setMainWindowServices(&m_services);
        for (int c = 0; c < kCountryCount; ++c) {
            CountryRecord& country = state().country(c);
            std::snprintf(country.name, sizeof country.name, "%s", cp(kNames[c]).c_str());
            country.inPlay = 1;
        }
        testing_lib::pump();
    }
    ~DialogWorld()
    {
        setMainWindowServices(nullptr);
        if (IsWindow(m_services.window))
            DestroyWindow(m_services.window);
        testing_lib::pump();
    }

    RecordingOwner* owner() { return m_owner; }
    HWND ownerHandle() const { return m_services.window; }

    // The first available type of the domain (3 land, 4 sea).
    int typeOfDomain(int domain, int minimumMembers = 1)
    {
        for (const UnitTypeRecord& type : state().unitTypes())
            if (type.available && type.id > 0 && type.domain == domain && type.members >= minimumMembers)
                return type.id;
        ADD_FAILURE() << "no unit type of domain " << domain;
        return 0;
    }
    int landType(int minimumMembers = 1) { return typeOfDomain(3, minimumMembers); }
    void nameUnit(int side, int index, const char* utf8)
    {
        std::snprintf(unit(side, index).name, sizeof unit(side, index).name, "%s", cp(utf8).c_str());
    }

private:
    static constexpr const char* kNames[kCountryCount] = { "青国", "赤国", "緑国", "黄国", "紫国", "水国", "橙国", "桃国" };
    RecordingOwner* m_owner = nullptr;
    OwnerServices m_services;
};

} // namespace dialogs_test
