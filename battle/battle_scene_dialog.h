// BattleSceneDialog: the invisible modal host that keeps combat on the UI thread waiting while the
// animated scene plays.
#pragma once

#include "battle/battle_sound.h"
#include "lib/dialog_base.h"
#include "ui/window_kit.h"

struct BattleRecord;

// The main window's part: it keeps the registered host and closes it when the scene hands back.
class BattleHostRegistry {
public:
    virtual ~BattleHostRegistry() = default;
    virtual void registerBattleHost(HWND host) = 0;
};

class BattleSceneDialog : public ui::KitWindow<DialogBase> {
public:
    BattleSceneDialog(swCWindow* parent, const BattleRecord& record, SceneSound sound, BattleHostRegistry& registry);

    int OnInitDialog() override;
    const ui::WindowDescription& description() const override;
    int OnCommand(MessageRecord& msg, UINT id, UINT code) override;

    // Whether the scene started; when it did not the dialog ends at once.
    bool started() const { return m_started; }

private:
    const BattleRecord& m_record;
    SceneSound m_sound;
    BattleHostRegistry& m_registry;
    bool m_started = false;
};
