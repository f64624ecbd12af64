// ProductEditWindow: controls, filters, sorting, moving rows, totals, saving and closing.
#include "editors/product_edit_window.h"

#include "editors/window_frame.h"
#include "infowin/panel_text.h"
#include "lib/edit.h"
#include "lib/error.h"
#include "lib/media/bitmap_button.h"
#include "state/data_path.h"
#include "state/game_state.h"
#include "state/name_tables.h"
#include "state/state_accessors.h"
#include "ui/dialog_templates.h"
#include "ui/main_window_services.h"
#include "ui/private_messages.h"
#include "ui/window_kit.h"
#include "ui/window_services.h"
#include "ui/presentation.h"

#include <cstring>

namespace {

constexpr SIZE kProductEditClient { 784, 544 };
constexpr RECT kTotalsArea { 388, 38, 772, 74 };
constexpr int kNameBytes = 14;
constexpr int kClassFilterWidth = 180;
constexpr int kClassFilterListHeight = 256;

using ui::cp;

ProductionTypeRecord recordOfRow(const GameState& game, int row)
{
    ProductionTypeRecord record;
    std::memset(&record, 0, sizeof record);
    if (const ProductionTypeRecord* stored = game.productionType(kFirstUserProductionType + row))
        record = *stored;
    return record;
}

std::unique_ptr<swCBitmap> loadTotalsArea()
{
    auto area = std::make_unique<swCBitmap>();
    area->bitmapLoadRect(dataPath("edit_bg.bmp", kFolderBitmap).c_str(), kTotalsArea.left, kTotalsArea.top,
        kTotalsArea.right, kTotalsArea.bottom);
    return area;
}

// The main window, or without one installed the outermost owner (the list window's parent).
HWND mainWindowOf(const swCWindow& window, const MainWindowServices& services)
{
    if (HWND main = services.mainWindow())
        return main;
    const swCWindow* outer = &window;
    while (outer->parent())
        outer = outer->parent();
    return outer->handle();
}

} // namespace

ProductEditWindow::ProductEditWindow(const WindowContext& context, swCWindow* listWindow, int row)
    : DrawnEditorWindow(dialog_template::kProductEdit, listWindow, "edit_bg.bmp", kPlacementPrefix, ui::Closing::Itself,
          product_edit_id::kClose)
    , m_game(context.game)
    , m_main(context.main)
    , m_look(context.look)
    , m_row(row)
    , m_model(context.game, recordOfRow(context.game, row))
    , m_totalsArea(loadTotalsArea())
{
    registerGameDialogTemplates();
}

ProductEditWindow::~ProductEditWindow() = default;

int ProductEditWindow::OnInitDialog()
{
    ui::centreWindow(*this, m_parent ? m_parent->handle() : nullptr,
        { kProductEditClient.cx, kProductEditClient.cy }, { .repaint = TRUE });
    // Not shown (the window has no caption); it names the window for the person's tools.
    SetWindowTextA(handle(), cp("生産タイプエディタ").c_str());
    createControls();
    windowRestorePlacement(kPlacementPrefix, false, true);
    return 0;
}

void ProductEditWindow::createControls()
{
    HFONT font = m_look.font(kSmallFont).handle();
    m_name = new swCEdit(this, product_edit_id::kName, ES_AUTOHSCROLL | WS_TABSTOP);
    m_name->controlCreate({ 113, 16, 110, 16 });
    m_name->editSetRefusedChars(".\\/:;*?\"<>|");
    SendMessageA(m_name->handle(), WM_SETFONT, WPARAM(font), FALSE);
    SendMessageA(m_name->handle(), EM_LIMITTEXT, kNameBytes, 0);
    m_classFilter = CreateWindowExA(WS_EX_CLIENTEDGE, "ComboBox", "",
        WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST, 112, 40, kClassFilterWidth,
        kClassFilterListHeight, handle(), reinterpret_cast<HMENU>(INT_PTR(product_edit_id::kClassFilter)), nullptr, nullptr);
    SendMessageA(m_classFilter, WM_SETFONT, WPARAM(font), FALSE);
    fillClassFilter();
    for (int k = 0; k < kDomainCount; ++k) {
        m_domains[size_t(k)] = new EditPanelButton(this, k, UINT(product_edit_id::kFirstDomain + k), 8 + 48 * k, 68);
        m_domains[size_t(k)]->setHeldPressed(true);
    }
    m_leftKeys = { columnHeader(new EditPanelButton(this, 13, product_edit_id::kLeftByClass, 8, 120)),
        columnHeader(new EditPanelButton(this, 14, product_edit_id::kLeftByName, 126, 120)),
        columnHeader(new EditPanelButton(this, 15, product_edit_id::kLeftByCost, 326, 120)) };
    m_rightKeys = { columnHeader(new EditPanelButton(this, 11, product_edit_id::kRightByClass, 438, 120)),
        columnHeader(new EditPanelButton(this, 12, product_edit_id::kRightByName, 556, 120)) };
    m_left = new ProductEditListBox2(this, m_game, m_look, *m_background, *m_buttons);
    m_right = new ProductEditListBox(this, m_game, m_look, *m_background, *m_buttons);
    new EditPanelButton(this, 7, product_edit_id::kRemove, 128, 506);
    new EditPanelButton(this, 6, product_edit_id::kAdd, 248, 506);
    new EditPanelButton(this, 8, product_edit_id::kUnitInfo, 408, 506);
    new EditPanelButton(this, 9, product_edit_id::kSave, 568, 506);
    new EditPanelButton(this, 10, product_edit_id::kClose, 680, 506);
}

void ProductEditWindow::fillClassFilter()
{
    auto addItem = [this](const char* text, int data) {
        const LRESULT item = SendMessageA(m_classFilter, CB_ADDSTRING, 0, LPARAM(text));
        if (item >= 0)
            SendMessageA(m_classFilter, CB_SETITEMDATA, WPARAM(item), LPARAM(data));
    };
    addItem(cp("全兵器タイプ").c_str(), kEveryUnitClass);
    for (int c = 0; c < kUnitClassCount; ++c)
        if (c != kWarheadClass)
            addItem(unitClassName(c), c);
    SendMessageA(m_classFilter, CB_SETCURSEL, 0, 0);
}

int ProductEditWindow::DataExchange(int save)
{
    if (!save) {
        m_loading = true;
        const ProductionTypeRecord& record = m_model.record();
        SetWindowTextA(m_name->handle(), std::string(record.name, strnlen(record.name, sizeof record.name)).c_str());
        m_loading = false;
        m_model.rebuild();
        showLists();
        drawTotals();
        return 1;
    }
    char typed[64] = {};
    GetWindowTextA(m_name->handle(), typed, sizeof typed);
    std::string name = typed;
    trimFullWidthSpaces(name);
    if (name.empty()) {
        modalMessageBox(this, cp("生産タイプ名を入力してください。").c_str(), cp("注意").c_str(), MB_OK);
        return 0;
    }
    ProductionTypeRecord& record = m_model.record();
    std::memset(record.name, 0, sizeof record.name);
    std::memcpy(record.name, name.data(), std::min(name.size(), sizeof record.name - 1));
    m_game.setUserProductionType(m_row, record);
    if (!runShowingError([&] { m_game.saveUserProductTypes(); }))
        return 0;
    setModified(false);
    return 1;
}

void ProductEditWindow::showLists()
{
    showSide(EditSide::Right, 0);
    showSide(EditSide::Left, 0);
    pressSortButtons(EditSide::Right);
    pressSortButtons(EditSide::Left);
    m_active = -1;
    updateButtons();
}

void ProductEditWindow::showSide(EditSide side, int top)
{
    ProductEditListBox& box = list(side);
    box.setRows(m_model.ids(side), {}, top);
    m_knownTops[size_t(side)] = box.topRow();
}

void ProductEditWindow::sortList(EditSide side, int key)
{
    ProductEditListBox& box = list(side);
    const std::vector<int> selected = box.selectedIds();
    const int top = box.topRow();
    m_model.chooseSortKey(side, key);
    box.setRows(m_model.ids(side), selected, top);
    m_knownTops[size_t(side)] = box.topRow();
    pressSortButtons(side);
}

void ProductEditWindow::pressSortButtons(EditSide side)
{
    const int key = m_model.order(side).key;
    auto press = [key](BitmapButton* button, int k) {
        button->setHeldPressed(k == key);
        InvalidateRect(button->handle(), nullptr, FALSE);
    };
    if (side == EditSide::Right) {
        for (int k = 0; k < int(m_rightKeys.size()); ++k)
            press(m_rightKeys[size_t(k)], k);
    } else {
        for (int k = 0; k < int(m_leftKeys.size()); ++k)
            press(m_leftKeys[size_t(k)], k);
    }
}

void ProductEditWindow::moveRows(EditSide from)
{
    const EditSide to = from == EditSide::Left ? EditSide::Right : EditSide::Left;
    ProductEditListBox& source = list(from);
    ProductEditListBox& target = list(to);
    const std::vector<int> rows = source.selectedRows();
    const int sourceTop = source.topRow();
    const int targetTop = target.topRow();
    const std::vector<int> targetSelected = target.selectedIds();
    const int moved = from == EditSide::Left ? m_model.add(rows) : m_model.remove(rows);
    if (moved > 0)
        setModified(true);
    showSide(from, keptTopRow(sourceTop, int(m_model.ids(from).size())));
    target.setRows(m_model.ids(to), targetSelected, targetTop);
    m_knownTops[size_t(to)] = target.topRow();
    m_active = -1;
    updateButtons();
    drawTotals();
}

void ProductEditWindow::toggleDomain(int domain)
{
    m_model.toggleDomain(domain);
    BitmapButton* button = m_domains[size_t(domain)];
    button->setHeldPressed((m_model.domainMask() >> domain & 1) != 0);
    InvalidateRect(button->handle(), nullptr, FALSE);
    showLists();
}

void ProductEditWindow::updateButtons()
{
    EnableWindow(GetDlgItem(handle(), product_edit_id::kUnitInfo), m_active >= 0);
    EnableWindow(GetDlgItem(handle(), product_edit_id::kAdd), !m_left->selectedRows().empty());
    EnableWindow(GetDlgItem(handle(), product_edit_id::kRemove), !m_right->selectedRows().empty());
    EnableWindow(GetDlgItem(handle(), product_edit_id::kSave), m_modified);
}

void ProductEditWindow::setModified(bool modified)
{
    m_modified = modified;
    EnableWindow(GetDlgItem(handle(), product_edit_id::kSave), modified);
}

void ProductEditWindow::drawTotals()
{
    const ProductEditTotals totals = m_model.totals();
    {
        MemoryDcHolder canvas(nullptr);
        HDC dc = canvas.dc();
        HGDIOBJ old = SelectObject(dc, m_background->handle());
        canvas.blitBitmap(kTotalsArea.left, kTotalsArea.top, m_totalsArea->handle(),
            RECT { 0, 0, kTotalsArea.right - kTotalsArea.left, kTotalsArea.bottom - kTotalsArea.top });
        {
            panel::TextScope scope(dc, m_look.font(kSmallFont));
            for (size_t k = 0; k < totals.count.size(); ++k) {
                const int x = 436 + 56 * int(k);
                panel::format(dc, x - 24, 38, x, 50, DT_RIGHT, "%4d", int(totals.count[k]));
                panel::format(dc, x - 48, 62, x, 74, DT_RIGHT, "%8d", int(totals.cost[k]));
            }
        }
        SelectObject(dc, old);
    }
    InvalidateRect(handle(), &kTotalsArea, FALSE);
}

void ProductEditWindow::showUnitInformation()
{
    if (m_active < 0)
        return;
    const std::vector<int> ids = list(EditSide(m_active)).selectedIds();
    if (ids.empty())
        return;
    if (HWND main = mainWindowOf(*this, m_main))
        PostMessageA(main, ui_message::kWeaponInfo, WPARAM(ids.front()), 0);
}

bool ProductEditWindow::mayClose()
{
    return !m_modified
        || modalMessageBox(this, cp("保存されていない生産タイプですが、編集を終了してよろしいですか？").c_str(),
               cp("確認").c_str(), MB_YESNO | MB_DEFBUTTON2)
        == IDYES;
}

void ProductEditWindow::end(int result)
{
    m_result = result;
    Destroy();
}

void ProductEditWindow::answerListColour(MessageRecord& msg)
{
    const HWND target = reinterpret_cast<HWND>(msg.lParam);
    for (EditSide side : { EditSide::Right, EditSide::Left }) {
        ProductEditListBox& box = list(side);
        if (box.handle() != target)
            continue;
        box.paintBelowRows(reinterpret_cast<HDC>(msg.wParam));
        // A drag that scrolls the list moves its top row without a scroll message.
        const int top = box.topRow();
        if ((GetKeyState(VK_LBUTTON) & 0x8000) && top != m_knownTops[size_t(side)])
            InvalidateRect(target, nullptr, FALSE);
        m_knownTops[size_t(side)] = top;
    }
    msg.result = reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
}

void ProductEditWindow::closeGesture()
{
    if (mayClose())
        end(0);
}

int ProductEditWindow::OnMessage(MessageRecord& msg)
{
    // The program's close asks first, as the editor's own close does.
    if (msg.message == WM_QUERYENDSESSION) {
        msg.result = mayClose() ? TRUE : FALSE;
        return 1;
    }
    // The two lists are drawn over the page; the class filter keeps a combo box's own colours.
    const HWND asking = reinterpret_cast<HWND>(msg.lParam);
    if (msg.message == WM_CTLCOLORLISTBOX && m_left && m_right && (asking == m_left->handle() || asking == m_right->handle())) {
        answerListColour(msg);
        return 1;
    }
    return DrawnEditorWindow::OnMessage(msg);
}

int ProductEditWindow::OnCommand(MessageRecord& msg, UINT control, UINT code)
{
    const int domain = int(control) - product_edit_id::kFirstDomain;
    if (domain >= 0 && domain < kDomainCount) {
        toggleDomain(domain);
        return 1;
    }
    switch (control) {
    case product_edit_id::kName:
        if (code == EN_UPDATE && !m_loading)
            setModified(true);
        return 1;
    case product_edit_id::kClassFilter:
        if (code == CBN_SELCHANGE) {
            const LRESULT item = SendMessageA(m_classFilter, CB_GETCURSEL, 0, 0);
            if (item >= 0) {
                m_model.setClassFilter(int(SendMessageA(m_classFilter, CB_GETITEMDATA, WPARAM(item), 0)));
                showLists();
            }
        }
        return 1;
    case product_edit_id::kLeftList:
    case product_edit_id::kRightList: {
        const EditSide side = control == UINT(product_edit_id::kLeftList) ? EditSide::Left : EditSide::Right;
        if (code == LBN_SELCHANGE) {
            m_active = int(side);
            updateButtons();
        } else if (code == LBN_DBLCLK) {
            moveRows(side);
        }
        return 1;
    }
    case product_edit_id::kAdd:
        moveRows(EditSide::Left);
        return 1;
    case product_edit_id::kRemove:
        moveRows(EditSide::Right);
        return 1;
    case product_edit_id::kUnitInfo:
        showUnitInformation();
        return 1;
    case product_edit_id::kSave:
        DataExchange(1);
        return 1;
    case product_edit_id::kClose:
    case IDCANCEL:
        // Escape is the close button: unsaved changes are asked about first.
        if (mayClose())
            end(1);
        return 1;
    case product_edit_id::kRightByClass:
    case product_edit_id::kRightByName:
        sortList(EditSide::Right, int(control) - product_edit_id::kRightByClass);
        return 1;
    case product_edit_id::kLeftByClass:
    case product_edit_id::kLeftByName:
    case product_edit_id::kLeftByCost:
        sortList(EditSide::Left, int(control) - product_edit_id::kLeftByClass);
        return 1;
    default:
        return DrawnEditorWindow::OnCommand(msg, control, code);
    }
}
