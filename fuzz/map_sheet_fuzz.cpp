// Fuzzes the map sheets' reader: any bytes are a refusal or an indexed sheet whose every cell can
// be drawn, tinted or not, at each zoom's cell size, partly outside the canvas.
#include "app/map_renderer_impl.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    map_render::IndexedSheet sheet;
    if (map_render::readIndexedSheet(std::vector<uint8_t>(data, data + size), sheet) != FileFault::None)
        return 0;
    std::vector<uint32_t> pixels(64 * 64);
    const map_render::Canvas canvas { pixels.data(), 64, 64, POINT { 0, 0 }, RECT { 0, 0, 64, 64 } };
    const map_render::ColourTable colours = map_render::plainColours(sheet);
    for (int cell : { 16, 32, 48 })
        for (int row = 0; row < 9; ++row)
            for (int column = 0; column < 65; ++column)
                canvas.blitCell(sheet, colours, column, row, cell, POINT { (column * 7) % 40 - 8, (row * 5) % 40 - 8 });
    return 0;
}
