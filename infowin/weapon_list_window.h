// WeaponListWindow ("兵器一覧"): the producible unit types of a production type, or all of them, one
// per row with icon, class, name, member count and cost, sorted by the column headers. The list,
// its order and its filter live in the game state, so a reopened window shows them as they were.
#pragma once

#include "infowin/info_list_window.h"
#include "lib/control.h"
#include "lib/media/bitmap.h"
#include "ui/window_context.h"
#include "ui/private_messages.h"
#include "ui/window_kit.h"

#include <memory>

class GameState;
class WeaponListBox;
class WeaponListButton;

namespace weapon_list_id {
enum : UINT {
    kList = 1000,
    // Headers 1001..1004 sort by class, name, member count and cost.
    kFirstHeader = 1001, kFilter = 1005,
};
} // namespace weapon_list_id

class WeaponListWindow : public InfoListWindow {
public:
    static constexpr const char* kClassName = "VKRC_WEAPONLISTWINDOW_CNAME";
    static constexpr int kListWidth = 408;
    static constexpr int kHeaderHeight = 48;
    static constexpr int kRowHeight = 18;

    // Makes the window, owned by mainWindow (which receives its requests), at its kept placement.
    // Null when it could not be made (a picture missing: the error has been shown). The window
    // object deletes itself with its window.
    static WeaponListWindow* open(const WindowContext& context, swCWindow* mainWindow);
    ~WeaponListWindow() override;

    static constexpr ui::WindowDescription kDescription = ui::floatingWindow(kClassName, ui_message::kCloseWeaponList);
    const ui::WindowDescription& description() const override { return kDescription; }
    int OnMessage(MessageRecord& msg) override;
    int OnCommand(MessageRecord& msg, UINT id, UINT code) override;

    // The unit-type id of list row i; 0 outside the list.
    int rowTypeId(int row) const;
    HWND listHandle() const;
    int fullWidth() const;

private:
    void limitTracking(MINMAXINFO& info) const override;
    void snap(RECT& rect, WPARAM edge) const override;
    WeaponListWindow(const WindowContext& context, swCWindow* mainWindow);
    // False when no window was made; a window whose controls failed is destroyed.
    bool create(bool& windowMade);
    void createControls();
    void fillFilter(int selectedFilter);
    int chosenFilter() const;
    void rebuild(int filter);
    void pressHeader(int key);
    void redrawList();

    GameState& m_game;
    Presentation& m_look;
    swCBitmap m_strip;
    std::unique_ptr<GdiObjectHolder> m_listBrush;
    ComboBoxControl* m_filter = nullptr;
    WeaponListBox* m_list = nullptr;
    WeaponListButton* m_headers[4] = {};
};
