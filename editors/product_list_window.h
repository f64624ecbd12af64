// ProductListWindow: the 100 user production types with their size per domain and cost. Mode 0
// edits, deletes, copies and exports the weapon list; mode 1 imports a user production-type file
// into a slot; mode 2 exports a slot to one. Every change is written to the table file at once.
#pragma once

#include "editors/product_type_rules.h"
#include "editors/window_frame.h"
#include "lib/control.h"
#include "lib/media/bitmap.h"
#include "ui/window_context.h"

#include <array>
#include <memory>
#include <string>

class swCFont;

namespace product_list_id {
enum : int {
    kClose = 1000,
    // Edit in mode 0, import in mode 1, export in mode 2.
    kAction = 1001, kList, kDelete = 1010, kCopy = 1026, kWeaponText,
};
} // namespace product_list_id

enum ProductListMode : int { kProductListEdit = 0, kProductListImport = 1, kProductListExport = 2 };

// The slots' rows: name, total, the six domains and the cost of each summary.
class ProductSlotListBox : public ChildControl {
public:
    static constexpr int kRowHeight = 20;
    static constexpr int kRowWidth = 468;
    static constexpr POINT kOrigin { 8, 36 };

    ProductSlotListBox(swCWindow* parent, const std::array<ProductSlotSummary, kUserProductionTypeCount>& summaries,
        const swCBitmap& background, const swCBitmap& strips, const swCFont& font);
    void DrawItem(DRAWITEMSTRUCT* item) override;

private:
    const std::array<ProductSlotSummary, kUserProductionTypeCount>& m_summaries;
    const swCBitmap& m_background;
    const swCBitmap& m_strips;
    const swCFont& m_font;
};

class ProductListWindow : public DrawnEditorWindow {
public:
    static constexpr const char* kPlacementPrefix = "ProductList";

    // Builds the summaries and loads the pictures (throws the picture loader's error).
    ProductListWindow(const WindowContext& context, swCWindow* owner, int mode);

    int OnInitDialog() override;
    int OnCommand(MessageRecord& msg, UINT id, UINT code) override;

    int mode() const { return m_mode; }
    int selectedRow() const { return m_selected; }
    const ProductSlotSummary& summary(int row) const { return m_summaries[size_t(row)]; }

private:
    void createButtons();
    void updateButtons();
    // Summarises the row again and repaints the list.
    void refreshRow(int row);
    void act();
    void deleteSlot();
    void copyIntoSlot();
    void editSlot();
    // The file commands (product_list_files.cpp).
    void exportWeaponText();
    void importSlot();
    void exportSlot();
    void tell(const char* utf8Text, const char* utf8Title);

    // The editor opened from the list is handed it too.
    WindowContext m_context;
    int m_mode = 0;
    int m_selected = 0;
    std::array<ProductSlotSummary, kUserProductionTypeCount> m_summaries {};
    ProductSlotListBox* m_list = nullptr;
};
