// Fuzzes the sprite reader and the composed sheets built from what it read.
#include "battle/sprite_image.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    SpriteImage sprite;
    if (!decodeSprite({ data, size }, sprite))
        return 0;
    darkenSprite(sprite);
    composeSheet(sprite, size % 33);
    return 0;
}
