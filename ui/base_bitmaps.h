// BaseBitmaps: the thirteen pictures every window draws from, loaded once at start-up.
#pragma once

#include "lib/file_fault.h"
#include "lib/media/bitmap.h"

#include <array>
#include <memory>
#include <string>

enum BaseBitmap : int {
    kLand32Base = 0,
    kLand16Base,
    kSmallBuildingSheet,
    kCategorySheet,
    kTerrainStrip1,
    kTerrainStrip2,
    kOwnerStrip1,
    kOwnerStrip2,
    kUnitSheet,
    kCivilian32,
    kExtraNumbers,
    kPanelButtons,
    kInfoButtons,
    kBaseBitmapCount,
};

// The file of each base bitmap loaded from the bitmap folder; null for the two built sheets. Inline,
// so that the game's own tests can lay out a data folder without linking the windows' side.
inline const char* baseBitmapFile(int index)
{
    constexpr const char* kFiles[kBaseBitmapCount] = {
        "land32_base.bmp", "land16_base.bmp", nullptr, "category.bmp", "hq1.bmp", "hq2.bmp", "hqc1.bmp",
        "hqc2.bmp", nullptr, "minkan32.bmp", "exnum.bmp", "panel_btn.bmp", "info_btn.bmp",
    };
    return index >= 0 && index < kBaseBitmapCount ? kFiles[index] : nullptr;
}

// The prompt bar's arrow, loaded with the base bitmaps by the services above state.
inline constexpr const char* kStartArrowFile = "stparrow.bmp";

// Loads a picture file into bitmap; what kept it from being read otherwise (Damaged when the file
// is there and readable but is no picture).
FileFault loadPictureFile(swCBitmap& bitmap, const std::string& path);

class BaseBitmaps {
public:
    // Loads the file from the bitmap folder. A picture that cannot be read leaves an empty
    // bitmap: one missing picture must not end the program. Returns why it could not be read.
    FileFault load(int index);
    // Takes a sheet built by the program; null leaves an empty bitmap.
    void store(int index, std::unique_ptr<swCBitmap> bitmap);
    // Null only before start-up and after release.
    swCBitmap* get(int index) const { return m_bitmaps[size_t(index)].get(); }
    // Frees each bitmap, its GDI handle first.
    void release();

private:
    std::array<std::unique_ptr<swCBitmap>, kBaseBitmapCount> m_bitmaps;
};
