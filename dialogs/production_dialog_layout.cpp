// ProductionDialog's window and controls, made in code on the empty production frame.
#include "dialogs/production_dialog.h"

#include "dialogs/owner_draw_list_box.h"
#include "dialogs/production_list_box.h"
#include "lib/control.h"
#include "lib/media/bitmap_button.h"
#include "rules/production_types.h"
#include "rules/visibility.h"
#include "rules/targets.h"
#include "state/game_state.h"
#include "state/rule_block.h"
#include "ui/window_kit.h"
#include "ui/presentation.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr uint8_t kAirportKind = 16;
constexpr uint8_t kPortKind = 17;

using ui::cp;

} // namespace

HWND ProductionDialog::addControl(const char* className, UINT control, DWORD style, const char* utf8Text, int x, int y,
    int width, int height, bool pushButton)
{
    auto* c = new ChildControl(className, this, control, style);
    c->controlCreateTitled(cp(utf8Text).c_str(), { x, y, width, height });
    SendMessageA(c->handle(), WM_SETFONT, WPARAM(m_look.font(pushButton ? kFont14 : kSmallFont).handle()), FALSE);
    return c->handle();
}

void ProductionDialog::createControls()
{
    const int w = clientWidth();
    m_heads[0] = columnHeader(new Button96x20(this, 0, production_id::kClassHead, 12, 10));
    m_heads[1] = columnHeader(new Button272x20(this, 0, production_id::kNameHead, 108, 10));
    m_heads[2] = columnHeader(new Button68x20(this, 0, production_id::kPriceHead, 380, 10));
    m_typeList = new OwnerDrawListBox(this, m_state, m_look, production_id::kTypeList, m_country, &m_typeIds);
    m_typeList->create(8, 30, 452, 238);
    SendMessageA(m_typeList->handle(), WM_SETFONT, WPARAM(m_look.font(kSmallFont).handle()), FALSE);
    m_typeList->setFreeSlotMask(m_orders.freeSlotMask());
    m_typeList->setFunds(m_orders.funds());
    new HexPictureButton(this, production_id::kHexPicture, 510, 8, m_x, m_y);
    const TerrainRecord* terrain = m_state.terrainTypeAt(m_x, m_y);
    const std::string terrainName = terrain ? std::string(terrain->name, strnlen(terrain->name, sizeof terrain->name)) : "";
    HWND name = addControl("Static", production_id::kTerrainName, SS_CENTER | SS_NOPREFIX, "", 464, 44, 124, 14);
    SetWindowTextA(name, terrainName.c_str());
    createFacilityMarks();

    addControl("Static", production_id::kRateLabel, SS_LEFT, "相場", 472, 196, 42, 14);
    char rate[16] = "--";
    if (m_state.ruleOn(kRuleMarketRate))
        std::snprintf(rate, sizeof rate, "%d%%", int(m_state.country(m_country).marketRate));
    SetWindowTextA(addControl("Static", production_id::kRate, SS_RIGHT, "", 514, 196, 56, 14), rate);
    addControl("Static", production_id::kFundsLabel, SS_LEFT, "軍資金", 472, 216, 42, 14);
    addControl("Static", production_id::kFunds, SS_RIGHT, "", 514, 216, 56, 14);
    addControl("Static", production_id::kUnitsLabel, SS_LEFT, "部隊数", 472, 236, 42, 14);
    addControl("Static", production_id::kUnits, SS_RIGHT, "", 514, 236, 56, 14);
    if (m_state.ruleOn(kRuleProductionLimit)) {
        addControl("Static", production_id::kProducedLabel, SS_LEFT, "生産数", 472, 256, 42, 14);
        addControl("Static", production_id::kProduced, SS_RIGHT, "", 514, 256, 56, 14);
    }
    addControl("Static", production_id::kMachinesLabel, SS_LEFT, "生産機数", 478, 128, 56, 14);
    HWND machines = addControl("ComboBox", production_id::kMachines, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, "", 534, 126, 40, 224);
    for (int n = 1; n <= 10; ++n) {
        char text[8];
        std::snprintf(text, sizeof text, "%2d", n);
        const LRESULT item = SendMessageA(machines, CB_ADDSTRING, 0, LPARAM(text));
        SendMessageA(machines, CB_SETITEMDATA, WPARAM(item), LPARAM(n));
    }
    SendMessageA(machines, CB_SETCURSEL, 9, 0);
    if (m_storing)
        createStoringControls();
    addControl("Button", production_id::kDetails, BS_PUSHBUTTON | WS_TABSTOP, "兵器詳細", w - 328, 290, 96, 24, true);
    if (m_storing)
        addControl("Button", production_id::kOk, BS_PUSHBUTTON | WS_TABSTOP, "OK", w - 216, 290, 96, 24, true);
    else
        addControl("Button", production_id::kProduce, BS_PUSHBUTTON | WS_TABSTOP, "生産", w - 216, 290, 96, 24, true);
    addControl("Button", production_id::kCancel, BS_PUSHBUTTON | WS_TABSTOP, "ｷｬﾝｾﾙ", w - 104, 290, 96, 24, true);
    refreshFigures();
}

void ProductionDialog::createStoringControls()
{
    addControl("Static", production_id::kStoredLabel, SS_LEFT, "収納部隊", 588, 8, 56, 14);
    m_storedList = new ProductionListBox(this, m_state, m_look, production_id::kStoredList, m_country);
    m_storedList->create(588, 24, 244, 206);
    EnableWindow(addControl("Button", production_id::kProduce, BS_PUSHBUTTON | WS_TABSTOP, ">>生産>>", 478, 100, 96, 24, true), FALSE);
    EnableWindow(addControl("Button", production_id::kCancelOrder, BS_PUSHBUTTON | WS_TABSTOP, "<<取消<<", 478, 150, 96, 24, true), FALSE);
    addControl("Static", production_id::kStoredCount, SS_RIGHT, "", 762, 236, 70, 14);
    EnableWindow(addControl("Button", production_id::kPack, BS_PUSHBUTTON | WS_TABSTOP, "Pack選択", 588, 236, 96, 24, true), FALSE);
    refreshStoredList(-1);
}

void ProductionDialog::createFacilityMarks()
{
    const TerrainRecord* terrain = m_state.terrainTypeAt(m_x, m_y);
    const BuildingRecord* building = m_state.buildingOnHex(m_x, m_y);
    if (!terrain || !building || (terrain->kind != kAirportKind && terrain->kind != kPortKind))
        return;
    // A building that names no capability has them all.
    const int bits = building->domainMask ? building->domainMask : 0xFF;
    auto mark = [&](const char* name, int bit) { return std::string(name) + (bits >> bit & 1 ? "○" : "×"); };
    const bool air = terrain->kind == kAirportKind;
    addControl("Static", production_id::kUpperMark, SS_CENTER, (air ? mark("高空:", 1) : mark("海上:", 4)).c_str(), 464, 62, 124, 14);
    addControl("Static", production_id::kLowerMark, SS_CENTER, (air ? mark("低空:", 2) : mark("海中:", 5)).c_str(), 464, 78, 124, 14);
}

void ProductionDialog::fillTypeList()
{
    m_typeIds = producibleTypesAt(m_state, m_x, m_y, m_country);
    setListIndexRows(m_typeList->handle(), m_typeIds.size());
    sortBy(0);
}

void ProductionDialog::refreshFigures()
{
    // The producing country's figures, as the country information shows them to the viewer.
    const bool known = ViewerView(m_state).knowsFigures(m_country);
    char text[32];
    std::snprintf(text, sizeof text, "%lld", static_cast<long long>(m_orders.funds()));
    SetDlgItemTextA(handle(), int(production_id::kFunds), known ? text : "????????");
    std::snprintf(text, sizeof text, "%d/%-3d", m_orders.liveUnits(), m_state.playerUnitCount(m_country));
    SetDlgItemTextA(handle(), int(production_id::kUnits), known ? text : "????????");
    std::snprintf(text, sizeof text, "%d/%-3d", m_orders.producedCount(), int(m_state.country(m_country).productionLimit));
    SetDlgItemTextA(handle(), int(production_id::kProduced), known ? text : "????????");
    if (m_typeList) {
        m_typeList->setFunds(known ? m_orders.funds() : 0);
        InvalidateRect(m_typeList->handle(), nullptr, FALSE);
    }
}

void ProductionDialog::refreshStoredCount()
{
    char text[32];
    std::snprintf(text, sizeof text, "%s %d/%d", cp("収納数").c_str(), int(m_orders.entries().size()),
        m_orders.capacity());
    SetDlgItemTextA(handle(), int(production_id::kStoredCount), text);
}

void ProductionDialog::refreshStoredList(int selection)
{
    if (!m_storedList)
        return;
    HWND list = m_storedList->handle();
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (const StoredEntry& entry : m_orders.entries())
        SendMessageA(list, LB_ADDSTRING, 0, LPARAM(entry.data));
    if (selection >= 0)
        SendMessageA(list, LB_SETCURSEL, WPARAM(selection), 0);
    refreshStoredCount();
    updateOrderButtons();
}
