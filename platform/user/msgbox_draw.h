// Drawing the parts of the layer's own plain look: push buttons and the message box glyphs.
#pragma once

#include "platform/user/winuser.h"

#include <string>

namespace platform::look {

enum class ButtonState { Normal, Focused, Pressed };

// A raised button face with its label centred ('&' underlines the next character).
void drawPushButton(HDC dc, const RECT& rect, const std::string& label, ButtonState state, bool isDefault);
// A 32 x 32 glyph for MB_ICONSTOP, MB_ICONQUESTION, MB_ICONEXCLAMATION or MB_ICONINFORMATION.
void drawMessageGlyph(HDC dc, int x, int y, UINT iconStyle);
// Text width in the DC's font, '&' prefixes not counted.
int labelWidth(HDC dc, const std::string& label);

} // namespace platform::look
