// What a message box shows: its buttons by type, its default and cancel answers, and the text
// wrapped into lines that fit a width.
#pragma once

#include "platform/user/winuser.h"

#include <functional>
#include <string>
#include <vector>

namespace platform::msgbox {

struct Button {
    int id = 0;
    std::string label; // CP932, '&' marks the mnemonic
};

std::vector<Button> buttonsFor(UINT style);
// The index of the default button (MB_DEFBUTTONn, the first when out of range).
size_t defaultIndex(UINT style, size_t buttonCount);
// The answer of Escape and the close box; 0 when the box has no way to cancel.
int cancelAnswer(UINT style);
// The answer of a box that the program's close takes away: the one that carries nothing out
// (cancel, else no, else abort), whatever the default button.
int safeAnswer(UINT style);
// The caption shown when none is given: "エラー".
std::string defaultCaption();

// Splits CP932 text at '\n' (dropping '\r') and wraps each line to maxWidth, measured by
// `width`: at the last blank that fits, else between characters, never inside a double-byte
// character.
std::vector<std::string> wrapText(const std::string& text, int maxWidth, const std::function<int(const std::string&)>& width);

} // namespace platform::msgbox
