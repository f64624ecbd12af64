// LandListWindow ("地形情報"): one row per terrain or building type, with the icon and name and
// the display items the person has switched on, as far as the rules in force offer them. Its
// display-item window is a LandListOptionWindow the main window makes beside it.
#pragma once

#include "infowin/info_list_window.h"
#include "lib/control.h"
#include "lib/media/bitmap.h"
#include "ui/window_context.h"
#include "ui/private_messages.h"
#include "ui/window_kit.h"

class GameState;
class LandListBox;

namespace land_list_id {
constexpr UINT kList = 1000;
constexpr UINT kOptionButton = 1003;
} // namespace land_list_id

class LandListWindow : public InfoListWindow {
public:
    static constexpr const char* kClassName = "VKRC_LANDLISTWINDOW_CNAME";
    static constexpr int kHeaderHeight = 20;
    static constexpr int kRowHeight = 18;
    static constexpr int kDefaultListHeight = 380;

    // Makes the window, owned by mainWindow (which receives its requests), at its kept placement.
    // Null when it could not be made. The object deletes itself with its window.
    static LandListWindow* open(const WindowContext& context, swCWindow* mainWindow);
    ~LandListWindow() override;

    // Its header shows the composed columns over the class brush.
    static constexpr ui::WindowDescription kDescription { .placementKey = kClassName, .closing = ui::Closing::AskOwner,
        .closeRequest = ui_message::kCloseTerrainList, .floating = true, .painted = true };
    const ui::WindowDescription& description() const override { return kDescription; }
    int OnMessage(MessageRecord& msg) override;
    void paint(HDC dc, const RECT&) override { paintHeader(dc); }
    int OnCommand(MessageRecord& msg, UINT id, UINT code) override;

    HWND listHandle() const;
    // The effective items and the width of their columns (name column and closing column included).
    uint32_t effectiveItems() const { return m_effective; }
    int columnWidth() const;
    // The window's outer width for the columns now composed.
    int windowWidth() const;
    // The terrain index of row i, -1 outside the list.
    int rowTerrain(int row) const;

private:
    void limitTracking(MINMAXINFO& info) const override;
    void snap(RECT& rect, WPARAM edge) const override;
    LandListWindow(const WindowContext& context, swCWindow* mainWindow);
    bool create(bool& windowMade);
    void fill();
    // Puts the effective items' cells side by side into the composed image.
    void compose();
    // Gives the window the width of the composed columns, keeping the left or the right edge.
    void applyWidth(bool keepRight);
    void layout(int clientWidth, int clientHeight);
    void paintHeader(HDC dc) const;

    WindowContext m_context;
    swCBitmap m_sheet;
    swCBitmap m_composed;
    uint32_t m_effective = 0;
    LandListBox* m_list = nullptr;
    PushButton* m_button = nullptr;
};
