// The control ids of the unit information windows: the weapon information window has the buttons
// up to the movement page, the troop information window all of them.
#pragma once

#include "platform/windows.h"

namespace unit_info_id {
enum : UINT {
    kClose = 1000, kBaseType = 1003,
    // Armament sets 0..3: 1004..1007.
    kFirstSet = 1004, kNext = 1008, kPrevious, kCapabilityPage, kMovePage, kArmamentPage, kCargoPage,
};
} // namespace unit_info_id
