// ServicePopup: the base of the replenish and supply popups: dragged by any point, its unit's icon
// and names drawn once, and the accept and refuse buttons (Enter and Escape, a right click and
// the close message refuse).
#pragma once

#include "ui/drawn_dialog.h"
#include "ui/window_context.h"

#include <string>

class GameState;
struct UnitRecord;

class ServicePopup : public DrawnDialog {
public:
    static constexpr UINT kAccept = 1000;
    static constexpr UINT kRefuse = 1001;

    ServicePopup(const WindowContext& context, swCWindow* owner, int side, int index);

    int OnCommand(MessageRecord& msg, UINT id, UINT code) override;
    // The close box and a right click refuse.
    void closeGesture() override;

    // The choice as the person leaves it; refuse clears it. Called before the popup closes.
    virtual void accept() { }
    virtual void refuse() = 0;
    // A choice button of the popup; false when the id is none of them.
    virtual bool choose(UINT id) = 0;

protected:
    // Null when the unit is gone.
    const UnitRecord* unit() const;
    // The unit's icon at (x, y) and its name and type name in the two rectangles.
    void drawUnitHeading(int x, int y, const RECT& nameArea, const RECT& typeArea);
    // The figure right-aligned in the rectangle, in white over the clean picture.
    void drawFigure(const RECT& area, const std::string& text);
    // The three choice buttons in a row at choiceY (ids from firstChoice), then accept and refuse at
    // commandY, accept the default; a button whose strip is missing is left out.
    template <class ChoiceButton, class CommandButton>
    void addButtons(UINT firstChoice, int choiceY, int commandY)
    {
        for (int i = 0; i < 3; ++i)
            makeBitmapButton<ChoiceButton>(this, i, firstChoice + UINT(i), 16 + 80 * i, choiceY);
        makeBitmapButton<CommandButton>(this, 0, kAccept, 24, commandY);
        makeBitmapButton<CommandButton>(this, 1, kRefuse, 160, commandY);
        SendMessageA(handle(), DM_SETDEFID, kAccept, 0);
    }
    struct Choice {
        bool enabled;
        bool chosen;
    };
    // The three choice buttons from firstChoice on: each held pressed when chosen, greyed when not
    // enabled.
    void showChoices(UINT firstChoice, const Choice (&choices)[3]);
    HFONT font() const;

    const GameState& m_game;
    const Presentation& m_look;
    int m_side;
    int m_index;
};

// printf of one number into a string.
std::string formatNumber(const char* format, long long value);
std::string formatPair(const char* format, long long a, long long b);
