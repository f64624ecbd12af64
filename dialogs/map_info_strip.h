// MapInfoStrip: the 298 x 26 title strip of a map, scenario or campaign, the list entry of the game
// selection dialog, drawn in one of five text styles on one of five shades.
#pragma once

#include "dialogs/picture_control.h"

#include <string>
#include <string_view>

class MapInfoStrip : public PictureControl {
public:
    static constexpr int kWidth = 298;
    static constexpr int kHeight = 26;
    // The text field holds 39 bytes and its terminator.
    static constexpr size_t kTextLimit = 39;

    MapInfoStrip(swCWindow* parent, const GameState& game, const Presentation& look, UINT controlId, int x, int y, DWORD style = 0);

    // Styles and shades 0..4; other values draw as 0.
    void setStyle(uint8_t text_style, uint8_t shade);
    // Keeps at most 39 bytes, never half of a double-byte character.
    void setText(std::string_view text);
    void render();
    void DrawItem(DRAWITEMSTRUCT* item) override;

    uint8_t textStyle() const { return m_textStyle; }
    uint8_t shade() const { return m_shade; }
    const std::string& text() const { return m_text; }

private:
    uint8_t m_textStyle = 0;
    uint8_t m_shade = 0;
    std::string m_text;
};
