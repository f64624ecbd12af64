// MapSettingsListDialog: "マップ設定一覧", the read-only overview of a map about to be played with
// all eight countries at once. The person goes on, goes back, or asks to change the settings.
#pragma once

#include "lib/dialog_base.h"
#include "ui/window_context.h"
#include "ui/window_kit.h"

class GameState;
class MapThumbnail;

class MapSettingsListDialog : public ui::KitWindow<DialogBase> {
public:
    // Without cancel only OK is offered; without "設定変更" a campaign game offers the rules and
    // the victory conditions to read instead.
    MapSettingsListDialog(const WindowContext& context, swCWindow* owner, bool withCancel, bool withChange);

    int OnInitDialog() override;
    // The close box and a right click (on a control too) end it with 0.
    const ui::WindowDescription& description() const override;
    int OnCommand(MessageRecord& msg, UINT id, UINT code) override;

    MapThumbnail* thumbnail() const { return m_thumbnail; }
    // Set by "設定変更", which ends the list with 1: the caller opens the map settings.
    bool changeRequested() const { return m_changeRequested; }

private:
    void createGeneralControls();
    void createCountry(int country);
    void showRules();
    void showVictoryConditions();

    GameState& m_state;
    const Presentation& m_look;
    bool m_withCancel = false;
    bool m_withChange = false;
    bool m_changeRequested = false;
    MapThumbnail* m_thumbnail = nullptr;
};
