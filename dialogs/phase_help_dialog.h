// PhaseHelpDialog: the explanation of the phase that begins, with a box that switches the
// explanation of that phase off (the setting is written at each click of the box).
#pragma once

#include "lib/dialog_base.h"
#include "ui/window_context.h"
#include "ui/window_kit.h"
#include "ui/window_services.h"

#include <string>

class GameState;

class PhaseHelpDialog : public ui::KitWindow<DialogBase> {
public:
    enum : UINT { kTextId = 1000, kOkButton, kNeverAgain };
    static constexpr int kWidth = 408;
    static constexpr int kHeight = 104;

    // The phase is read from the turn block when the dialog starts.
    PhaseHelpDialog(const WindowContext& context, swCWindow* owner);

    int OnInitDialog() override;
    // The close box and a right click close it as its OK button does.
    const ui::WindowDescription& description() const override
    {
        static constexpr ui::WindowDescription kDescription { .closeResult = 1 };
        return kDescription;
    }
    int OnCommand(MessageRecord& msg, UINT id, UINT code) override;

    // Title and text of phases 2..6 (CP932); empty for the others.
    static std::string title(int phase);
    static std::string text(int phase);

private:
    const GameState& m_game;
    const Presentation& m_look;
    ModalIdleOff m_idle;
    int m_phase = 0;
};
