// ChangePlayerDialog: the choice, for each country still in the game, between a person ("USER") and
// the computer ("COMP"). On OK the controllers are set; what follows from a change is the caller's.
#pragma once

#include "lib/control.h"
#include "lib/dialog.h"
#include "lib/media/bitmap.h"

#include <array>

namespace change_player_id {
constexpr UINT kOk = 1006;
constexpr UINT kCancel = 1007;
// Country c's choice is combo box 1008 + c.
constexpr UINT kFirstCombo = 1008;
} // namespace change_player_id

class ChangePlayerDialog : public swCDialog {
public:
    static constexpr const char* kPlacementPrefix = "ChangePlayer";

    explicit ChangePlayerDialog(swCWindow* parent);
    ~ChangePlayerDialog() override;

    // Runs modally: 1 after OK, 0 otherwise.
    INT_PTR run();

    int OnInitDialog() override;
    int DataExchange(int save) override;
    int OnMessage(MessageRecord& msg) override;
    int OnCommand(MessageRecord& msg, UINT id, UINT code) override;

private:
    void drawPicture();
    void createControls();
    void end(int result);

    swCBitmap m_picture;
    std::array<ComboBoxControl*, 8> m_combos {};
};
