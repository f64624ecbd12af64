// What the map settings dialog and the map settings list share: the map header's settings, the
// texts they show for a country, and the frame of a country's column (group box, row labels and
// the colour-letter boxes of alliances, civilians and pacts).
#pragma once

#include "dialogs/map_settings_ids.h"
#include "platform/windows.h"
#include "state/map_header.h"

#include <string>

class GameState;
class MapThumbnail;
class Presentation;
class swCWindow;
struct CountryRecord;

// The day-and-night word says after how many turns day and night change; 1000 never.
constexpr int kNoAlternation = 1000;
enum class DayNight { DayOnly, NightOnly, Alternating };

DayNight dayNightOf(const MapHeader& header);
// The turns the settings show: the word below 1000, else 1.
int shownDayNightTurns(const MapHeader& header);

// Texts in CP932.
// "不参戦" for a country out of the game, else "USER" or "COMP".
std::string participationText(const CountryRecord& country);
// The built-in anthem's name below code 50, else the user music file's; empty when the lists
// hold neither.
std::string musicNameOf(const GameState& state, int code);
// How many built-in anthems can be chosen: the shorter of the name and file lists.
int anthemChoiceCount(const GameState& state);
// "マップ名：%s", "サイズ：%dx%d", "  難易度：%s".
std::string mapNameText(GameState& state);
std::string mapSizeText(GameState& state);
std::string difficultyText(GameState& state);
// The first letter of the colour name of country k.
std::string colourLetter(int k);

// The map's thumbnail at (8, 20) and its facility table at (423, 34), both drawn from the game at
// once; the image view is shown first.
MapThumbnail* createMapPreviews(swCWindow& dialog, const GameState& game, const Presentation& look, int thumbnailId, int tableId);
// The thumbnail's view after a click on its radio buttons.
void showThumbnailView(MapThumbnail* thumbnail, bool buildings);

// A control of the dialogs in the given font; text in CP932.
HWND makeSettingsControl(HWND dialog, const char* className, const std::string& text, DWORD style, int id, RECT frame,
    HFONT font);
void showSettingsControl(HWND dialog, int id, bool shown);
// The dialogs' heading (map name, size, view switch with the image view chosen, difficulty).
void makeMapHeading(HWND dialog, GameState& state, HFONT font, const MapHeadingIds& ids);

// The ids of a country column's frame, for column index i (a slot or a country).
struct CountryFrameIds {
    int groupBox;
    int labels;
    int alliance;
    int civilian;
    int pact;
};
struct CountryFrame {
    CountryFrameIds ids;
    int index = 0;
    POINT origin {};
    int pageHeight = 0;
    bool simple = false;
    // The map settings put the music preview button where the list has its "BGM" label.
    bool musicLabel = true;
    // Boxes the person may click (the settings) or read-only ones (the list).
    bool editable = false;
};
// The group box and row labels; then, after the column's own fields so that Tab reaches them in
// reading order, the alliance, civilian and pact boxes.
void createCountryFrame(HWND dialog, const CountryFrame& frame, HFONT font);
void createRelationBoxes(HWND dialog, const CountryFrame& frame, HFONT font);
// Every control of the frame (group box, labels and boxes) shown or hidden; the simple mode's
// civilian and pact rows stay hidden.
void showCountryFrame(HWND dialog, const CountryFrame& frame, bool shown);
