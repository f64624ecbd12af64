// ProductEditWindow: edits one user production type, its name and its unit types, in two lists
// filtered by domain and class; "save" stores it in the game state and writes the table file.
#pragma once

#include "editors/product_edit_list_box.h"
#include "editors/product_edit_model.h"
#include "editors/window_frame.h"
#include "lib/media/bitmap.h"
#include "ui/window_context.h"

#include <array>
#include <memory>

class BitmapButton;
class swCEdit;

class ProductEditWindow : public DrawnEditorWindow {
public:
    static constexpr const char* kPlacementPrefix = "ProductEdit";

    // Copies user production type 150 + row; loads the pictures (throws the loader's error).
    ProductEditWindow(const WindowContext& context, swCWindow* listWindow, int row);
    ~ProductEditWindow() override;

    int OnInitDialog() override;
    int DataExchange(int save) override;
    void closeGesture() override;
    int OnMessage(MessageRecord& msg) override;
    int OnCommand(MessageRecord& msg, UINT id, UINT code) override;

    const ProductEditModel& model() const { return m_model; }
    bool modified() const { return m_modified; }
    // -1 none, 0 the right list, 1 the left list.
    int activeList() const { return m_active; }

private:
    void createControls();
    void fillClassFilter();
    // Rebuilds both lists from the model, tops at 0, no list active.
    void showLists();
    void showSide(EditSide side, int top);
    void sortList(EditSide side, int key);
    void pressSortButtons(EditSide side);
    void moveRows(EditSide from);
    void toggleDomain(int domain);
    void updateButtons();
    void drawTotals();
    void setModified(bool modified);
    void showUnitInformation();
    // Asks before unsaved changes are dropped; true when the window may close.
    bool mayClose();
    void end(int result);
    ProductEditListBox& list(EditSide side) { return side == EditSide::Right ? *m_right : *m_left; }
    void answerListColour(MessageRecord& msg);

    GameState& m_game;
    MainWindowServices& m_main;
    const Presentation& m_look;
    int m_row = 0;
    ProductEditModel m_model;
    int m_active = -1;
    bool m_modified = false;
    bool m_loading = false;
    std::array<int, 2> m_knownTops { 0, 0 };
    std::unique_ptr<swCBitmap> m_totalsArea;
    swCEdit* m_name = nullptr;
    HWND m_classFilter = nullptr;
    ProductEditListBox* m_right = nullptr;
    ProductEditListBox2* m_left = nullptr;
    std::array<BitmapButton*, kDomainCount> m_domains {};
    std::array<BitmapButton*, 2> m_rightKeys {};
    std::array<BitmapButton*, 3> m_leftKeys {};
};
