// Fuzzes the window-shape reader: any bytes are whole rectangles or nothing.
#include "battle/scene_shape.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::vector<RECT> rects = decodeShapeFile({ data, size });
    if (rects.size() != size / 16)
        __builtin_trap();
    return 0;
}
