// TroopInfoWindow: the page drawn on "info_butai.bmp", its page buttons and the step through the
// country's units.
#include "infowin/troop_info_window.h"

#include "infowin/panel_text.h"
#include "infowin/unit_info_buttons.h"
#include "infowin/unit_info_ids.h"
#include "infowin/unit_panels.h"
#include "lib/error.h"
#include "lib/media/bitmap_button.h"
#include "platform/kernel/host.h"
#include "rules/visibility.h"
#include "ui/base_bitmaps.h"
#include "state/game_state.h"
#include "state/unit_facts.h"
#include "ui/dialog_templates.h"
#include "ui/window_kit.h"
#include "ui/window_services.h"
#include "ui/presentation.h"

#include <string>

namespace {

constexpr const char* kBackgroundFile = "info_butai.bmp";

const UnitRecord* unitInPlayAt(GameState& state, int country, int index)
{
    if (index < 0 || uint32_t(index) >= state.unitCount(country))
        return nullptr;
    const UnitRecord* unit = state.unitOf(country, index);
    return unit && unitInPlay(*unit) ? unit : nullptr;
}

} // namespace

bool troopCargoVisible(GameState& state, int country) { return ViewerView(state).knowsInside(country); }

TroopNeighbours findTroopNeighbours(GameState& state, const std::vector<uint32_t>& keys, int country, int index)
{
    TroopNeighbours found;
    if (country < 0 || country >= kCountryCount || !troopCargoVisible(state, country))
        return found;
    const uint32_t own = uint32_t(index) << 16 | uint32_t(country);
    size_t position = 0;
    while (position < keys.size() && keys[position] != own)
        ++position;
    auto live = [&](uint32_t key) { return int(key & 0xFFFF) == country && unitInPlayAt(state, country, int(key >> 16)); };
    if (position < keys.size()) {
        for (size_t p = position; p-- > 0;)
            if (live(keys[p])) {
                found.previous = int(keys[p] >> 16);
                break;
            }
        for (size_t p = position + 1; p < keys.size(); ++p)
            if (live(keys[p])) {
                found.next = int(keys[p] >> 16);
                break;
            }
        return found;
    }
    // Outside the troop list's order the table's order serves; only units in play are stepped onto.
    for (int i = index - 1; i >= 0; --i)
        if (unitInPlayAt(state, country, i)) {
            found.previous = i;
            break;
        }
    const int count = int(state.unitCount(country));
    for (int i = index + 1; i < count; ++i)
        if (unitInPlayAt(state, country, i)) {
            found.next = i;
            break;
        }
    return found;
}

TroopInfoWindow::TroopInfoWindow(const WindowContext& context, swCWindow* parent, int country, int unitIndex)
    : KitWindow(dialog_template::kTroopInfo, parent)
    , m_game(context.game)
    , m_look(context.look)
    , m_country(country)
    , m_unitIndex(unitIndex)
    , m_background(panel::loadPicture(m_look, kBackgroundFile))
{
    registerGameDialogTemplates();
    if (const UnitRecord* unit = shownUnit())
        m_typeId = unit->unitTypeId;
}

TroopInfoWindow::~TroopInfoWindow() = default;

INT_PTR TroopInfoWindow::run()
{
    if (!shownUnit())
        return 0;
    ModalIdleOff idle;
    CreateModal();
    return 0;
}

const UnitRecord* TroopInfoWindow::shownUnit() const
{
    return m_country >= 0 && m_country < kCountryCount ? ViewerView(m_game).unit(m_country, m_unitIndex) : nullptr;
}

const UnitTypeRecord* TroopInfoWindow::shownType() const
{
    return m_typeId > 0 && m_typeId < kUnitTypeIdMapSize && m_game.unitTypeIndex(m_typeId) ? &m_game.unitTypeRecord(m_typeId)
                                                                                          : nullptr;
}

void TroopInfoWindow::end()
{
    setResult(0);
    DestroyModal();
}

void TroopInfoWindow::refuse()
{
    static const std::string text = platform::utf8ToCp932("メモリが不足しています。ウィンドウを開くことができません。");
    static const std::string caption = platform::utf8ToCp932("注意");
    modalMessageBox(this, text.c_str(), caption.c_str(), MB_OK);
    end();
}

int TroopInfoWindow::OnInitDialog()
{
    const UnitRecord* unit = shownUnit();
    if (!unit || !shownType() || !m_background || !m_background->handle()) {
        refuse();
        return 1;
    }
    ui::centreWindow(*this, parent() ? parent()->handle() : nullptr, { kPageWidth, kPageHeight });
    m_armamentSet = unit->modelIndex();
    try {
        render();
        createButtons();
        updateButtons();
    } catch (swCError* error) {
        delete error;
        refuse();
        return 1;
    }
    RECT placed {};
    GetWindowRect(handle(), &placed);
    windowFitWorkArea(placed.left, placed.top, placed.right - placed.left, placed.bottom - placed.top, FALSE, 1);
    windowRestorePlacement(kPlacementPrefix, false, true);
    // The title last: the window is complete once it bears its name.
    static const std::string title = platform::utf8ToCp932("部隊詳細情報");
    SetWindowTextA(handle(), title.c_str());
    return 1;
}

void TroopInfoWindow::render()
{
    const UnitRecord* unit = shownUnit();
    const UnitTypeRecord* type = shownType();
    if (!m_background || !m_background->handle() || !unit || !type)
        return;
    GameState& state = m_game;
    const std::unique_ptr<swCBitmap> clean = panel::loadPicture(m_look, kBackgroundFile);
    BitmapDcHolder page(m_background->handle());
    if (clean && clean->handle())
        page.blitBitmap(0, 0, clean->handle(), RECT { 0, 0, kPageWidth, kPageHeight });
    drawTypeHeader(page.dc(), m_look, state, *type, m_country);
    if (m_movePage)
        drawMovementPanel(page.dc(), m_look, state, *type);
    else
        drawCapabilityIcons(page.dc(), m_look, state, *type);
    if (m_lowerPage == kCargoPage)
        drawCarriedUnits(page.dc(), m_look, state, m_country, *unit, *type);
    else
        drawArmamentSetBlock(page.dc(), m_look, state, m_armamentSet, *type, unit);
    if (const swCBitmap* icons = m_look.baseBitmap(kInfoButtons); icons && icons->handle())
        drawWeaponTable(page.dc(), m_look, state, m_armamentSet, *type, *icons, info_sheet::kWeaponBars.x, info_sheet::kWeaponBars.y, 0);
    drawTroopStatus(page.dc(), m_look, state, m_country, *unit);
}

void TroopInfoWindow::createButtons()
{
    unit_info::createPageButtons(this, 54);
    new InfoButton72x24(this, 2, unit_info_id::kArmamentPage, 508, 214);
    new InfoButton72x24(this, 3, unit_info_id::kCargoPage, 580, 214);
    for (int k = 0; k < kModelCount; ++k) {
        auto* set = new InfoButton48x16(this, k, unit_info_id::kFirstSet + UINT(k), 460 + 64 * k, 432);
        EnableWindow(set->handle(), FALSE);
    }
    pressPair(m_movePage ? unit_info_id::kMovePage : unit_info_id::kCapabilityPage, m_movePage ? unit_info_id::kCapabilityPage : unit_info_id::kMovePage);
    pressPair(m_lowerPage == kCargoPage ? unit_info_id::kCargoPage : unit_info_id::kArmamentPage,
        m_lowerPage == kCargoPage ? unit_info_id::kArmamentPage : unit_info_id::kCargoPage);
}

void TroopInfoWindow::pressPair(UINT chosen, UINT partner)
{
    for (UINT controlId : { chosen, partner })
        unit_info::holdPressed(handle(), controlId, controlId == chosen);
}

void TroopInfoWindow::updateButtons()
{
    const UnitTypeRecord* type = shownType();
    if (!type)
        return;
    const TroopNeighbours around = findTroopNeighbours(m_game, m_look.lists().troops(m_country), m_country, m_unitIndex);
    unit_info::showButton(handle(), unit_info_id::kPrevious, around.previous >= 0);
    unit_info::showButton(handle(), unit_info_id::kNext, around.next >= 0);
    unit_info::showButton(handle(), unit_info_id::kBaseType, type->baseType != 0);
    unit_info::showButton(handle(), unit_info_id::kCargoPage, carryBerthCount(*type) > 0);
    for (int k = 0; k < kModelCount; ++k) {
        const UINT controlId = unit_info_id::kFirstSet + UINT(k);
        unit_info::showButton(handle(), controlId, m_lowerPage == kArmamentPage && unitTypeHasGroupFlag(*type, k));
        unit_info::holdPressed(handle(), controlId, k == m_armamentSet);
    }
}

void TroopInfoWindow::step(int index)
{
    const UnitRecord* unit = unitInPlayAt(m_game, m_country, index);
    if (!unit)
        return;
    m_unitIndex = index;
    m_armamentSet = unit->modelIndex();
    m_typeId = unit->unitTypeId;
    const UnitTypeRecord* type = shownType();
    if (m_lowerPage == kCargoPage && (!type || carryBerthCount(*type) == 0)) {
        m_lowerPage = kArmamentPage;
        pressPair(unit_info_id::kArmamentPage, unit_info_id::kCargoPage);
    }
    render();
    updateButtons();
    InvalidateRect(handle(), nullptr, FALSE);
}

int TroopInfoWindow::OnCommand(MessageRecord& msg, UINT controlId, UINT)
{
    try {
        switch (controlId) {
        case unit_info_id::kClose:
        case IDCANCEL:
            end();
            return 1;
        case unit_info_id::kBaseType:
            if (const UnitTypeRecord* type = shownType(); type && type->baseType != 0) {
                m_typeId = type->baseType - 1;
                render();
                updateButtons();
                InvalidateRect(handle(), nullptr, FALSE);
            }
            return 1;
        case unit_info_id::kPrevious:
        case unit_info_id::kNext: {
            const TroopNeighbours around = findTroopNeighbours(m_game, m_look.lists().troops(m_country), m_country, m_unitIndex);
            step(controlId == unit_info_id::kPrevious ? around.previous : around.next);
            return 1;
        }
        case unit_info_id::kCapabilityPage:
        case unit_info_id::kMovePage:
            m_movePage = controlId == unit_info_id::kMovePage;
            pressPair(controlId, controlId == unit_info_id::kMovePage ? unit_info_id::kCapabilityPage : unit_info_id::kMovePage);
            render();
            InvalidateRect(handle(), nullptr, FALSE);
            return 1;
        case unit_info_id::kArmamentPage:
        case unit_info_id::kCargoPage:
            m_lowerPage = controlId == unit_info_id::kCargoPage ? kCargoPage : kArmamentPage;
            pressPair(controlId, controlId == unit_info_id::kCargoPage ? unit_info_id::kArmamentPage : unit_info_id::kCargoPage);
            render();
            updateButtons();
            InvalidateRect(handle(), nullptr, FALSE);
            return 1;
        // Enter presses the drawn button that has the focus, as Space does.
        case IDOK:
            if (HWND focus = GetFocus(); focus && GetParent(focus) == handle() && GetDlgCtrlID(focus) != IDOK)
                return OnCommand(msg, UINT(GetDlgCtrlID(focus)), BN_CLICKED);
            return 1;
        default:
            return 0;
        }
    } catch (swCError* error) {
        delete error;
        refuse();
        return 1;
    }
}
