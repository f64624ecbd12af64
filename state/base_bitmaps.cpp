// Loading and releasing the base bitmaps.
#include "state/base_bitmaps.h"

#include "lib/error.h"
#include "lib/file.h"
#include "state/data_path.h"

#include <string>

namespace {

constexpr const char* kFiles[kBaseBitmapCount] = {
    "land32_base.bmp",
    "land16_base.bmp",
    nullptr,
    "category.bmp",
    "hq1.bmp",
    "hq2.bmp",
    "hqc1.bmp",
    "hqc2.bmp",
    nullptr,
    "minkan32.bmp",
    "exnum.bmp",
    "panel_btn.bmp",
    "info_btn.bmp",
};

} // namespace

const char* baseBitmapFile(int index) { return index >= 0 && index < kBaseBitmapCount ? kFiles[index] : nullptr; }

bool BaseBitmaps::load(int index)
{
    auto bitmap = std::make_unique<swCBitmap>();
    std::string path;
    buildDataPath(path, kFiles[index], kFolderBitmap);
    bool loaded = true;
    try {
        bitmap->bitmapLoadFile(path.c_str());
    } catch (swCError* error) {
        delete error;
        loaded = !fileExists(path.c_str());
    }
    m_bitmaps[size_t(index)] = std::move(bitmap);
    return loaded;
}

void BaseBitmaps::store(int index, std::unique_ptr<swCBitmap> bitmap)
{
    m_bitmaps[size_t(index)] = bitmap ? std::move(bitmap) : std::make_unique<swCBitmap>();
}

void BaseBitmaps::release()
{
    for (auto& bitmap : m_bitmaps) {
        if (bitmap)
            bitmap->bitmapRelease();
        bitmap.reset();
    }
}
