// CreateCompatibleDC, DeleteDC, SaveDC/RestoreDC, SelectObject and object queries.
#include "platform/gdi/dc.h"
#include "platform/gdi/wingdi.h"

using namespace platform;
using namespace platform::gdi;

HDC CreateCompatibleDC(HDC hdc)
{
    if (hdc && !findDC(hdc))
        return nullptr;
    return addDC(makeDC(DeviceContext::Kind::Memory));
}

// Views belong to the window system and are released with releaseViewDC.
BOOL DeleteDC(HDC hdc)
{
    std::shared_ptr<DeviceContext> dc = findDC(hdc);
    if (!dc || dc->kind == DeviceContext::Kind::View)
        return FALSE;
    dcTable().remove(handleValue(hdc));
    releaseState(dc->state);
    for (DcState& saved : dc->saved)
        saved.bitmap.reset();
    return TRUE;
}

int SaveDC(HDC hdc)
{
    std::shared_ptr<DeviceContext> dc = findDC(hdc);
    if (!dc)
        return 0;
    dc->saved.push_back(dc->state);
    return int(dc->saved.size());
}

BOOL RestoreDC(HDC hdc, int nSavedDC)
{
    std::shared_ptr<DeviceContext> dc = findDC(hdc);
    if (!dc)
        return FALSE;
    int count = int(dc->saved.size());
    int level = nSavedDC < 0 ? count + 1 + nSavedDC : nSavedDC;
    if (level < 1 || level > count)
        return FALSE;
    const DcState& saved = dc->saved[size_t(level - 1)];
    if (saved.bitmap != dc->state.bitmap && saved.bitmap && !saved.bitmap->stock && saved.bitmap->selectedCount > 0)
        return FALSE; // its bitmap went into another DC meanwhile
    DcState state = std::move(dc->saved[size_t(level - 1)]);
    dc->saved.resize(size_t(level - 1));
    HBITMAP bitmapHandle = state.bitmapHandle;
    std::shared_ptr<Bitmap> bitmap = state.bitmap;
    std::shared_ptr<Bitmap> current = dc->state.bitmap;
    HBITMAP currentHandle = dc->state.bitmapHandle;
    dc->state = std::move(state);
    dc->state.bitmap = current;
    dc->state.bitmapHandle = currentHandle;
    if (dc->kind == DeviceContext::Kind::Memory)
        selectBitmap(*dc, bitmapHandle, bitmap);
    return TRUE;
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ h)
{
    std::shared_ptr<DeviceContext> dc = findDC(hdc);
    std::shared_ptr<GdiObject> object = findObject(h);
    if (!dc || !object)
        return nullptr;
    DcState& s = dc->state;
    HGDIOBJ previous = nullptr;
    switch (object->type) {
    case ObjectType::Bitmap: {
        auto bitmap = std::static_pointer_cast<Bitmap>(object);
        if (dc->kind != DeviceContext::Kind::Memory)
            return nullptr;
        if (bitmap == s.bitmap)
            return s.bitmapHandle;
        if (!bitmap->stock && bitmap->selectedCount > 0)
            return nullptr; // already selected into another DC
        previous = s.bitmapHandle;
        selectBitmap(*dc, static_cast<HBITMAP>(h), bitmap);
        return previous;
    }
    case ObjectType::Pen:
        previous = s.penHandle;
        s.penHandle = static_cast<HPEN>(h);
        s.pen = std::static_pointer_cast<Pen>(object);
        return previous;
    case ObjectType::Brush:
        previous = s.brushHandle;
        s.brushHandle = static_cast<HBRUSH>(h);
        s.brush = std::static_pointer_cast<Brush>(object);
        return previous;
    case ObjectType::Font:
        previous = s.fontHandle;
        s.fontHandle = static_cast<HFONT>(h);
        s.font = std::static_pointer_cast<Font>(object);
        return previous;
    case ObjectType::Region: {
        int result = selectClipRegion(*dc, &std::static_pointer_cast<RegionObject>(object)->region, RGN_COPY);
        return reinterpret_cast<HGDIOBJ>(intptr_t(result));
    }
    case ObjectType::Palette:
        return nullptr;
    }
    return nullptr;
}

HGDIOBJ GetCurrentObject(HDC hdc, UINT type)
{
    std::shared_ptr<DeviceContext> dc = findDC(hdc);
    if (!dc)
        return nullptr;
    switch (type) {
    case OBJ_PEN:
        return dc->state.penHandle;
    case OBJ_BRUSH:
        return dc->state.brushHandle;
    case OBJ_FONT:
        return dc->state.fontHandle;
    case OBJ_PAL:
        return dc->state.paletteHandle;
    case OBJ_BITMAP:
        return dc->state.bitmapHandle;
    default:
        return nullptr;
    }
}

DWORD GetObjectType(HGDIOBJ h)
{
    if (handleKindOf(handleValue(h)) == HandleKind::DC) {
        std::shared_ptr<DeviceContext> dc = findDC(static_cast<HDC>(h));
        if (!dc)
            return 0;
        return dc->kind == DeviceContext::Kind::Memory ? OBJ_MEMDC : OBJ_DC;
    }
    std::shared_ptr<GdiObject> object = findObject(h);
    if (!object)
        return 0;
    switch (object->type) {
    case ObjectType::Bitmap:
        return OBJ_BITMAP;
    case ObjectType::Pen:
        return OBJ_PEN;
    case ObjectType::Brush:
        return OBJ_BRUSH;
    case ObjectType::Font:
        return OBJ_FONT;
    case ObjectType::Region:
        return OBJ_REGION;
    case ObjectType::Palette:
        return OBJ_PAL;
    }
    return 0;
}
