// The map header's settings, the country texts and the country column frame of the map settings.
#include "dialogs/map_settings_common.h"

#include "dialogs/map_facility_table.h"
#include "dialogs/map_preview_fields.h"
#include "dialogs/map_thumbnail.h"
#include "state/game_state.h"
#include "state/name_tables.h"
#include "ui/window_kit.h"

#include <algorithm>
#include <cstring>

namespace {

using ui::cp;

constexpr const char* kRowLabels[8] = { "参戦", "陣営", "ﾀｲﾌﾟ", "資金", "上限", "部隊", "BGM", "思考" };

} // namespace

DayNight dayNightOf(const MapHeader& header)
{
    if (header.dayNightTurns() != kNoAlternation)
        return DayNight::Alternating;
    return header.startTime == 1 ? DayNight::NightOnly : DayNight::DayOnly;
}

int shownDayNightTurns(const MapHeader& header)
{
    const int turns = header.dayNightTurns();
    return turns < kNoAlternation ? turns : 1;
}

std::string participationText(const CountryRecord& country)
{
    if (!country.takesPart())
        return cp("不参戦");
    return country.controller == 1 ? "USER" : "COMP";
}

int anthemChoiceCount(const GameState& state)
{
    return int(std::min(state.anthemNames().size(), state.anthemWaves().size()));
}

std::string musicNameOf(const GameState& state, int code)
{
    if (code < 50)
        return code < anthemChoiceCount(state) ? state.anthemNames()[size_t(code)] : std::string();
    const size_t entry = size_t(code - 50);
    return entry < state.musicNames().size() ? state.musicNames()[entry] : std::string();
}

std::string mapNameText(GameState& state)
{
    return cp("マップ名：") + std::string(mapName(state.mapHeader()));
}

std::string mapSizeText(GameState& state)
{
    return cp("サイズ：") + mapSizeFigure(state.mapHeader());
}

std::string difficultyText(GameState& state)
{
    return cp("  難易度：") + starRatingText(state.mapHeader().difficulty);
}

std::string colourLetter(int k)
{
    const char* name = playerColourName(k);
    return name ? std::string(name, 1) : std::string();
}

MapThumbnail* createMapPreviews(swCWindow& dialog, const GameState& game, const Presentation& look, int thumbnailId, int tableId)
{
    auto* thumbnail = new MapThumbnail(&dialog, game, look, UINT(thumbnailId), 8, 20);
    thumbnail->ready = 1;
    thumbnail->liveSource = 1;
    thumbnail->viewMode = 0;
    thumbnail->render();
    auto* table = new MapFacilityTable(&dialog, game, look, UINT(tableId), 423, 34);
    table->liveSource = 1;
    table->refresh();
    return thumbnail;
}

void showThumbnailView(MapThumbnail* thumbnail, bool buildings)
{
    if (!thumbnail)
        return;
    thumbnail->viewMode = buildings ? 1 : 0;
    thumbnail->render();
    InvalidateRect(thumbnail->handle(), nullptr, FALSE);
}

HWND makeSettingsControl(HWND dialog, const char* className, const std::string& text, DWORD style, int id, RECT frame,
    HFONT font)
{
    const DWORD exStyle = std::strcmp(className, "Edit") == 0 ? WS_EX_CLIENTEDGE : 0;
    HWND control = CreateWindowExA(exStyle, className, text.c_str(), WS_CHILD | WS_VISIBLE | style, frame.left, frame.top,
        frame.right, frame.bottom, dialog, reinterpret_cast<HMENU>(INT_PTR(id)), nullptr, nullptr);
    if (control && font)
        SendMessageA(control, WM_SETFONT, WPARAM(font), FALSE);
    return control;
}

void makeMapHeading(HWND dialog, GameState& state, HFONT font, const MapHeadingIds& ids)
{
    makeSettingsControl(dialog, "Static", mapNameText(state), SS_LEFT, ids.mapName, { 8, 4, 300, 12 }, font);
    makeSettingsControl(dialog, "Static", mapSizeText(state), SS_LEFT, ids.mapSize, { 340, 4, 96, 12 }, font);
    makeSettingsControl(dialog, "Static", cp("表示切替："), SS_LEFT, ids.viewLabel, { 160, 20, 60, 12 }, font);
    makeSettingsControl(dialog, "Button", cp("イメージ"), BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, ids.imageView,
        { 220, 20, 72, 12 }, font);
    makeSettingsControl(dialog, "Button", cp("建物"), BS_AUTORADIOBUTTON, ids.buildingsView, { 220, 35, 72, 12 }, font);
    CheckDlgButton(dialog, ids.imageView, BST_CHECKED);
    makeSettingsControl(dialog, "Static", difficultyText(state), SS_LEFT, ids.difficulty, { 160, 50, 120, 12 }, font);
}

void showSettingsControl(HWND dialog, int id, bool shown)
{
    if (HWND control = GetDlgItem(dialog, id))
        ShowWindow(control, shown ? SW_SHOW : SW_HIDE);
}

void createCountryFrame(HWND dialog, const CountryFrame& f, HFONT font)
{
    const int x = f.origin.x;
    const int y = f.origin.y;
    const int labels = f.ids.labels + 11 * f.index;
    makeSettingsControl(dialog, "Button", "", BS_GROUPBOX, f.ids.groupBox + f.index, { x, y, 150, f.pageHeight - 3 }, font);
    for (int k = 0; k < 8; ++k) {
        if (k == 6 && !f.musicLabel)
            continue;
        makeSettingsControl(dialog, "Static", cp(kRowLabels[k]), SS_LEFT, labels + k, { x + 4, y + 17 + 20 * k, 24, 12 }, font);
    }
    makeSettingsControl(dialog, "Static", cp("同盟"), SS_LEFT, labels + 8, { x + 4, y + 178, 24, 12 }, font);
    makeSettingsControl(dialog, "Static", cp("協定"), SS_LEFT, labels + 9, { x + 4, y + 216, 24, 12 }, font);
    makeSettingsControl(dialog, "Static", cp("生産"), SS_LEFT, labels + 10, { x + 78, y + 117, 24, 12 }, font);
}

void createRelationBoxes(HWND dialog, const CountryFrame& f, HFONT font)
{
    const int x = f.origin.x;
    const int y = f.origin.y;
    const DWORD box = f.editable ? BS_AUTOCHECKBOX | WS_TABSTOP : BS_CHECKBOX;
    for (int k = 0; k < 8; ++k)
        makeSettingsControl(dialog, "Button", colourLetter(k), box, f.ids.alliance + 8 * f.index + k,
            { x + 30 + 29 * (k % 4), y + 175 + 12 * (k / 4), 29, 12 }, font);
    makeSettingsControl(dialog, "Button", cp("民間人"), box, f.ids.civilian + f.index, { x + 30, y + 199, 54, 12 }, font);
    for (int k = 0; k < 8; ++k)
        makeSettingsControl(dialog, "Button", colourLetter(k), box, f.ids.pact + 8 * f.index + k,
            { x + 30 + 29 * (k % 4), y + 213 + 12 * (k / 4), 29, 12 }, font);
    showCountryFrame(dialog, f, true);
}

void showCountryFrame(HWND dialog, const CountryFrame& f, bool shown)
{
    const int labels = f.ids.labels + 11 * f.index;
    showSettingsControl(dialog, f.ids.groupBox + f.index, shown);
    for (int k = 0; k < 9; ++k)
        showSettingsControl(dialog, labels + k, shown);
    showSettingsControl(dialog, labels + 9, shown && !f.simple);
    showSettingsControl(dialog, labels + 10, shown && !f.simple);
    for (int k = 0; k < 8; ++k) {
        showSettingsControl(dialog, f.ids.alliance + 8 * f.index + k, shown);
        showSettingsControl(dialog, f.ids.pact + 8 * f.index + k, shown && !f.simple);
    }
    showSettingsControl(dialog, f.ids.civilian + f.index, shown && !f.simple);
}
