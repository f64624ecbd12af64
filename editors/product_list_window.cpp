// ProductListWindow: the drawn slot list, the buttons of the mode, deleting, copying and editing.
#include "editors/product_list_window.h"

#include "editors/copy_source_dialog.h"
#include "editors/product_edit_window.h"
#include "editors/window_frame.h"
#include "infowin/panel_text.h"
#include "lib/error.h"
#include "lib/media/bitmap_button.h"
#include "lib/media/row_canvas.h"
#include "state/game_state.h"
#include "ui/dialog_templates.h"
#include "ui/presentation.h"
#include "ui/window_kit.h"
#include "ui/window_services.h"

namespace {

constexpr SIZE kProductListClient { 500, 480 };
constexpr int kProductListWidth = 484;
constexpr int kProductListHeight = 400;
// Where each domain's figure starts in a row; all of them 24 wide.
constexpr int kDomainLeft[kDomainCount] = { 169, 209, 249, 289, 329, 369 };

using ui::cp;

RECT selectedStrip()
{
    const auto& r = bitmap_buttons::kEditSelectedRows[2];
    return { r.left, r.top, r.right, r.bottom };
}

void drawSummary(HDC dc, const swCFont& font, const ProductSlotSummary& summary)
{
    panel::TextScope scope(dc, font);
    if (!summary.used()) {
        panel::text(dc, 8, 4, 92, 16, "--------------------------------");
        panel::text(dc, 125, 4, 149, 16, "----", DT_RIGHT);
        for (int left : kDomainLeft)
            panel::text(dc, left, 4, left + 24, 16, "----", DT_RIGHT);
        panel::text(dc, 408, 4, 456, 16, "--------", DT_RIGHT);
        return;
    }
    panel::text(dc, 8, 4, 92, 16, summary.name);
    panel::format(dc, 125, 4, 149, 16, DT_RIGHT, "%4d", int(summary.total));
    for (int d = 0; d < kDomainCount; ++d)
        panel::format(dc, kDomainLeft[d], 4, kDomainLeft[d] + 24, 16, DT_RIGHT, "%4d", int(summary.perDomain[size_t(d)]));
    panel::format(dc, 408, 4, 456, 16, DT_RIGHT, "%8d", int(summary.cost));
}

} // namespace

ProductSlotListBox::ProductSlotListBox(swCWindow* parent,
    const std::array<ProductSlotSummary, kUserProductionTypeCount>& summaries, const swCBitmap& background,
    const swCBitmap& strips, const swCFont& font)
    : ChildControl("ListBox", parent, product_list_id::kList,
          WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_OWNERDRAWFIXED | LBS_DISABLENOSCROLL)
    , m_summaries(summaries)
    , m_background(background)
    , m_strips(strips)
    , m_font(font)
{
    controlCreate({ kOrigin.x, kOrigin.y, kProductListWidth, kProductListHeight });
    SendMessageA(handle(), LB_SETITEMHEIGHT, 0, kRowHeight);
}

void ProductSlotListBox::DrawItem(DRAWITEMSTRUCT* item)
{
    if (!item || int(item->itemID) < 0)
        return;
    RowCanvas row(*item, kRowWidth, kRowHeight);
    PaletteHolder& memory = row.holder();
    const RECT plain { kOrigin.x, kOrigin.y, kOrigin.x + kRowWidth, kOrigin.y + kRowHeight };
    if (item->itemState & ODS_SELECTED) {
        const RECT strip = selectedStrip();
        memory.blitBitmap(0, 0, m_strips.handle(), strip);
        const int rest = strip.right - strip.left;
        memory.blitBitmap(rest, 0, m_background.handle(), RECT { plain.left + rest, plain.top, plain.right, plain.bottom });
    } else {
        memory.blitBitmap(0, 0, m_background.handle(), plain);
    }
    const size_t slot = size_t(item->itemData);
    if (slot < m_summaries.size())
        drawSummary(row.dc(), m_font, m_summaries[slot]);
}

ProductListWindow::ProductListWindow(const WindowContext& context, swCWindow* owner, int mode)
    : DrawnEditorWindow(dialog_template::kProductEdit, owner, "slot_type.bmp", kPlacementPrefix, ui::Closing::EndModal,
          product_list_id::kClose)
    , m_context(context)
    , m_mode(mode)
{
    registerGameDialogTemplates();
    for (int row = 0; row < kUserProductionTypeCount; ++row)
        m_summaries[size_t(row)] = summariseProductSlot(m_context.game, row);
}

int ProductListWindow::OnInitDialog()
{
    ui::centreWindow(*this, m_parent ? m_parent->handle() : nullptr,
        { kProductListClient.cx, kProductListClient.cy }, { .repaint = TRUE });
    static const char* const titles[] = { "生産タイプ編集", "生産タイプ読込", "生産タイプ書出" };
    // Not shown (the window has no caption); it names the window for the person's tools.
    SetWindowTextA(handle(), cp(titles[m_mode >= 0 && m_mode <= 2 ? m_mode : 0]).c_str());
    m_list = new ProductSlotListBox(this, m_summaries, *m_background, *m_buttons, m_context.look.font(kSmallFont));
    for (int row = 0; row < kUserProductionTypeCount; ++row)
        SendMessageA(m_list->handle(), LB_ADDSTRING, 0, LPARAM(row));
    SendMessageA(m_list->handle(), LB_SETCURSEL, 0, 0);
    createButtons();
    updateButtons();
    windowRestorePlacement(kPlacementPrefix, false, true);
    return 0;
}

void ProductListWindow::createButtons()
{
    switch (m_mode) {
    case kProductListEdit:
        new EditButton96x24(this, 0, product_list_id::kWeaponText, 8, 448);
        new EditButton72x24(this, 0, product_list_id::kCopy, 136, 448);
        new EditGridButton72x24(this, 0, product_list_id::kAction, 224, 448);
        new EditGridButton72x24(this, 1, product_list_id::kDelete, 312, 448);
        break;
    case kProductListImport:
        new EditGridButton72x24(this, 3, product_list_id::kAction, 312, 448);
        break;
    case kProductListExport:
        new EditGridButton72x24(this, 4, product_list_id::kAction, 312, 448);
        break;
    default:
        break;
    }
    new EditGridButton72x24(this, 2, product_list_id::kClose, 400, 448);
}

void ProductListWindow::updateButtons()
{
    const bool used = m_summaries[size_t(m_selected)].used();
    auto enable = [this](int control, bool on) {
        if (HWND button = GetDlgItem(handle(), control))
            EnableWindow(button, on);
    };
    if (m_mode == kProductListEdit) {
        enable(product_list_id::kDelete, used);
        enable(product_list_id::kWeaponText, used);
        enable(product_list_id::kCopy, !used);
    } else if (m_mode == kProductListExport) {
        enable(product_list_id::kAction, used);
    }
}

void ProductListWindow::refreshRow(int row)
{
    m_summaries[size_t(row)] = summariseProductSlot(m_context.game, row);
    InvalidateRect(m_list->handle(), nullptr, FALSE);
    updateButtons();
}

void ProductListWindow::act()
{
    switch (m_mode) {
    case kProductListEdit:
        editSlot();
        break;
    case kProductListImport:
        importSlot();
        break;
    case kProductListExport:
        if (m_summaries[size_t(m_selected)].used())
            exportSlot();
        break;
    default:
        break;
    }
}

void ProductListWindow::deleteSlot()
{
    const ProductSlotSummary& slot = m_summaries[size_t(m_selected)];
    if (!slot.used())
        return;
    const std::string question = cp("生産タイプ[ ") + slot.name + cp(" ]を削除しますか？");
    if (modalMessageBox(this, question.c_str(), cp("確認").c_str(), MB_YESNO | MB_DEFBUTTON2) != IDYES)
        return;
    runShowingError([&] { m_context.game.clearProductionType(kFirstUserProductionType + m_selected); });
    refreshRow(m_selected);
}

void ProductListWindow::copyIntoSlot()
{
    if (m_summaries[size_t(m_selected)].used())
        return;
    const int source = chooseCopySource(m_context, this);
    if (source < 0)
        return;
    runShowingError([&] { m_context.game.copyProductionType(kFirstUserProductionType + m_selected, source); });
    refreshRow(m_selected);
}

void ProductListWindow::editSlot()
{
    runShowingError([&] {
        ProductEditWindow editor(m_context, this, m_selected);
        editor.run();
    });
    // A save followed by a close that answered 0 still changed the slot.
    refreshRow(m_selected);
}

void ProductListWindow::tell(const char* utf8Text, const char* utf8Title)
{
    modalMessageBox(this, cp(utf8Text).c_str(), cp(utf8Title).c_str(), MB_OK);
}

int ProductListWindow::OnCommand(MessageRecord& msg, UINT control, UINT code)
{
    switch (control) {
    case product_list_id::kList:
        if (code == LBN_SELCHANGE) {
            const LRESULT row = SendMessageA(m_list->handle(), LB_GETCURSEL, 0, 0);
            if (row >= 0 && row < kUserProductionTypeCount)
                m_selected = int(row);
            updateButtons();
        } else if (code == LBN_DBLCLK) {
            act();
        }
        return 1;
    case product_list_id::kAction:
        act();
        return 1;
    case product_list_id::kDelete:
        deleteSlot();
        return 1;
    case product_list_id::kCopy:
        copyIntoSlot();
        return 1;
    case product_list_id::kWeaponText:
        if (m_summaries[size_t(m_selected)].used())
            exportWeaponText();
        return 1;
    default:
        return DrawnEditorWindow::OnCommand(msg, control, code);
    }
}
