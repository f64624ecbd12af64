// Scene window shapes.
#include "battle/scene_shape.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr size_t kBatch = 200;

int32_t readI32(const uint8_t* p) { return int32_t(uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24); }

} // namespace

std::vector<RECT> decodeShapeFile(std::span<const uint8_t> bytes)
{
    std::vector<RECT> rects;
    rects.reserve(bytes.size() / 16);
    for (size_t at = 0; at + 16 <= bytes.size(); at += 16)
        rects.push_back({ readI32(&bytes[at]), readI32(&bytes[at + 4]), readI32(&bytes[at + 8]), readI32(&bytes[at + 12]) });
    return rects;
}

HRGN buildShapeRegion(const std::vector<RECT>& rects)
{
    HRGN shape = nullptr;
    for (size_t first = 0; first < rects.size(); first += kBatch) {
        const size_t count = std::min(kBatch, rects.size() - first);
        std::vector<uint8_t> data(sizeof(RGNDATAHEADER) + count * sizeof(RECT));
        auto* region = reinterpret_cast<RGNDATA*>(data.data());
        region->rdh.dwSize = sizeof(RGNDATAHEADER);
        region->rdh.iType = RDH_RECTANGLES;
        region->rdh.nCount = DWORD(count);
        region->rdh.nRgnSize = DWORD(count * sizeof(RECT));
        RECT bounds { INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN };
        for (size_t i = 0; i < count; ++i) {
            const RECT& r = rects[first + i];
            bounds.left = std::min(bounds.left, r.left);
            bounds.top = std::min(bounds.top, r.top);
            bounds.right = std::max(bounds.right, r.right);
            bounds.bottom = std::max(bounds.bottom, r.bottom);
        }
        region->rdh.rcBound = bounds;
        std::memcpy(region->Buffer, &rects[first], count * sizeof(RECT));
        HRGN batch = ExtCreateRegion(nullptr, DWORD(data.size()), region);
        if (!batch)
            continue;
        if (!shape) {
            shape = batch;
            continue;
        }
        CombineRgn(shape, shape, batch, RGN_OR);
        DeleteObject(batch);
    }
    return shape;
}
