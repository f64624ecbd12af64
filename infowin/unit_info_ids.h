// The control ids of the unit information windows: the weapon information window has the buttons
// up to the movement page, the troop information window all of them.
#pragma once

#include "platform/windows.h"

namespace unit_info_id {
constexpr UINT kClose = 1000;
constexpr UINT kBaseType = 1003;
// Armament sets 0..3: 1004..1007.
constexpr UINT kFirstSet = 1004;
constexpr UINT kNext = 1008;
constexpr UINT kPrevious = 1009;
constexpr UINT kCapabilityPage = 1010;
constexpr UINT kMovePage = 1011;
constexpr UINT kArmamentPage = 1012;
constexpr UINT kCargoPage = 1013;
} // namespace unit_info_id
