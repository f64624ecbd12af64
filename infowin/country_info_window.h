// CountryInfoWindow ("陣営情報"): the eight countries side by side on a drawn board (name, player,
// state, funds, income, buildings, units, production type, anthem, allies and pacts), with the
// anthem of a country in play chosen by a click on its anthem cell. The board's drawing is shared
// with the end-of-game summary, which calls it with its own flags.
#pragma once

#include "lib/control.h"
#include "lib/media/bitmap.h"
#include "ui/info_window_frame.h"
#include "ui/window_context.h"
#include "ui/private_messages.h"
#include "ui/window_kit.h"

#include <string>

class GameState;

namespace country_info_id {
constexpr UINT kAnthemCombo = 1009;
} // namespace country_info_id

// How a table is drawn: hiding others' figures under the rules (the window during play), and the
// end-of-game summary's shorter rows.
enum class BoardDisclosure { Everything, ByRules };
enum class BoardKind { Window, Ending };

// What one cell of a country shows (country_board::Row, not the colour row): its text, grey for a
// country that is out or beaten.
struct BoardCell {
    std::string text; // CP932
    bool grey = false;
};
BoardCell countryBoardCell(GameState& state, int country, int row, BoardDisclosure disclosure);
// The countries whose colour marks the alliance or pact row shows, and how many marks the row is
// centred on.
struct BoardMarks {
    unsigned countries = 0;
    int centredOn = 0;
};
BoardMarks countryBoardMarks(GameState& state, int country, int row);

class CountryInfoWindow : public ui::KitWindow<swCWindow> {
public:
    static constexpr const char* kClassName = "VKRC_COUNTRYINFOWINDOW_CNAME";

    // Makes and shows the window owned by mainWindow at its kept position; null when it could not be
    // made (a picture missing: the error has been shown). The object deletes itself with its window.
    static CountryInfoWindow* open(const WindowContext& context, swCWindow* mainWindow);

    // The row titles of both blocks, black in the text font.
    static void drawHeader(HDC dc, const Presentation& look, const GameState& state, BoardKind kind);
    // Every taking-part country's cells; each cell is first restored from `clean` when given.
    static void drawTable(HDC dc, const Presentation& look, GameState& state, const swCBitmap* clean, BoardDisclosure disclosure, BoardKind kind);
    // The top of block 0 or 1 of the board (simple: the simple mode's board).
    static int blockTop(int block, BoardKind kind, bool simple);

    static constexpr ui::WindowDescription kDescription =
        ui::floatingWindow(kClassName, ui_message::kCloseCountryInfo, true);
    const ui::WindowDescription& description() const override { return kDescription; }
    HBITMAP background() const override { return m_board.handle(); }
    int OnMessage(MessageRecord& msg) override;
    int OnCommand(MessageRecord& msg, UINT id, UINT code) override;

    // The country whose anthem the combo box is choosing; -1 for none.
    int anthemCountry() const { return m_anthemCountry; }
    HWND anthemCombo() const;
    // The board as shown.
    const swCBitmap& board() const { return m_board; }

private:
    info_window::DialogKeys m_dialogKeys;
    CountryInfoWindow(const WindowContext& context, swCWindow* mainWindow);
    int boardHeight() const;
    bool create(bool& windowMade);
    void loadPictures();
    void redrawBoard(bool titles);
    void fillAnthems();
    void anthemClick(int x, int y);
    void anthemChosen();

    WindowContext m_context;
    swCBitmap m_board;
    swCBitmap m_cleanBoard;
    ComboBoxControl* m_anthemCombo = nullptr;
    int m_anthemCountry = -1;
};
