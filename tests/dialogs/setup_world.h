// A small started game for the set-up dialogs: the pictures of the briefing and news pages, the
// thumbnail colour strips, countries taking part, and helpers that drive the dialogs on the
// headless desktop and capture them.
#pragma once

#include "dialogs/briefing_text.h"
#include "tests/dialogs/dialog_helpers.h"
#include "tests/lib/window_pictures.h"
#include "tests/lib/window_test_support.h"
#include "tests/platform/commdlg/dialog_driver.h"
#include "tests/ui/looked_world.h"

#include "lib/application.h"
#include "state/data_path.h"

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <string>
#include <thread>
#include <vector>

namespace setup_test {

namespace harness = platform::harness;
using dialogtest::settle;
using dialog_helpers::clickAt, dialog_helpers::cp, dialog_helpers::drive, dialog_helpers::numberedLines;

class SetUpWorld : public testing_ui::LookedWorld {
public:
    explicit SetUpWorld(int width = 12, int height = 10)
        : LookedWorld(width, height)
    {
        theApplication().appInit(GetModuleHandleA(nullptr), nullptr, "", SW_SHOWNORMAL);
        namespace fs = std::filesystem;
        fs::create_directories(host("tkbmp"));
        for (const char* picture : { "news.bmp", "news2.bmp", "mission1.bmp", "mission2.bmp", "btn100x26.bmp", "hq1.bmp",
                 "hq2.bmp", "hqc1.bmp", "hqc2.bmp" })
            fs::copy_file(fs::path(DERAZODO_PROGRAM_DIR) / "tkbmp" / picture, host(std::string("tkbmp/") + picture),
                fs::copy_options::overwrite_existing);
        const int strips[] = { kTerrainStrip1, kTerrainStrip2, kOwnerStrip1, kOwnerStrip2 };
        const char* files[] = { "hq1.bmp", "hq2.bmp", "hqc1.bmp", "hqc2.bmp" };
        for (int i = 0; i < 4; ++i)
            look().baseBitmap(strips[i])->bitmapLoadFile(dataPath(files[i], kFolderBitmap).c_str());
        harness::clearMessageBoxes();
        harness::setDefaultMessageBoxAnswer(IDOK);
        // Nobody takes part until a test says so.
        for (int c = 0; c < kCountryCount; ++c)
            state().country(c).controller = 0;
        // As the sample maps are made: days only, 30 turns.
        MapHeader& header = state().mapHeader();
        header.dayNightLow = 1000 & 0xFF;
        header.dayNightHigh = 1000 >> 8;
        reinterpret_cast<uint8_t*>(&header)[536] = 30;
    }

    // The first available land unit type.
    int landType()
    {
        for (const UnitTypeRecord& type : state().unitTypes())
            if (type.available && type.id > 0 && type.domain == 3)
                return type.id;
        ADD_FAILURE() << "no land unit type";
        return 0;
    }

    // Countries taking part, each alone in its alliance, with sound limits.
    void play(std::initializer_list<int> countries)
    {
        for (int c : countries) {
            CountryRecord& r = state().country(c);
            r.controller = 2;
            r.inPlay = 1;
            r.allianceMask = uint8_t(1u << c);
            r.unitListLength = 100;
            r.productionLimit = 10;
            r.funds = 1000;
            r.initialFunds = 1000;
            r.fundsCeiling = 50000;
            std::snprintf(r.name, sizeof r.name, "country%d", c);
        }
    }

    // One of the scenario block's texts, given in UTF-8.
    void text(int offset, const char* utf8)
    {
        const std::string bytes = cp(utf8);
        std::memcpy(state().scenarioBlock().bytes + offset, bytes.c_str(), bytes.size() + 1);
    }
    void pageKinds(PageKind news, PageKind mission)
    {
        state().scenarioBlock().bytes[scenario_text::kNewsKind] = uint8_t(news);
        state().scenarioBlock().bytes[scenario_text::kMissionKind] = uint8_t(mission);
    }
};

// The window of that title once its loop shows it; null when none came.
inline HWND waitForShown(const std::string& title)
{
    HWND window = dialogtest::waitForWindow(title.c_str());
    dialogtest::untilShown(window);
    return window;
}

// A control anywhere below the window (the settings' slots stand on a page).
inline HWND control(HWND window, int id) { return testing_lib::descendant(window, id); }
inline bool shown(HWND window, int id)
{
    HWND item = control(window, id);
    return item && IsWindowVisible(item);
}
inline bool enabled(HWND window, int id) { return IsWindowEnabled(control(window, id)) != FALSE; }
inline bool checked(HWND window, int id) { return SendMessageA(control(window, id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

// A click in the middle of the control, or at its left end where a box has its mark.
inline void clickControl(HWND window, int id, int dx = -1)
{
    HWND target = control(window, id);
    ASSERT_NE(target, nullptr) << id;
    RECT r {};
    GetClientRect(target, &r);
    POINT p { dx < 0 ? r.right / 2 : dx, r.bottom / 2 };
    ClientToScreen(target, &p);
    harness::click(p.x, p.y);
    settle();
}

// Chooses the drop-down item whose text is given, as a person's choice would (the owner is told).
inline void chooseItem(HWND window, int id, const std::string& text)
{
    HWND combo = control(window, id);
    const LRESULT index = SendMessageA(combo, CB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(text.c_str()));
    ASSERT_GE(index, 0) << text;
    SendMessageA(combo, CB_SETCURSEL, WPARAM(index), 0);
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), LPARAM(combo));
    settle();
}

// Keys pressed as a person would, the first ones held down while the last goes, then settled.
inline void pressKeys(const std::vector<UINT>& keys)
{
    for (size_t k = 0; k + 1 < keys.size(); ++k)
        harness::keyDown(keys[k]);
    harness::pressKey(keys.back());
    for (size_t k = keys.size() - 1; k-- > 0;)
        harness::keyUp(keys[k]);
    settle();
}

inline std::string textOf(HWND window, int id)
{
    char text[256] = {};
    GetWindowTextA(control(window, id), text, sizeof text);
    return text;
}

using testing_lib::capture, testing_lib::clientPixel, testing_lib::inkIn;

} // namespace setup_test
