// SelAttackArmsDialog: the weapon choice before an engagement a person's unit fires in. It shows both
// sides with their weapons, values and expected losses, and changes the chosen slot of the
// engagement record in place. It runs modally on the calling thread: the user-interface thread for
// an attack ordered on the map (mode 0), the thread resolving the engagement otherwise.
#pragma once

#include "dialogs/play_popup.h"
#include "lib/media/bitmap.h"
#include "ui/window_services.h"

#include <cstdint>
#include <memory>

struct CombatPair;
struct ExpectedLosses;
class WeaponSelection;

namespace sel_attack_arms_id {
enum : UINT {
    kExecute = 1000, kDrop,
    // Slots 0..4 of the choosing side.
    kFirstWeapon = 1002, kQuestion = 1007,
};
} // namespace sel_attack_arms_id

class SelAttackArmsDialog : public PlayPopup {
public:
    static constexpr const char* kPlacementPrefix = "SelAttackArms";
    static constexpr int kWidth = 600;
    static constexpr int kHeight = 400;

    // mode 0: the map's attack order; 1 interception, 2 an attack after a move, 3 return fire (the
    // person chooses for the defender). restrictedWeaponsOnly: the attacker's weapons need flag 128.
    // run() answers 1 when the engagement is to be carried out with the slot now in the record, 0
    // when dropped; a picture that cannot be loaded is shown as its error and answers 0.
    SelAttackArmsDialog(const WindowContext& context, swCWindow* owner, CombatPair& pair, uint8_t restrictedWeaponsOnly,
        int mode);
    ~SelAttackArmsDialog() override;

    int chooserSide() const { return m_chooserSide; }
    // As the last drawing computed them.
    int expectedLosses(int side) const { return m_expectedLosses[side & 1]; }

    int OnInitDialog() override;
    int OnMessage(MessageRecord& msg) override;
    const ui::WindowDescription& description() const override;
    HBITMAP background() const override { return m_canvas.handle(); }
    int OnCommand(MessageRecord& msg, UINT id, UINT code) override;

private:
    bool prepare() override;
    void createControls();
    void chooseSlot(int slot);
    // Restores the canvas and draws both sides again.
    void render();
    void drawSide(HDC dc, int side, const ExpectedLosses& losses);
    void drawMachines(HDC dc, int side, const ExpectedLosses& losses);
    void drawWeaponRows(HDC dc, int side);

    CombatPair& m_pair;
    uint8_t m_restrictedWeaponsOnly = 0;
    int m_mode = 0;
    int m_chooserSide = 0;
    int m_expectedLosses[2] = {};
    std::unique_ptr<WeaponSelection> m_selection;
    swCBitmap m_canvas;
    swCBitmap m_cleanPanel;
    // Private copies of the mark strip and the small icon strip: on the engagement's own thread
    // the dialog must not select the shared ones the map window draws from.
    swCBitmap m_marks;
    swCBitmap m_icons;
    ModalIdleOff m_idleOff;
};
