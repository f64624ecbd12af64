// WeaponInfoWindow: the page rendered from the unit panels into "info_heiki.bmp", its buttons and
// the browsing through the producible-type list.
#include "infowin/weapon_info_window.h"

#include "infowin/sheet_layout.h"
#include "infowin/unit_info_buttons.h"
#include "infowin/unit_info_ids.h"
#include "infowin/unit_panels.h"
#include "lib/application.h"
#include "lib/error.h"
#include "lib/media/bitmap_button.h"
#include "ui/base_bitmaps.h"
#include "state/game_state.h"
#include "state/unit_facts.h"
#include "ui/dialog_templates.h"
#include "ui/info_window_frame.h"
#include "ui/main_window_services.h"
#include "ui/private_messages.h"
#include "ui/window_services.h"
#include "ui/presentation.h"

#include <vector>

namespace {

constexpr const char* kBackground = "info_heiki.bmp";
// The parts of the page a change of armament set draws again.
constexpr RECT kSetBlock { 456, 268, 698, 420 };
constexpr RECT kWeaponTable { 8, 508, 712, 588 };
constexpr RECT kMoveArea { 12, 348, 436, 452 };

const UnitTypeRecord* typeRecord(GameState& state, int typeId)
{
    if (typeId <= 0 || typeId >= kUnitTypeIdMapSize || !state.unitTypeIndex(typeId))
        return nullptr;
    return &state.unitTypeRecord(typeId);
}

int defaultSetOf(GameState& state, int typeId)
{
    const UnitTypeRecord* type = typeRecord(state, typeId);
    return type ? defaultModelOf(*type) : 0;
}

// The armament set's block and its weapon table; a missing bar sheet costs the table's bars.
void drawSet(HDC dc, const WindowContext& context, int set, const UnitTypeRecord& type)
{
    drawArmamentSetBlock(dc, context.look, context.game, set, type, nullptr);
    if (const swCBitmap* bars = context.look.baseBitmap(kInfoButtons))
        drawWeaponTable(dc, context.look, context.game, set, type, *bars, info_sheet::kWeaponBars.x, info_sheet::kWeaponBars.y, 0);
}

} // namespace

WeaponInfoWindow::WeaponInfoWindow(const WindowContext& context, swCWindow* parent, int typeId, int key, int flags)
    : KitWindow(dialog_template::kWeaponInfo, parent)
    , m_context(context)
    , m_key(key)
    , m_typeId(typeId)
    , m_originTypeId(typeId)
    , m_armamentSet(defaultSetOf(context.game, typeId))
    , m_flags(flags)
    , m_background(std::make_unique<swCBitmap>())
{
    registerGameDialogTemplates();
    if (!loadClean(*m_background))
        m_background.reset();
    theApplication().appAddModeless(this);
}

WeaponInfoWindow::~WeaponInfoWindow() { theApplication().appRemoveModeless(this); }

bool WeaponInfoWindow::open() { return CreateModeless() && handle(); }

bool WeaponInfoWindow::loadClean(swCBitmap& bitmap) const
{
    try {
        bitmap.bitmapLoadFile(m_context.look.bitmapPath(kBackground).c_str());
    } catch (swCError* error) {
        delete error;
        return false;
    }
    return bitmap.handle() != nullptr;
}

const UnitTypeRecord* WeaponInfoWindow::shownType() const { return typeRecord(m_context.game, m_typeId); }

int WeaponInfoWindow::OnInitDialog()
{
    ui::centreWindow(*this, parent() ? parent()->handle() : nullptr, { kPageWidth, kPageHeight });

    unit_info::createPageButtons(this, 56);
    for (int k = 0; k < kModelCount; ++k)
        new InfoButton48x16(this, k, unit_info_id::kFirstSet + UINT(k), 460 + 64 * k, 432);
    unit_info::holdPressed(handle(), unit_info_id::kCapabilityPage, !m_movePage);
    unit_info::holdPressed(handle(), unit_info_id::kMovePage, m_movePage);
    render();
    updateButtons();

    windowRestorePlacement(kPlacementPrefix, false, false);
    return 1;
}

void WeaponInfoWindow::render()
{
    const UnitTypeRecord* type = shownType();
    if (!m_background || !type)
        return;
    swCBitmap clean;
    if (!loadClean(clean))
        return;
    BitmapDcHolder page(m_background->handle());
    page.blitBitmap(0, 0, clean.handle(), RECT { 0, 0, kPageWidth, kPageHeight });
    try {
        drawTypeHeader(page.dc(), m_context.look, m_context.game, *type, -1);
        if (m_movePage)
            drawMovementPanel(page.dc(), m_context.look, m_context.game, *type);
        else
            drawCapabilityIcons(page.dc(), m_context.look, m_context.game, *type);
        drawSet(page.dc(), m_context, m_armamentSet, *type);
    } catch (swCError* error) {
        delete error;
    }
}

void WeaponInfoWindow::chooseSet(int set)
{
    for (int k = 0; k < kModelCount; ++k)
        unit_info::holdPressed(handle(), unit_info_id::kFirstSet + UINT(k), k == set);
    const UnitTypeRecord* type = shownType();
    if (set == m_armamentSet || !type)
        return;
    m_armamentSet = set;
    swCBitmap clean;
    if (!m_background || !loadClean(clean))
        return;
    {
        BitmapDcHolder page(m_background->handle());
        for (const RECT& part : { kSetBlock, kWeaponTable })
            page.blitBitmap(part.left, part.top, clean.handle(), part);
        try {
            if (m_movePage)
                drawMovementPanel(page.dc(), m_context.look, m_context.game, *type);
            drawSet(page.dc(), m_context, set, *type);
        } catch (swCError* error) {
            delete error;
        }
    }
    for (const RECT& part : { kMoveArea, kSetBlock, kWeaponTable })
        InvalidateRect(handle(), &part, FALSE);
    UpdateWindow(handle());
}

int WeaponInfoWindow::originPosition() const
{
    GameState* state = &m_context.game;
    ListOrders& lists = m_context.look.lists();
    if (lists.producible().empty()) {
        // A list never built (the weapon list not yet opened) is made as that list would make it.
        lists.buildProducible(*state, lists.producibleFilter());
        lists.sortProducible(*state, lists.producibleOrder(), 0);
    }
    const UnitTypeRecord* origin = typeRecord(*state, m_originTypeId);
    const int base = origin ? int(origin->baseType) - 1 : -1;
    const std::vector<uint32_t>& list = lists.producible();
    for (size_t p = 0; p < list.size(); ++p)
        if (int(list[p]) == m_originTypeId || (base > 0 && int(list[p]) == base))
            return int(p);
    return -1;
}

int WeaponInfoWindow::previousType() const
{
    const int p = originPosition();
    return p > 0 ? int(m_context.look.lists().producible()[size_t(p - 1)]) : 0;
}

int WeaponInfoWindow::nextType() const
{
    const int p = originPosition();
    const std::vector<uint32_t>& list = m_context.look.lists().producible();
    if (p < 0 || size_t(p + 1) >= list.size())
        return 0;
    return int(list[size_t(p + 1)]);
}

void WeaponInfoWindow::browseTo(int typeId)
{
    if (typeId <= 0)
        return;
    m_typeId = m_originTypeId = typeId;
    m_armamentSet = defaultSetOf(m_context.game, typeId);
    render();
    updateButtons();
    InvalidateRect(handle(), nullptr, FALSE);
    m_context.main.setWeaponInfoShown(m_key, m_typeId);
}

void WeaponInfoWindow::updateButtons()
{
    unit_info::showButton(handle(), unit_info_id::kPrevious, previousType() != 0);
    unit_info::showButton(handle(), unit_info_id::kNext, nextType() != 0);
    const UnitTypeRecord* type = shownType();
    unit_info::showButton(handle(), unit_info_id::kBaseType, type && type->baseType != 0);
    for (int k = 0; k < kModelCount; ++k) {
        unit_info::showButton(handle(), unit_info_id::kFirstSet + UINT(k), type && unitTypeHasGroupFlag(*type, k));
        unit_info::holdPressed(handle(), unit_info_id::kFirstSet + UINT(k), k == m_armamentSet);
    }
}

void WeaponInfoWindow::closeGesture() { postToOwner(*this, ui_message::kCloseWeaponInfo, WPARAM(m_key)); }

int WeaponInfoWindow::OnMessage(MessageRecord& msg)
{
    switch (msg.message) {
    case ui_message::kWeaponInfoRefresh:
    case ui_message::kWeaponInfoReload:
        render();
        updateButtons();
        InvalidateRect(handle(), nullptr, FALSE);
        return 1;
    case WM_CTLCOLORBTN:
        msg.result = LRESULT(GetStockObject(NULL_BRUSH));
        return 1;
    default:
        return KitWindow::OnMessage(msg);
    }
}

int WeaponInfoWindow::OnCommand(MessageRecord&, UINT command, UINT)
{
    if (command >= unit_info_id::kFirstSet && command < unit_info_id::kFirstSet + kModelCount) {
        chooseSet(int(command - unit_info_id::kFirstSet));
        return 1;
    }
    switch (command) {
    case unit_info_id::kClose:
    case IDCANCEL: // Escape
        closeGesture();
        return 1;
    case unit_info_id::kBaseType:
        if (const UnitTypeRecord* type = shownType(); type && type->baseType != 0) {
            m_typeId = int(type->baseType) - 1;
            render();
            InvalidateRect(handle(), nullptr, FALSE);
        }
        return 1;
    case unit_info_id::kPrevious:
        browseTo(previousType());
        return 1;
    case unit_info_id::kNext:
        browseTo(nextType());
        return 1;
    case unit_info_id::kCapabilityPage:
    case unit_info_id::kMovePage:
        m_movePage = command == unit_info_id::kMovePage;
        unit_info::holdPressed(handle(), unit_info_id::kCapabilityPage, !m_movePage);
        unit_info::holdPressed(handle(), unit_info_id::kMovePage, m_movePage);
        render();
        InvalidateRect(handle(), nullptr, FALSE);
        return 1;
    default:
        // The window has no default button: Enter does nothing by itself.
        return command == IDOK ? 1 : 0;
    }
}
