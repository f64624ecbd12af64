// TroopListOptionWindow: the troop list's display-item window ("表示項目"), one check box per
// column the rules offer; each box switches its bit of the "TroopListOption" setting.
#pragma once

#include "infowin/display_item_window.h"

#include <vector>

class CheckBox;
class TroopListWindow;

class TroopListOptionWindow : public DisplayItemWindow {
public:
    static constexpr const char* kClassName = "VKRC_TROOPLISTOPTIONWINDOW_CNAME";
    static constexpr int kClientWidth = 74;

    // Made hidden, owned by the list and registered with it; null when it could not be made.
    static TroopListOptionWindow* open(const WindowContext& context, TroopListWindow* list);
    ~TroopListOptionWindow() override;

    int OnCommand(MessageRecord& msg, UINT id, UINT code) override;

    // Makes the boxes again for the rules now in force and sizes the window to them.
    void layoutBoxes();
    // The columns whose boxes are shown, top to bottom.
    const std::vector<int>& columns() const { return m_columns; }

private:
    TroopListOptionWindow(const WindowContext& context, TroopListWindow* list);

    TroopListWindow* m_list = nullptr;
    HWND m_listHandle = nullptr;
    std::vector<CheckBox*> m_boxes;
    std::vector<int> m_columns;
};
