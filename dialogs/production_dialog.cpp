// ProductionDialog: sorting, buying, orders and their armament, and the end of the dialog.
#include "dialogs/production_dialog.h"

#include "dialogs/owner_draw_list_box.h"
#include "dialogs/production_list_box.h"
#include "infowin/arm_change_window.h"
#include "lib/media/bitmap_button.h"
#include "rules/production.h"
#include "rules/targets.h"
#include "state/game_state.h"
#include "state/rule_block.h"
#include "state/troop_sort.h"
#include "state/unit_facts.h"
#include "state/unit_type_sort.h"
#include "ui/dialog_templates.h"
#include "ui/main_window_services.h"
#include "ui/private_messages.h"

#include <algorithm>
#include <cstring>

namespace {

using ui::cp;

} // namespace

ProductionDialog::ProductionDialog(const WindowContext& context, swCWindow* owner, int x, int y)
    : PlayPopup(context, dialog_template::kProduction, owner, production_id::kCancel)
    , m_x(x)
    , m_y(y)
    , m_country(context.game.turnBlock().currentCountry)
    , m_storing(context.game.ruleOn(kRuleStoring))
    , m_orders(context.game, x, y, context.game.turnBlock().currentCountry)
{
}

ProductionDialog::~ProductionDialog() = default;

void ProductionDialog::warn(const char* utf8Text)
{
    modalMessageBox(this, cp(utf8Text).c_str(), cp("警告").c_str(), MB_OK);
}

int ProductionDialog::OnInitDialog()
{
    placeWindow({ clientWidth(), kHeight });
    if (m_country < 0 || m_country >= kCountryCount) {
        end(0);
        return 1;
    }
    if (!makeControls([this] { createControls(); }))
        return 1;
    fillTypeList();
    watchPlay();
    return 0;
}

void ProductionDialog::sortBy(int head)
{
    if (head < 0 || head > 2 || !m_typeList)
        return;
    if (m_heads[size_t(head)] && m_heads[size_t(head)]->heldPressed()) {
        std::reverse(m_typeIds.begin(), m_typeIds.end());
    } else {
        m_activeHead = head;
        latchOne(m_heads, head);
        using Less = bool (*)(const GameState&, uint32_t, uint32_t);
        const Less orders[3] = { unitTypeLessByClass, unitTypeLessByName, unitTypeLessByCost };
        const Less less = orders[head];
        sortTroopKeys(m_typeIds, [&](uint32_t a, uint32_t b) { return less(m_state, a, b); });
    }
    InvalidateRect(m_typeList->handle(), nullptr, FALSE);
    SetFocus(m_typeList->handle());
}

void ProductionDialog::showMachinesMade()
{
    const int type = m_typeList ? m_typeList->selectedType() : 0;
    const int made = m_state.unitTypeIndex(type) ? machinesMade(m_state.unitTypeRecord(type), m_askedMachines) : m_askedMachines;
    // Item n - 1 holds n; setting it sends no change of its own.
    SendMessageA(GetDlgItem(handle(), int(production_id::kMachines)), CB_SETCURSEL, WPARAM(made - 1), 0);
}

void ProductionDialog::produce()
{
    if (!m_state.handshake().playRunning())
        return;
    const int type = m_typeList->selectedType();
    const ProductionRefusal refusal = m_orders.check(type, chosenMachines(), m_storing);
    if (refusal == ProductionRefusal::NoType) {
        warn("生産する兵器を選択してください。");
        return;
    }
    if (refusal == ProductionRefusal::Limit) {
        warn("これ以上部隊を生産できません。");
        return;
    }
    switch (refusal) {
    case ProductionRefusal::DomainTaken:
        // The slot of the type's layer is taken: nothing is bought, nothing said.
        break;
    case ProductionRefusal::Funds:
        warn("兵器を購入するための軍資金が足りません。");
        break;
    case ProductionRefusal::Capacity:
        warn("建物の最大収納数を超えるため生産できません。");
        break;
    default:
        if (m_storing) {
            m_orders.placeOrder(type, chosenMachines());
            refreshFigures();
            refreshStoredList(int(m_orders.entries().size()) - 1);
        } else {
            const int unit = buyUnit(m_state, m_x, m_y, m_country, type, m_orders.cappedMachines(type, chosenMachines()), 0, -1);
            if (unit < 0) {
                warn("この地点に兵器を生産することができませんでした。");
            } else {
                if (isMultiRole(m_state.unitTypeRecord(type))) {
                    ArmChangeWindow arms({ m_state, m_main, m_look }, this, m_country, unit, -1);
                    if (arms.run() == 1 && m_state.handshake().playRunning())
                        selectModel(m_state, *m_state.unitOf(m_country, unit), arms.selectedSet());
                }
                end(m_state.handshake().playRunning() ? 1 : 0);
                return;
            }
        }
        break;
    }
    if (HWND button = GetDlgItem(handle(), int(production_id::kProduce)))
        EnableWindow(button, m_typeList->selectedType() > 0 ? TRUE : FALSE);
}

void ProductionDialog::cancelOrder()
{
    const int selected = m_storedList ? m_storedList->selection() : -1;
    if (selected < 0) {
        warn("生産を取り消す収納部隊を選択してください。");
        return;
    }
    if (!m_orders.cancelOrder(size_t(selected)))
        return;
    refreshFigures();
    const int count = int(m_orders.entries().size());
    refreshStoredList(selected < count ? selected : count - 1);
}

void ProductionDialog::updateOrderButtons()
{
    const int selected = m_storedList ? m_storedList->selection() : -1;
    const auto& entries = m_orders.entries();
    const StoredEntry* entry = selected >= 0 && size_t(selected) < entries.size() ? &entries[size_t(selected)] : nullptr;
    const bool order = entry && entry->isOrder();
    const bool multiRole = order && m_state.unitTypeIndex(entry->typeId())
        && isMultiRole(m_state.unitTypeRecord(entry->typeId()));
    if (HWND button = GetDlgItem(handle(), int(production_id::kCancelOrder)))
        EnableWindow(button, order ? TRUE : FALSE);
    if (HWND button = GetDlgItem(handle(), int(production_id::kPack)))
        EnableWindow(button, multiRole ? TRUE : FALSE);
}

void ProductionDialog::choosePack()
{
    const int selected = m_storedList ? m_storedList->selection() : -1;
    const auto& entries = m_orders.entries();
    if (selected < 0 || size_t(selected) >= entries.size() || !entries[size_t(selected)].isOrder())
        return;
    const StoredEntry entry = entries[size_t(selected)];
    ArmChangeWindow arms({ m_state, m_main, m_look }, this, -1, entry.typeId(), entry.model);
    if (arms.run() == 1)
        m_orders.setOrderModel(size_t(selected), arms.selectedSet());
    if (!m_state.handshake().playRunning())
        end(0);
}

void ProductionDialog::showDetails()
{
    const int type = m_typeList->selectedType();
    if (type <= 0) {
        warn("詳細を表示する兵器を選択してください。");
        return;
    }
    HWND main = m_main.mainWindow();
    if (!main && parent())
        main = parent()->handle();
    if (main)
        PostMessageA(main, ui_message::kWeaponInfo, WPARAM(type), 0);
}

void ProductionDialog::carryOutOrders()
{
    if (!m_state.handshake().playRunning()) {
        end(0);
        return;
    }
    std::vector<int> refused;
    const int made = m_orders.carryOut(refused);
    if (!refused.empty()) {
        // The rules re-check every order; the person hears which of them came to nothing.
        std::string text = cp("次の兵器は生産できませんでした。");
        for (int type : refused)
            if (m_state.unitTypeIndex(type)) {
                const char* name = m_state.unitTypeRecord(type).name;
                text += "\n" + std::string(name, strnlen(name, sizeof m_state.unitTypeRecord(type).name));
            }
        modalMessageBox(this, text.c_str(), cp("警告").c_str(), MB_OK);
    }
    end(made > 0 && m_state.handshake().playRunning() ? 1 : 0);
}

int ProductionDialog::OnCommand(MessageRecord& msg, UINT command, UINT code)
{
    switch (command) {
    case production_id::kClassHead: sortBy(0); return 1;
    case production_id::kNameHead: sortBy(1); return 1;
    case production_id::kPriceHead: sortBy(2); return 1;
    case production_id::kTypeList:
        if (code == LBN_DBLCLK) {
            produce();
        } else if (code == LBN_SELCHANGE) {
            showMachinesMade();
            if (HWND button = GetDlgItem(handle(), int(production_id::kProduce)); button && m_storing)
                EnableWindow(button, TRUE);
        }
        return 1;
    case production_id::kStoredList:
        if (code == LBN_DBLCLK)
            cancelOrder();
        else if (code == LBN_SELCHANGE)
            updateOrderButtons();
        return 1;
    case production_id::kMachines:
        if (code == CBN_SELCHANGE && m_typeList) {
            HWND combo = GetDlgItem(handle(), int(production_id::kMachines));
            const LRESULT item = SendMessageA(combo, CB_GETCURSEL, 0, 0);
            if (item != CB_ERR)
                m_askedMachines = int(SendMessageA(combo, CB_GETITEMDATA, WPARAM(item), 0));
            showMachinesMade();
            m_typeList->setShownCount(m_askedMachines);
            InvalidateRect(m_typeList->handle(), nullptr, FALSE);
            UpdateWindow(m_typeList->handle());
        }
        return 1;
    case production_id::kProduce: produce(); return 1;
    case production_id::kCancelOrder: cancelOrder(); return 1;
    case production_id::kPack: choosePack(); return 1;
    case production_id::kDetails: showDetails(); return 1;
    case production_id::kOk:
        if (m_storing)
            carryOutOrders();
        return 1;
    default:
        return PlayPopup::OnCommand(msg, command, code);
    }
}
