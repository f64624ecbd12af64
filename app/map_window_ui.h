// MapWindow::Ui: the map window as the person's orders see it.
#pragma once

#include "app/map_view_host.h"
#include "app/map_window.h"
#include "app/window_helpers.h"
#include "dialogs/hooked_popup_dialog.h"
#include "dialogs/merge_dialog.h"
#include "dialogs/production_dialog.h"
#include "dialogs/sel_attack_arms_dialog.h"
#include "infowin/arm_change_window.h"
#include "rules/combat_pair.h"
#include "ui/disband_question.h"
#include "platform/kernel/host.h"

// What the orders ask of the window: the host's palette and panel, questions and redraws.
class MapWindow::Ui : public OrderUi {
public:
    explicit Ui(MapWindow& window) : m_window(window) { }

    void unitSelected(int side, int index, uint32_t mask) override
    {
        if (m_window.m_host)
            m_window.m_host->unitSelected(side, index, mask);
    }
    void hexShown(int x, int y) override
    {
        if (m_window.m_host)
            m_window.m_host->hexShown(x, y);
    }
    // Each question is before an order that cannot be taken back (a pact or an alliance broken, a
    // weapon spent for turns): no is the default, so that Enter alone does not give it.
    bool confirm(const std::string& text) override
    {
        return modalMessageBox(owner(), text.c_str(), platform::utf8ToCp932("確認").c_str(), MB_YESNO | MB_DEFBUTTON2) == IDYES;
    }
    bool confirmDisband(int side, int index) override { return ::confirmDisband(owner(), m_window.m_state, side, index); }
    void notice(const std::string& text, const std::string& caption) override
    {
        modalMessageBox(owner(), text.c_str(), caption.c_str(), MB_OK);
    }
    void marksChanged() override { m_window.redrawMarked(); }
    // The popup opens at the mouse, as a menu does.
    uint32_t choose(int purpose, const std::vector<uint32_t>& upper, const std::vector<uint32_t>& lower) override
    {
        POINT at {};
        GetCursorPos(&at);
        HookedPopupDialog popup(makeWindowContext(m_window.m_state), owner(), purpose, at.x, at.y, upper, lower);
        if (!popup.run() || popup.result() != 1)
            return popup_entry::kNone;
        return popup.chosenEntry();
    }
    int chooseArmamentSet(int side, int index) override
    {
        ArmChangeWindow window(makeWindowContext(m_window.state()), owner(), side, index, -1);
        return window.run() == 1 ? window.selectedSet() : -1;
    }
    bool chooseWeapon(CombatPair& pair) override
    {
        SelAttackArmsDialog dialog(makeWindowContext(m_window.m_state), owner(), pair, pair.side[0].restricted, 0);
        return dialog.run() == 1;
    }
    int chooseMerge(int side, int index, int partner, HexPos dest) override
    {
        MergeDialog dialog(makeWindowContext(m_window.m_state), owner(), side, index, partner, dest.x, dest.y);
        return dialog.run() == 1 ? dialog.rightCount() : -1;
    }
    int chooseSplit(int side, int index, HexPos stay, HexPos part) override
    {
        SplitDialog dialog(makeWindowContext(m_window.m_state), owner(), side, index, stay.x, stay.y, part.x, part.y);
        return dialog.run() == 1 ? dialog.rightCount() : -1;
    }
    bool produceAt(int x, int y) override
    {
        ProductionDialog dialog(makeWindowContext(m_window.m_state), owner(), x, y);
        if (dialog.run() != 1)
            return false;
        m_window.fullRefresh();
        return true;
    }

private:
    // The game's boxes belong to the main window.
    swCWindow* owner() const
    {
        HWND root = m_window.handle() ? GetAncestor(m_window.handle(), GA_ROOT) : nullptr;
        swCWindow* main = root ? windowFromHandle(root) : nullptr;
        return main ? main : &m_window;
    }

    MapWindow& m_window;
};
