// TroopListWindow ("部隊表"): one country's unit table as a sortable list, with its display-item
// window, the unit's information, its place on the map, renaming, renumbering and disbanding.
#pragma once

#include "infowin/info_list_window.h"
#include "lib/window.h"
#include "ui/window_context.h"
#include "ui/private_messages.h"
#include "ui/window_kit.h"

#include <cstdint>

class BitmapButton;
class ComboBoxControl;
class PushButton;
class StaticText;
class TroopListBox;
class TroopListOptionWindow;

class TroopListWindow : public InfoListWindow {
public:
    static constexpr const char* kClassName = "VKRC_TROOPLISTWINDOW_CNAME";
    // Width of the smallest column set and of the list's scroll bar and border.
    static constexpr int kMinColumnsWidth = 294;
    static constexpr int kScrollAllowance = 18;
    static constexpr int kHeaderHeight = 20;
    static constexpr int kFooterHeight = 16;
    static constexpr int kEmptyRows = 40;

    // Makes the window, owned by mainWindow, at its kept placement; null when it could not be made.
    // The object deletes itself with its window.
    static TroopListWindow* open(const WindowContext& context, swCWindow* mainWindow);

    static constexpr ui::WindowDescription kDescription = ui::floatingWindow(kClassName, ui_message::kCloseTroopList);
    const ui::WindowDescription& description() const override { return kDescription; }

    int OnMessage(MessageRecord& msg) override;
    int OnCommand(MessageRecord& msg, UINT id, UINT code) override;

    // The display-item window registers itself here; it is destroyed with the list.
    void setOptionWindow(TroopListOptionWindow* options) { m_options = options; }
    TroopListOptionWindow* optionWindow() const { return m_options; }

    int country() const { return m_country; }
    bool descending() const { return m_descending != 0; }
    int editedIndex() const { return m_editedIndex; }
    HWND listHandle() const;
    HWND numberComboHandle() const;
    // Total width of the shown columns.
    int shownColumnsWidth() const;

    // The sort key and direction every troop list starts with, kept for the rest of the run.
    static int currentSortKey();
    static bool savedDescending();
    static void resetSortMemory();

private:
    void limitTracking(MINMAXINFO& info) const override;
    void snap(RECT& rect, WPARAM edge) const override;
    TroopListWindow(const WindowContext& context, swCWindow* mainWindow);
    bool create(bool& windowMade);
    void createControls();
    void showCountry(int country);
    int chooseCountry() const;
    void updateCount();
    void sortByKey(int key, bool atCreation);
    void layoutColumns();
    void layoutControls(int clientWidth, int clientHeight);
    void applyHeightLimits();
    int maxRows() const;
    void updateButtons();
    void repaintList();
    void dockOptions();
    // The unit index of the selected row when it holds a live unit of the shown country, else -1.
    int selectedLiveUnit() const;
    int selectedRow() const;
    // The troop key of the selected row; kNoKey when no row of the key vector is selected.
    static constexpr uint32_t kNoKey = 0xFFFFFFFF;
    uint32_t selectedKey() const;
    // Selects the row holding the key, none when no row does, and updates the buttons.
    void selectKey(uint32_t key);
    void openInformation();
    void showOnMap();
    void rename();
    void disband();
    void maybeOpenNumberCombo();
    void closeNumberCombo(bool save);
    // The number the combo shows becomes the edited unit's.
    void applyNumber();
    void toggleOptions();
    bool waitingForOrders() const;

    WindowContext m_context;
    uint8_t m_descending = 0;
    int m_country = -1;
    int m_editedIndex = -1;
    TroopListBox* m_list = nullptr;
    ComboBoxControl* m_numberCombo = nullptr;
    BitmapButton* m_headers[10] = {};
    PushButton* m_optionButton = nullptr;
    StaticText* m_count = nullptr;
    BitmapButton* m_buttons[4] = {};
    TroopListOptionWindow* m_options = nullptr;
};
