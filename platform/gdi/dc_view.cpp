// View DCs into surfaces for the window system, the screen DC, and pixel read-back.
#include "platform/gdi/dc_view.h"

#include "platform/gdi/dc.h"

#include <atomic>

namespace platform::gdi {

namespace {

std::atomic<int64_t> g_screenSize { (int64_t(960) << 32) | 1280 };

std::shared_ptr<DeviceContext> findView(HDC hdc)
{
    std::shared_ptr<DeviceContext> dc = findDC(hdc);
    return dc && dc->kind == DeviceContext::Kind::View ? dc : nullptr;
}

Image imageOf(const PixelBuffer& buffer)
{
    Image image;
    if (!buffer.valid())
        return image;
    image.width = buffer.width;
    image.height = buffer.height;
    image.pixels.resize(size_t(buffer.width) * size_t(buffer.height));
    for (int y = 0; y < buffer.height; ++y)
        readRow(buffer, 0, y, buffer.width, &image.pixels[size_t(y) * size_t(buffer.width)]);
    return image;
}

} // namespace

HDC createViewDC(std::shared_ptr<Surface> surface, POINT origin, const Region& clip, HWND window)
{
    if (!surface)
        return nullptr;
    std::shared_ptr<DeviceContext> dc = makeDC(DeviceContext::Kind::View);
    dc->surface = std::move(surface);
    dc->viewOrigin = origin;
    dc->viewClip = clip;
    dc->window = window;
    return addDC(std::move(dc));
}

bool setViewDC(HDC hdc, POINT origin, const Region& clip)
{
    std::shared_ptr<DeviceContext> dc = findView(hdc);
    if (!dc)
        return false;
    dc->viewOrigin = origin;
    dc->viewClip = clip;
    return true;
}

bool setViewSurface(HDC hdc, std::shared_ptr<Surface> surface)
{
    std::shared_ptr<DeviceContext> dc = findView(hdc);
    if (!dc || !surface)
        return false;
    dc->surface = std::move(surface);
    return true;
}

bool releaseViewDC(HDC hdc)
{
    if (!findView(hdc))
        return false;
    return dcTable().remove(handleValue(hdc)) != nullptr;
}

HWND windowOfDC(HDC hdc)
{
    std::shared_ptr<DeviceContext> dc = findDC(hdc);
    return dc ? dc->window : nullptr;
}

HDC createScreenDC(std::shared_ptr<Surface> surface)
{
    std::shared_ptr<DeviceContext> dc = makeDC(DeviceContext::Kind::Screen);
    dc->surface = std::move(surface);
    return addDC(std::move(dc));
}

void setScreenSize(SIZE size) { g_screenSize = (int64_t(size.cy) << 32) | uint32_t(size.cx); }

SIZE screenSize()
{
    int64_t packed = g_screenSize;
    return { LONG(uint32_t(packed)), LONG(packed >> 32) };
}

Image readPixels(HDC hdc)
{
    std::shared_ptr<DeviceContext> dc = findDC(hdc);
    if (!dc)
        return {};
    Canvas canvas(*dc);
    canvas.lock();
    return imageOf(canvas.buffer());
}

Image readPixels(HBITMAP bitmap)
{
    std::shared_ptr<Bitmap> object = findBitmap(bitmap);
    if (!object)
        return {};
    std::lock_guard lock(object->mutex);
    return imageOf(object->pixels);
}

} // namespace platform::gdi
