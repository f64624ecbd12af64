// LandListOptionWindow: the terrain list's display-item window ("表示項目"), one check box per
// item the rules in force offer. A click changes the "LandListOption" mask and tells the list.
#pragma once

#include "infowin/display_item_window.h"

namespace land_list_option_id {
constexpr UINT kLabel = 1020;
// Item i's box is kFirstItem + i.
constexpr UINT kFirstItem = 1004;
} // namespace land_list_option_id

class LandListOptionWindow : public DisplayItemWindow {
public:
    static constexpr const char* kClassName = "VKRC_LANDLISTOPTIONWINDOW_CNAME";
    static constexpr int kClientWidth = 86;

    // Made hidden, owned by the terrain list, beside it. Null when no window was made; the object
    // deletes itself with its window.
    static LandListOptionWindow* open(const WindowContext& context, swCWindow* landList);

    int OnMessage(MessageRecord& msg) override;
    int OnCommand(MessageRecord& msg, UINT id, UINT code) override;

private:
    LandListOptionWindow(const WindowContext& context, swCWindow* landList);
    // One box per offered item, stacked without gaps; the window's height follows.
    void layoutBoxes();
};
