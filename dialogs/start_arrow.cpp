// The start-arrow bitmap of the prompt bar.
#include "dialogs/start_arrow.h"

#include "lib/media/bitmap.h"
#include "ui/base_bitmaps.h"
#include "state/data_path.h"

#include <memory>

namespace {

std::unique_ptr<swCBitmap> g_startArrow;

} // namespace

FileFault loadStartArrowBitmap()
{
    auto bitmap = std::make_unique<swCBitmap>();
    const FileFault fault = loadPictureFile(*bitmap, dataPath(kStartArrowFile, kFolderBitmap));
    g_startArrow = std::move(bitmap);
    return fault;
}

void freeStartArrowBitmap() { g_startArrow.reset(); }

swCBitmap* startArrowBitmap() { return g_startArrow.get(); }
