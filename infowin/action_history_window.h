// ActionHistoryWindow ("履歴"): the game's events ten turns at a time, filtered by the kinds the
// display-item window leaves on and by what the viewing country may know, with a text export.
// The main window owns it and its display-item window (ActionHistoryOptionDialog).
#pragma once

#include "infowin/info_list_window.h"
#include "lib/control.h"
#include "ui/window_context.h"
#include "ui/private_messages.h"
#include "ui/window_kit.h"

#include <cstdint>
#include <string>

class ActionHistoryListView;

namespace action_history_id {
enum : UINT { kList = 1000, kOptionButton, kStrip, kPage = 1032, kExport };
} // namespace action_history_id

class ActionHistoryWindow : public InfoListWindow {
public:
    static constexpr const char* kClassName = "VKRC_HISTORYWINDOW_CNAME";
    static constexpr int kStripHeight = 20;
    static constexpr int kMinimumWidth = 220;

    // Makes the window owned by mainWindow at its kept placement and lists the events. Null when
    // no window was made; the object deletes itself with its window.
    static ActionHistoryWindow* open(const WindowContext& context, swCWindow* mainWindow);
    ~ActionHistoryWindow() override;

    static constexpr ui::WindowDescription kDescription =
        ui::floatingWindow(kClassName, ui_message::kCloseActionHistory);
    const ui::WindowDescription& description() const override { return kDescription; }
    int OnMessage(MessageRecord& msg) override;
    int OnCommand(MessageRecord& msg, UINT id, UINT code) override;
    int OnNotify(MessageRecord& msg, UINT id, NMHDR* header) override;

    // Lists the records added since the last refresh; starts again when the page, the viewing
    // country, the kind mask or the turn changed, or the log is another game's.
    void refresh();
    // Writes the listed kinds of every turn to path, one line each; false when it cannot be written.
    bool writeText(const std::string& path) const;

    ActionHistoryListView* listView() const { return m_list; }
    int page() const { return m_page; }
    int32_t listedCount() const { return m_listedCount; }
    uint32_t kindMask() const { return m_kindMask; }
    uint8_t viewMask() const { return m_viewMask; }
    int fixedHeight() const { return m_fixedHeight; }
    // The save dialog's proposed name: the map's name and the turn.
    std::string proposedFileName() const;

private:
    void limitTracking(MINMAXINFO& info) const override;
    void snap(RECT& rect, WPARAM edge) const override;
    ActionHistoryWindow(const WindowContext& context, swCWindow* mainWindow);
    bool create(bool& windowMade);
    void createControls();
    void buildPageChoices();
    void layout(int width, int height);
    void exportText();
    void enableExport();
    void saveColumnWidths() const;
    void destroying() override { saveColumnWidths(); }

    WindowContext m_context;
    uint8_t m_viewMask = 0;
    int32_t m_listedCount = 0;
    uint32_t m_kindMask = 0;
    int m_page = 0;
    int m_pageTurn = -1;
    int m_fixedHeight = 0;
    bool m_rebuild = true;
    ActionHistoryListView* m_list = nullptr;
    HWND m_pageCombo = nullptr;
    HWND m_exportButton = nullptr;
    HWND m_optionButton = nullptr;
    HWND m_strip = nullptr;
};
