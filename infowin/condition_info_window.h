// ConditionInfoWindow ("状況表"): during play, the countries' per-turn statistics as line graphs, one
// statistic per tab, with a check button per country on the page. The tab last chosen is kept for
// the whole run of the program.
#pragma once

#include "lib/media/bitmap.h"
#include "ui/window_context.h"
#include "ui/private_messages.h"
#include "ui/window_kit.h"

#include <array>
#include <cstdint>

class CheckMarkButton;
class ConditionInfoPageWindow;
class GameState;
class TabControl;

namespace condition_info_id {
enum : UINT {
    kTabs = 1000,
    // Country c's check button is 1001 + c.
    kFirstCountry = 1001, kPage = 1010,
};
} // namespace condition_info_id

class ConditionInfoWindow : public ui::KitWindow<swCWindow> {
public:
    static constexpr const char* kClassName = "VKRC_CONDITIONINFOWINDOW_CNAME";
    static constexpr int kClientWidth = 590;
    static constexpr int kClientHeight = 470;

    // Makes and shows the window owned by mainWindow; null when it could not be made. The object
    // deletes itself with its window.
    static ConditionInfoWindow* open(const WindowContext& context, swCWindow* mainWindow);
    ~ConditionInfoWindow() override;

    // The tab shown last, 0 before any window was opened.
    static int storedTab();

    static constexpr ui::WindowDescription kDescription =
        ui::floatingWindow(kClassName, ui_message::kCloseConditionInfo);
    const ui::WindowDescription& description() const override { return kDescription; }
    int OnMessage(MessageRecord& msg) override;
    int OnCommand(MessageRecord& msg, UINT id, UINT code) override;
    int OnNotify(MessageRecord& msg, UINT id, NMHDR* header) override;

    uint8_t toggleMask() const { return m_toggleMask; }
    uint8_t visibleMask() const { return m_visibleMask; }
    const swCBitmap& graph() const { return m_graph; }
    HWND page() const;
    HWND countryButton(int country) const;

private:
    ConditionInfoWindow(const WindowContext& context, swCWindow* mainWindow);
    bool create(bool& windowMade);
    void refreshVisible();
    void drawGraph();
    void repaintPage();
    // The page draws over the erased body: it repaints after it.
    void erasingBackground() override { PostMessageA(handle(), ui_message::kConditionInfoRepaintPage, 0, 0); }

    GameState& m_game;
    const Presentation& m_look;
    swCBitmap m_graph;
    TabControl* m_tabs = nullptr;
    ConditionInfoPageWindow* m_page = nullptr;
    std::array<CheckMarkButton*, 8> m_buttons {};
    uint8_t m_toggleMask = 0;
    uint8_t m_visibleMask = 0;
};
