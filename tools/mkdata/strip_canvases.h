// The pictures that share a file with bitmap-button faces ("filltroop.bmp", "supplytroop.bmp",
// "income.bmp"): the button-strip writer grows such a file to hold its picture and paints it first.
#pragma once

#include "tools/mkdata/bmp_writer.h"

#include <string>

namespace mkdata::buttons {

struct StripPicture {
    int width;
    int height;
    void (*paint)(Canvas& canvas, Palette& palette);
};

// Null for a strip that holds faces only.
const StripPicture* stripPicture(const std::string& file);

} // namespace mkdata::buttons
