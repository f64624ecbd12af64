// A contact sheet of window pictures: each picture, halved when larger than a quarter of the
// screen, laid out in rows under its name, so that a reviewer sees every window on one page.
#pragma once

#include "platform/desktop/harness.h"

#include <string>
#include <vector>

namespace window_sheet {

struct Picture {
    std::string name;
    platform::harness::Image image;
};

platform::harness::Image sheetOf(const std::vector<Picture>& pictures);

} // namespace window_sheet
