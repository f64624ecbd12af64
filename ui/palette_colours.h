// The palette-relative colours the game's windows draw their text, rules and rows in.
#pragma once

#include "platform/gdi/wingdi.h"

constexpr COLORREF kBlack = 0x02000000;
constexpr COLORREF kWhite = 0x02FFFFFF;
constexpr COLORREF kGrey = 0x02808080;
constexpr COLORREF kRed = 0x020000FF;
constexpr COLORREF kOrange = 0x0240A0FF;
