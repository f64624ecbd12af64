// ArmChangeWindow: the choice of one of a unit type's up to four armament sets, as the initial
// armament of a new unit ("初期武装選択", production phase) or as an exchange ("武装交換"). It only
// reports the choice; the caller applies it with its costs and checks.
#pragma once

#include "lib/dialog.h"
#include "lib/media/bitmap.h"
#include "ui/window_context.h"
#include "ui/window_kit.h"
#include "ui/window_services.h"

#include <memory>
#include <string>

class GameState;
struct UnitRecord;
struct UnitTypeRecord;

namespace arm_change_id {
enum : UINT {
    kConfirm = 1001, kCancel,
    // Sets 0..3 are chosen by 1004..1007.
    kFirstSet = 1004,
};
} // namespace arm_change_id

class ArmChangeWindow : public ui::KitWindow<swCDialog> {
public:
    static constexpr const char* kPlacementPrefix = "ArmChange";

    // country -1: unitOrType is a unit type id, else the country's unit index. initialSet -1 takes
    // the unit's current set, or the type's default set. The game's modal-idle flag is cleared while
    // the object lives.
    ArmChangeWindow(const WindowContext& context, swCWindow* parent, int country, int unitOrType, int initialSet);
    ~ArmChangeWindow() override;

    // Runs modally. 1 when a set other than the initial one was confirmed; selectedSet() tells which.
    INT_PTR run();
    int selectedSet() const { return m_selectedSet; }
    int initialSet() const { return m_initialSet; }

    int OnInitDialog() override;
    int OnMessage(MessageRecord& msg) override;
    static constexpr ui::WindowDescription kDescription { .placementKey = kPlacementPrefix, .drawn = true };
    const ui::WindowDescription& description() const override { return kDescription; }
    HBITMAP background() const override { return m_background ? m_background->handle() : nullptr; }
    int OnCommand(MessageRecord& msg, UINT id, UINT code) override;

private:
    void destroying() override;
    const UnitTypeRecord* shownType() const;
    const UnitRecord* shownUnit() const;
    void end(int result);
    void render();
    void drawSetPanel(HDC dc, const UnitTypeRecord& type, int set);
    void createButtons();
    bool playRunning() const;

    GameState& m_game;
    const Presentation& m_look;
    int m_country = -1;
    int m_unitOrType = 0;
    int m_initialSet = -1;
    int m_selectedSet = 0;
    ModalIdleOff m_idleOff;
    std::unique_ptr<swCBitmap> m_background;
    std::unique_ptr<swCBitmap> m_buttonSheet;
    std::string m_title;
};
