// LoadImageA for bitmaps read from files: the BMP reader of the GDI area does the parsing.
#include "platform/gdi/bmp_reader.h"
#include "platform/kernel/file_bytes.h"
#include "platform/kernel/winbase.h"
#include "platform/user/winuser.h"

namespace {

// Far above any picture file of the game; the reader caps the picture's sides anyway.
constexpr size_t kMaxBitmapFileBytes = size_t(256) << 20;

HANDLE refuse(DWORD error)
{
    SetLastError(error);
    return nullptr;
}

} // namespace

HANDLE LoadImageA(HINSTANCE, LPCSTR name, UINT type, int cx, int cy, UINT flags)
{
    if (type != IMAGE_BITMAP || !(flags & LR_LOADFROMFILE))
        return refuse(ERROR_NOT_SUPPORTED);
    if (!name || IS_INTRESOURCE(name) || cx < 0 || cy < 0)
        return refuse(ERROR_INVALID_PARAMETER);
    std::optional<std::vector<uint8_t>> bytes = platform::readGameFile(name, kMaxBitmapFileBytes);
    if (!bytes)
        return refuse(ERROR_FILE_NOT_FOUND);
    BmpReadResult read = bmpReadBytes(*bytes);
    if (!read)
        return refuse(ERROR_INVALID_DATA);
    const BITMAPINFOHEADER& h = read.dib.header();
    const LONG rows = h.biHeight < 0 ? -h.biHeight : h.biHeight;
    if ((cx && cx != h.biWidth) || (cy && cy != rows))
        return refuse(ERROR_NOT_SUPPORTED);   // no caller asks for a stretched copy
    HBITMAP bitmap = platform::gdi::bitmapFromPackedDib(read.dib, (flags & LR_CREATEDIBSECTION) != 0);
    if (!bitmap)
        return refuse(ERROR_NOT_ENOUGH_MEMORY);
    return bitmap;
}
