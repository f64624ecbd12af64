// VictoryConditionDialog: the eight countries' victory conditions on one page per country tab;
// modal to set or show them, modeless to show them during play.
#pragma once

#include "editors/victory_condition_rules.h"
#include "lib/dialog_base.h"
#include "ui/window_context.h"
#include "ui/window_kit.h"

namespace victory_id {
enum : int {
    kOk = 1000, kCancel, kConditionsGroup, kBuilding, kBuildingAll, kBuildingAny, kUnit, kUnitAll, kUnitAny,
    kTransport, kShare, kShareCaption, kShareUnit, kCivilians, kAnyOne, kAllOf, kTurnOverCaption,
    kTurnOverGroup, kVictory, kDefeat, kDraw, kTab, kPage,
};
} // namespace victory_id

enum VictoryDialogMode : int {
    kVictorySet = 0,
    kVictoryConfirm = 1,
};

class VictoryConditionDialog : public ui::KitWindow<DialogBase> {
public:
    static constexpr const char* kPlacementPrefix = "WinInfo";

    // A modeless flag of 1 makes the modeless form; entries are copied.
    VictoryConditionDialog(const WindowContext& context, swCWindow* owner, int modeless,
        const VictoryConditionEntries& entries, VictoryDialogMode mode);

    int OnInitDialog() override;
    const ui::WindowDescription& description() const override;
    void closeGesture() override;
    int OnMessage(MessageRecord& msg) override;
    int OnCommand(MessageRecord& msg, UINT id, UINT code) override;
    int OnNotify(MessageRecord& msg, UINT id, NMHDR* header) override;

    // After result 1 in set mode: the edited entries.
    const VictoryConditionEntries& entries() const { return m_entries; }
    int country() const { return m_country; }

private:
    void createPage();
    // Shows country c, saving the country shown before; false when that save failed and the tab
    // went back to it.
    bool loadCountry(int country, int previous);
    bool saveCountry(int country);
    // The enabling rules of the shown country, from the checks as they stand.
    void applyEnabling();
    bool pageSettable() const;
    void close(INT_PTR result);

    const GameState& m_game;
    const Presentation& m_look;
    VictoryConditionEntries m_entries {};
    VictoryDialogMode m_mode = kVictorySet;
    int m_country = 0;
    HWND m_tab = nullptr;
    HWND m_page = nullptr;
};
