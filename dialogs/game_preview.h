// The preview buffers of the file dialogs and their filling from map, scenario, campaign and saved-game
// files through the state's readers, without loading anything into the game.
#pragma once

#include "state/campaign_block.h"
#include "state/map_file_layout.h"
#include "state/map_header.h"
#include "state/scenario_block.h"
#include "state/turn_block.h"

#include <array>
#include <memory>
#include <optional>
#include <string>

struct PreviewBuffers {
    PreviewBuffers();

    ScenarioBlock scenario {};
    MapHeader header {};
    std::array<FileCountryRecord, kMaxCountryRecords> countries {};
    CampaignRecord campaign {};
    CampaignBlock campaignBlock {};
    TurnBlock turn {};
    // 65536 hex records, allocated once and reused.
    std::unique_ptr<FileMapCell[]> cells;

    // Zeroes the scenario block, the map header and every hex record.
    void clearMap();
};

// Each answers false, leaving what it read half-filled, when the file is missing, damaged or refused.
bool readMapPreview(const std::string& path, PreviewBuffers& out);
// The campaign record and its first map.
bool readCampaignPreview(const std::string& path, PreviewBuffers& out);
// The campaign block, map header, turn block and hex records of a saved game.
bool readSavedGamePreview(const std::string& path, PreviewBuffers& out);

// A list entry's title: a campaign's name, else the map name, with the file's style and shade. Maps
// and scenarios are read header-only; nothing for an unreadable file.
struct EntryTitle {
    uint8_t style = 0;
    uint8_t shade = 0;
    std::string text;
};
std::optional<EntryTitle> readEntryTitle(const std::string& path, bool campaign);

// "日　付：…\r\n時　間：…\r\nターン：…\r\n担　当：…" (CP932) from the file's last-write time in local
// time and the turn block; the side is empty for 8 and above.
std::string savedGameDataText(const std::string& path, const TurnBlock& turn);
