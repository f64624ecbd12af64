// The blit core on raw pixel buffers: raster operations, mono/colour conversion, nearest-neighbour
// stretching, mirroring, key-colour transparency and clipping. HDC calls and DirectDraw-style
// surfaces both draw through it.
#pragma once

#include "platform/gdi/pixels.h"
#include "platform/gdi/region.h"

#include <cstdint>
#include <optional>

namespace platform::gdi {

// A brush as pixels: a solid colour, or a tile repeated from (originX, originY).
struct Pattern {
    uint32_t solid = 0;
    const uint32_t* pixels = nullptr; // width * height XRGB values, or null for solid
    int width = 0;
    int height = 0;
    int originX = 0;
    int originY = 0;
    bool hollow = false; // the null brush: fills draw nothing

    uint32_t at(int x, int y) const
    {
        if (!pixels)
            return solid;
        int tx = (x - originX) % width, ty = (y - originY) % height;
        return pixels[(ty < 0 ? ty + height : ty) * width + (tx < 0 ? tx + width : tx)];
    }
};

struct BlitColours {
    uint32_t destText = 0x000000;         // mono source 0 bits become this colour
    uint32_t destBackground = 0xFFFFFF;   // mono source 1 bits
    uint32_t sourceBackground = 0xFFFFFF; // colour source pixels equal to it become 1 in a mono dest
};

// Extents follow StretchBlt: a negative width or height runs from x + w + 1 to x inclusive and
// mirrors when the signs of the destination and source extents differ. Source pixels outside the
// source buffer leave their destination pixels unchanged.
struct BlitRequest {
    const PixelBuffer* dest = nullptr;
    int destX = 0, destY = 0, destWidth = 0, destHeight = 0;
    const PixelBuffer* source = nullptr; // null when the operation takes no source
    int sourceX = 0, sourceY = 0, sourceWidth = 0, sourceHeight = 0;
    DWORD rop = 0x00CC0020;
    const Pattern* pattern = nullptr;
    BlitColours colours;
    const Region* clip = nullptr;          // dest buffer coordinates; null: the whole buffer
    std::optional<uint32_t> transparent;   // source pixels of this colour are skipped
};

// False when the request is malformed (missing source or pattern the operation needs).
bool blit(const BlitRequest& request);

} // namespace platform::gdi
