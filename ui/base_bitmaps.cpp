// Loading and releasing the base bitmaps.
#include "ui/base_bitmaps.h"

#include "lib/error.h"
#include "state/data_path.h"

#include <memory>
#include <string>

FileFault loadPictureFile(swCBitmap& bitmap, const std::string& path)
{
    try {
        bitmap.bitmapLoadFile(path.c_str());
        return FileFault::None;
    } catch (swCError* error) {
        std::unique_ptr<swCError> owned(error);
        if (dynamic_cast<swCFileError*>(error) && error->code() == 6)
            return FileFault::TooLarge;
    }
    // The largest picture the program ships is a few megabytes; the cap only tells apart files
    // that could be read at all.
    const FileFault fault = checkFileBytes(path.c_str(), size_t(1) << 30);
    return fault == FileFault::None ? FileFault::Damaged : fault;
}

FileFault BaseBitmaps::load(int index)
{
    auto bitmap = std::make_unique<swCBitmap>();
    std::string path;
    buildDataPath(path, baseBitmapFile(index), kFolderBitmap);
    const FileFault fault = loadPictureFile(*bitmap, path);
    m_bitmaps[size_t(index)] = std::move(bitmap);
    return fault;
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
