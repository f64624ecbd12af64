// ddrawCompose: the weighted blend of two pictures into a third, used for cross-fades.
#include "lib/media/direct_draw.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int kFull = 16;

// Per colour mask, (a * (16 - weight) + b * weight) / 16 of the masked values, masked again.
uint32_t blendMasked(uint32_t a, uint32_t b, int weight, const DWORD (&masks)[3])
{
    uint32_t out = 0;
    for (DWORD mask : masks) {
        uint64_t sum = uint64_t(a & mask) * uint64_t(kFull - weight) + uint64_t(b & mask) * uint64_t(weight);
        out |= uint32_t(sum / kFull) & mask;
    }
    return out;
}

struct Locked {
    uint8_t* bits = nullptr;
    LONG pitch = 0;
    uint8_t* row(int y) const { return bits + ptrdiff_t(y) * pitch; }
};

void blendRow(const Locked& dest, const Locked& a, const Locked& b, int y, int width, int bits, int weight,
    const DWORD (&masks)[3])
{
    uint8_t* out = dest.row(y);
    const uint8_t* pa = a.row(y);
    const uint8_t* pb = b.row(y);
    if (bits == 24) {
        for (int i = 0; i < width * 3; ++i)
            out[i] = uint8_t((pa[i] * (kFull - weight) + pb[i] * weight) / kFull);
        return;
    }
    int size = bits / 8;
    for (int x = 0; x < width; ++x) {
        uint32_t va = 0, vb = 0;
        std::memcpy(&va, pa + x * size, size_t(size));
        std::memcpy(&vb, pb + x * size, size_t(size));
        uint32_t v = blendMasked(va, vb, weight, masks);
        std::memcpy(out + x * size, &v, size_t(size));
    }
}

} // namespace

// The blend covers the part the three rectangles have in common, so a smaller source rectangle
// is never read past its end; pictures of different depths are left alone.
void swCDirectDraw::ddrawCompose(int destId, const RECT& destRect, int idA, const RECT& rectA, int idB,
    const RECT& rectB, int weight, bool rowFlag)
{
    DirectDrawDisplay* display = firstDisplaySlot();
    SurfaceRecord* dest = destId == -1 ? nullptr : surfaceAt(ddrawFindSurface(destId));
    SurfaceRecord* a = surfaceAt(ddrawFindSurface(idA));
    SurfaceRecord* b = surfaceAt(ddrawFindSurface(idB));
    IDirectDrawSurface7* destSurface = destId == -1 ? (display ? display->back : nullptr) : (dest ? dest->surface : nullptr);
    if (!destSurface || !a || !b || weight < 0 || weight > kFull)
        return;

    DDSURFACEDESC2 descDest, descA, descB;
    if (FAILED(lockSurface(destSurface, &destRect, descDest)))
        return;
    if (FAILED(lockSurface(a->surface, &rectA, descA))) {
        destSurface->Unlock(nullptr);
        return;
    }
    if (FAILED(lockSurface(b->surface, &rectB, descB))) {
        a->surface->Unlock(nullptr);
        destSurface->Unlock(nullptr);
        return;
    }

    const DDPIXELFORMAT& format = descA.ddpfPixelFormat;
    int bits = int(format.dwRGBBitCount);
    bool sameDepth = descDest.ddpfPixelFormat.dwRGBBitCount == format.dwRGBBitCount
        && descB.ddpfPixelFormat.dwRGBBitCount == format.dwRGBBitCount;
    if (sameDepth && (bits == 16 || bits == 24 || bits == 32)) {
        const DWORD masks[3] = { format.dwRBitMask, format.dwGBitMask, format.dwBBitMask };
        int width = std::min({ destRect.right - destRect.left, rectA.right - rectA.left, rectB.right - rectB.left });
        int height = std::min({ destRect.bottom - destRect.top, rectA.bottom - rectA.top, rectB.bottom - rectB.top });
        Locked out { static_cast<uint8_t*>(descDest.lpSurface), descDest.lPitch };
        Locked inA { static_cast<uint8_t*>(descA.lpSurface), descA.lPitch };
        Locked inB { static_cast<uint8_t*>(descB.lpSurface), descB.lPitch };
        for (int y = 0; y < height; ++y)
            if (!rowFlag || weight == kFull || (weight + y) % 4 == 0)
                blendRow(out, inA, inB, y, width, bits, weight, masks);
    }
    b->surface->Unlock(nullptr);
    a->surface->Unlock(nullptr);
    destSurface->Unlock(nullptr);
}
