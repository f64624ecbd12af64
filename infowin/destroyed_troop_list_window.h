// DestroyedTroopListWindow ("全滅部隊表"): one country's destroyed units, by turn, troop number,
// position or name, with what the viewing country did not see left as dashes.
#pragma once

#include "infowin/info_list_window.h"
#include "lib/control.h"
#include "ui/window_context.h"
#include "ui/private_messages.h"
#include "ui/window_kit.h"

#include <string>

class BitmapButton;
class GameState;
class Presentation;
struct DestroyedUnitRecord;

// The destroyed unit's name: its first 32 bytes, which need not end in a terminator.
std::string destroyedUnitName(const DestroyedUnitRecord& entry);

// The owner-drawn rows; item data i reads key i of the shown country's destroyed-key vector.
class DestroyedTroopListBox : public ChildControl {
public:
    static constexpr int kWidth = 342;
    DestroyedTroopListBox(swCWindow* owner, GameState& game, const Presentation& look);
    void setCountry(int country) { m_country = country; }
    int country() const { return m_country; }
    void DrawItem(DRAWITEMSTRUCT* item) override;

private:
    GameState& m_game;
    const Presentation& m_look;
    int m_country = -1;
};

class DestroyedTroopListWindow : public InfoListWindow {
public:
    static constexpr const char* kClassName = "VKRC_DESTROYTROOPLISTWINDOW_CNAME";
    static constexpr int kHeaderHeight = 20;
    static constexpr int kKeyCount = 4;

    // Made owned by mainWindow at its kept placement; null when it could not be made.
    static DestroyedTroopListWindow* open(const WindowContext& context, swCWindow* mainWindow);

    static constexpr ui::WindowDescription kDescription =
        ui::floatingWindow(kClassName, ui_message::kCloseDestroyedList);
    const ui::WindowDescription& description() const override { return kDescription; }

    int OnMessage(MessageRecord& msg) override;
    int OnCommand(MessageRecord& msg, UINT id, UINT code) override;

    int country() const { return m_country; }
    HWND listHandle() const;

private:
    void limitTracking(MINMAXINFO& info) const override;
    void snap(RECT& rect, WPARAM edge) const override;
    DestroyedTroopListWindow(const WindowContext& context, swCWindow* mainWindow);
    bool create(bool& windowMade);
    void showCountry(int country);
    int chooseCountry() const;
    void chooseKey(int key);
    void sortAndRepaint();
    int maxRows() const;

    GameState& m_game;
    Presentation& m_look;
    int m_country = -1;
    DestroyedTroopListBox* m_list = nullptr;
    BitmapButton* m_headers[kKeyCount] = {};
};
