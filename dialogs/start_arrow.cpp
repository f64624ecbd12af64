// The start-arrow bitmap of the prompt bar.
#include "dialogs/start_arrow.h"

#include "lib/error.h"
#include "lib/media/bitmap.h"
#include "state/data_path.h"

#include <memory>

namespace {

std::unique_ptr<swCBitmap> g_startArrow;

} // namespace

void loadStartArrowBitmap()
{
    auto bitmap = std::make_unique<swCBitmap>();
    try {
        bitmap->bitmapLoadFile(dataPath("stparrow.bmp", kFolderBitmap).c_str());
    } catch (swCError* error) {
        delete error;
    }
    g_startArrow = std::move(bitmap);
}

void freeStartArrowBitmap() { g_startArrow.reset(); }

swCBitmap* startArrowBitmap() { return g_startArrow.get(); }
