// ActionHistoryOptionDialog: the history's display-item window ("表示項目"), 28 check boxes over
// the event kinds of "HistoryOption". A click sets or clears all of its box's kinds and has the
// history list them again.
#pragma once

#include "infowin/display_item_window.h"

#include <cstdint>
#include <vector>

namespace action_history_option_id {
constexpr UINT kLabel = 1003;
constexpr UINT kFirstBox = 1004;
constexpr int kBoxCount = 28;
} // namespace action_history_option_id

class ActionHistoryOptionDialog : public DisplayItemWindow {
public:
    static constexpr const char* kClassName = "VKRC_HISTORYOPTIONWINDOW_CNAME";
    static constexpr int kClientWidth = 142;
    static constexpr int kClientHeight = 242;

    // Made hidden, owned by the history window, beside it. Null when no window was made; the
    // object deletes itself with its window.
    static ActionHistoryOptionDialog* open(const WindowContext& context, swCWindow* history);

    // The event kinds box i stands for.
    static const std::vector<int>& boxKinds(int box);
    static uint32_t boxMask(int box);

    int OnCommand(MessageRecord& msg, UINT id, UINT code) override;

private:
    ActionHistoryOptionDialog(const WindowContext& context, swCWindow* history);
    void createBoxes();
};
