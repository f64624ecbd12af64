// CampaignTroopDeployWindow ("部隊配置"): the units carried over from the campaign's last map,
// placed on the new map by hand or automatically, or taken back, before play goes on.
#pragma once

#include "lib/window.h"
#include "ui/info_window_frame.h"
#include "ui/window_context.h"
#include "ui/window_kit.h"

#include <cstdint>
#include <string>
#include <vector>

class BitmapButton;
class PushButton;
class StaticText;
class TroopListBox;

namespace troop_deploy_id {
enum : UINT {
    kList = 1000,
    // Headers 1001..1010 sort by key 0..9.
    kFirstHeader = 1001, kCounts = 1015, kPlaceByHand, kPlaceAutomatically, kCancelOne, kCancelAll,
    kStartGame,
};
} // namespace troop_deploy_id

class GameState;

class CampaignTroopDeployWindow : public ui::KitWindow<swCWindow> {
public:
    static constexpr const char* kClassName = "VKRC_CAMPAIGNTROOPDEPLOYWINDOW_CNAME";
    static constexpr int kClientWidth = 742;
    // The status line and the buttons below the list.
    static constexpr int kButtonsHeight = 88;
    static constexpr int kHeaderHeight = 20;

    // Made owned by mainWindow, shown; null when it could not be made. The object deletes itself
    // with its window.
    static CampaignTroopDeployWindow* open(const WindowContext& context, swCWindow* mainWindow);

    int OnMessage(MessageRecord& msg) override;
    // The deployment ends only by "ｹﾞｰﾑ開始" or with play: the close box and right clicks do nothing.
    const ui::WindowDescription& description() const override
    {
        static constexpr ui::WindowDescription kDescription { .placementKey = kClassName, .closing = ui::Closing::Itself,
            .floating = true };
        return kDescription;
    }
    void closeGesture() override { }
    int OnCommand(MessageRecord& msg, UINT id, UINT code) override;

    int sortKey() const { return int(m_sortKey); }
    bool descending() const { return m_descending != 0; }
    const std::vector<uint32_t>& order() const { return m_order; }
    HWND listHandle() const;
    int frameWidth() const { return m_frameWidth; }
    int frameHeight() const { return m_frameHeight; }
    // "保有部隊数%4d  配置部隊数%4d/%d" of the entries held, placed and the map's limit.
    static std::string countsText(GameState& game);

private:
    CampaignTroopDeployWindow(const WindowContext& context, swCWindow* mainWindow);
    bool create();
    void fill();
    void sortByKey(int key);
    void updateButtons();
    void showCounts();
    void placeSelected();
    void refreshAfterChange();
    int selectedEntry() const;
    int fixedHeight() const;
    // One row per carry-over entry.
    int maxHeight() const;
    // The list fills the client above the status line and the buttons, which keep to its foot.
    void layOut(int width, int height);

    GameState& m_game;
    const Presentation& m_look;
    MainWindowServices& m_main;
    uint8_t m_playerCountry = 0;
    uint32_t m_sortKey = 0;
    uint8_t m_descending = 0;
    std::vector<uint32_t> m_order;
    int m_frameWidth = 0;
    int m_frameHeight = 0;
    TroopListBox* m_list = nullptr;
    BitmapButton* m_headers[10] = {};
    StaticText* m_counts = nullptr;
    PushButton* m_buttons[5] = {};
    info_window::DialogKeys m_dialogKeys;
};
