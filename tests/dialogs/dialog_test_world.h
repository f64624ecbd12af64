// A started game with the colour strips the map previews draw from, and writers of the map,
// scenario and campaign files the dialogs list.
#pragma once

#include "lib/media/bitmap.h"
#include "state/campaign_file.h"
#include "state/data_path.h"
#include "state/map_file.h"
#include "tests/lib/window_test_support.h"
#include "tests/ui/looked_world.h"

#include <chrono>
#include <cstring>
#include <thread>
#include <filesystem>
#include <string>
#include <vector>

namespace testing_dialogs {

struct MapFacts {
    std::string name = "map";
    int width = 10;
    int height = 8;
    uint8_t style = 0;
    uint8_t shade = 0;
    uint8_t difficulty = 2;
    uint16_t turnLimit = 30;
    std::string description;
};

class MapFilesWorld : public testing_ui::LookedWorld {
public:
    explicit MapFilesWorld(int width = 8, int height = 8)
        : LookedWorld(width, height)
    {
        testing_lib::initApplication();
        namespace fs = std::filesystem;
        const fs::path generated = fs::path(DERAZODO_PROGRAM_DIR) / "tkbmp";
        fs::create_directories(host("tkbmp"));
        for (const char* name : { "hq1.bmp", "hq2.bmp", "hqc1.bmp", "hqc2.bmp", "cmark18_14.bmp" })
            fs::copy_file(generated / name, host(std::string("tkbmp/") + name), fs::copy_options::overwrite_existing);
        const int strips[] = { kTerrainStrip1, kTerrainStrip2, kOwnerStrip1, kOwnerStrip2 };
        const char* files[] = { "hq1.bmp", "hq2.bmp", "hqc1.bmp", "hqc2.bmp" };
        for (int i = 0; i < 4; ++i)
            look().baseBitmap(strips[i])->bitmapLoadFile(dataPath(files[i], kFolderBitmap).c_str());
    }

    // The game's form of a path below the program folder.
    std::string gamePath(const std::string& name) const { return platform::gamePathFromHost(host(name)); }

    static ScenarioFile scenario(const MapFacts& facts, int terrain = 0)
    {
        ScenarioFile f;
        f.header.width = uint16_t(facts.width);
        f.header.height = uint16_t(facts.height);
        auto* bytes = reinterpret_cast<uint8_t*>(&f.header);
        std::memcpy(bytes + 16, facts.description.data(), std::min<size_t>(facts.description.size(), 500));
        bytes[530] = facts.style;
        bytes[531] = facts.shade;
        bytes[535] = facts.difficulty;
        std::memcpy(bytes + 536, &facts.turnLimit, 2);
        std::memcpy(bytes + 538, facts.name.data(), std::min<size_t>(facts.name.size(), 42));
        f.cells.assign(size_t(facts.width) * size_t(facts.height), FileMapCell {});
        for (FileMapCell& c : f.cells)
            c.terrain = uint8_t(terrain);
        return f;
    }

    void writeMap(const std::string& name, const MapFacts& facts) const
    {
        const std::vector<uint8_t> bytes = writeScenarioBytes(scenario(facts));
        write(name, std::string(bytes.begin(), bytes.end()));
    }
    void writeMap(const std::string& name, const ScenarioFile& file) const
    {
        const std::vector<uint8_t> bytes = writeScenarioBytes(file);
        write(name, std::string(bytes.begin(), bytes.end()));
    }

    void writeCampaign(const std::string& name, const std::string& title, int maps, const MapFacts& first) const
    {
        CampaignRecord record {};
        std::memcpy(record.name, title.data(), std::min<size_t>(title.size(), sizeof record.name));
        record.mapCount = int8_t(maps);
        record.titleStyle = 3;
        record.titleShade = 1;
        std::vector<std::vector<uint8_t>> images(size_t(maps), writeScenarioBytes(scenario(first)));
        const std::vector<uint8_t> bytes = writeCampaignBytes(record, images);
        write(name, std::string(bytes.begin(), bytes.end()));
    }
};

// A modal dialog is found by its title while it still initialises: it is worked once its loop shows it.
inline void waitUntilShown(HWND dialog)
{
    for (int i = 0; i < 500 && !IsWindowVisible(dialog); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    platform::harness::waitIdle();
}

// The colour of a pixel of a control's picture.
inline COLORREF pixelOf(HBITMAP picture, int x, int y)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, picture);
    const COLORREF colour = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteDC(dc);
    return colour & 0xFFFFFF;
}

inline bool anyPixelIn(HBITMAP picture, RECT area, COLORREF colour)
{
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (pixelOf(picture, x, y) == colour)
                return true;
    return false;
}

} // namespace testing_dialogs
