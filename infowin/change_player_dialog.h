// ChangePlayerDialog: the choice, for each country still in the game, between a person ("USER") and
// the computer ("COMP"). On OK the controllers are set; what follows from a change is the caller's.
#pragma once

#include "lib/control.h"
#include "lib/dialog.h"
#include "lib/media/bitmap.h"
#include "ui/window_context.h"
#include "ui/window_kit.h"

#include <array>

namespace change_player_id {
enum : UINT {
    kOk = 1006, kCancel,
    // Country c's choice is combo box 1008 + c.
    kFirstCombo = 1008,
};
} // namespace change_player_id

class GameState;

class ChangePlayerDialog : public ui::KitWindow<swCDialog> {
public:
    static constexpr const char* kPlacementPrefix = "ChangePlayer";

    ChangePlayerDialog(const WindowContext& context, swCWindow* parent);
    ~ChangePlayerDialog() override;

    // Runs modally: 1 after OK, 0 otherwise.
    INT_PTR run();

    int OnInitDialog() override;
    int DataExchange(int save) override;
    static constexpr ui::WindowDescription kDescription { .placementKey = kPlacementPrefix, .drawn = true,
        .okButton = change_player_id::kOk, .cancelButton = change_player_id::kCancel };
    const ui::WindowDescription& description() const override { return kDescription; }
    HBITMAP background() const override { return m_picture.handle(); }
    std::optional<INT_PTR> okResult() override
    {
        DataExchange(1);
        return 1;
    }

private:
    void drawPicture();
    void createControls();

    GameState& m_game;
    const Presentation& m_look;
    swCBitmap m_picture;
    std::array<ComboBoxControl*, 8> m_combos {};
};
