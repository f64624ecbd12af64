// swCDirectDraw: start-up, attaching the window's display, the surface list and display geometry.
#include "lib/media/direct_draw.h"

#include "lib/error.h"
#include "lib/window.h"

namespace {

constexpr DWORD kClassContextAll = 7;

template <class Interface>
void releaseInterface(Interface*& object)
{
    if (object)
        object->Release();
    object = nullptr;
}

[[noreturn]] void fail(int code) { throw new swCDirectDrawError(code); }

HWND handleOf(swCWindow* window) { return window ? window->handle() : nullptr; }

} // namespace

DirectDrawDisplay::~DirectDrawDisplay()
{
    releaseInterface(clipper);
    releaseInterface(back);
    releaseInterface(primary);
}

SurfaceRecord::~SurfaceRecord() { releaseInterface(surface); }

swCDirectDraw::swCDirectDraw(swCWindow* owner, bool emulationOnly)
    : m_owner(owner)
    , m_emulationOnly(emulationOnly)
{
    CoInitialize(nullptr);
    ddrawInit();
}

swCDirectDraw::~swCDirectDraw()
{
    ddrawReleaseAll();
    CoUninitialize();
}

// Without a DirectDraw object the manager runs on GDI; only a refused cooperative level throws.
void swCDirectDraw::ddrawInit()
{
    void* made = nullptr;
    if (FAILED(CoCreateInstance(CLSID_DirectDraw, nullptr, kClassContextAll, IID_IDirectDraw7, &made)))
        return;
    m_ddraw = static_cast<IDirectDraw7*>(made);
    HRESULT result = m_ddraw->Initialize(m_emulationOnly ? DDCREATE_EMULATIONONLY : nullptr);
    if (m_emulationOnly && result == E_FAIL)
        result = m_ddraw->Initialize(nullptr);
    if (FAILED(result)) {
        releaseInterface(m_ddraw);
        return;
    }
    if (FAILED(m_ddraw->SetCooperativeLevel(handleOf(m_owner), DDSCL_NORMAL))) {
        // The destructor will not run for a constructor that throws.
        releaseInterface(m_ddraw);
        CoUninitialize();
        fail(0);
    }
}

DirectDrawDisplay* swCDirectDraw::firstDisplaySlot()
{
    return m_displays.empty() ? nullptr : m_displays.front().get();
}

void swCDirectDraw::ddrawReleaseAll()
{
    m_displays.clear();
    m_surfaces.clear();
    releaseInterface(m_ddraw);
}

void swCDirectDraw::ddrawAttachWindow(swCWindow* window, intptr_t value, int width, int height, int backWidth,
    int backHeight)
{
    auto display = std::make_unique<DirectDrawDisplay>();
    try {
        displaySetUp(*display, window, value, width, height, backWidth, backHeight);
    } catch (swCError* error) {
        delete error;
        display = std::make_unique<DirectDrawDisplay>();
        ddrawReleaseAll();
        displaySetUp(*display, window, value, width, height, backWidth, backHeight);
    }
    m_displays.push_back(std::move(display));
}

void swCDirectDraw::displaySetUp(DirectDrawDisplay& display, swCWindow* window, intptr_t value, int width,
    int height, int backWidth, int backHeight)
{
    HWND hwnd = handleOf(window);
    display.owner = window;
    if (m_ddraw) {
        DDSURFACEDESC2 desc {};
        desc.dwSize = sizeof desc;
        desc.dwFlags = DDSD_CAPS;
        desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
        if (FAILED(m_ddraw->CreateSurface(&desc, &display.primary, nullptr)))
            fail(2);
        desc = {};
        desc.dwSize = sizeof desc;
        desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
        desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
        desc.dwWidth = DWORD(backWidth == -1 ? width : backWidth);
        desc.dwHeight = DWORD(backHeight == -1 ? height : backHeight);
        if (FAILED(m_ddraw->CreateSurface(&desc, &display.back, nullptr))) {
            desc.ddsCaps.dwCaps |= DDSCAPS_SYSTEMMEMORY;
            if (FAILED(m_ddraw->CreateSurface(&desc, &display.back, nullptr)))
                fail(2);
        }
        if (FAILED(m_ddraw->CreateClipper(0, &display.clipper, nullptr))
            || FAILED(display.clipper->SetHWnd(0, hwnd)) || FAILED(display.primary->SetClipper(display.clipper)))
            fail(2);
    }
    display.width = width;
    display.height = height;
    display.value = value;
    GetClientRect(hwnd, &display.dest);
    if (m_ddraw) {
        POINT origin {};
        ClientToScreen(hwnd, &origin);
        OffsetRect(&display.dest, origin.x, origin.y);
    } else {
        WindowDcHolder holder(hwnd);
        display.gdiBack = std::make_unique<swCBitmap>(holder, width, height);
    }
}

int swCDirectDraw::ddrawFindSurface(int id) const
{
    for (size_t i = 0; i < m_surfaces.size(); ++i)
        if (m_surfaces[i]->id == id)
            return int(i);
    return -1;
}

SurfaceRecord* swCDirectDraw::surfaceAt(int position)
{
    if (position < 0 || position >= int(m_surfaces.size()))
        return nullptr;
    return m_surfaces[size_t(position)].get();
}

void swCDirectDraw::ddrawFreeSurface(int id)
{
    int position = ddrawFindSurface(id);
    if (position >= 0)
        m_surfaces.erase(m_surfaces.begin() + position);
}

void swCDirectDraw::ddrawDisplaySize(int, SIZE& size) const
{
    if (m_displays.empty())
        return;
    size.cx = m_displays.front()->width;
    size.cy = m_displays.front()->height;
}

void swCDirectDraw::ddrawMoveOrigin(int x, int y)
{
    if (DirectDrawDisplay* display = firstDisplaySlot())
        OffsetRect(&display->dest, x - display->dest.left, y - display->dest.top);
}

void swCDirectDraw::ddrawSetDisplaySize(int width, int height)
{
    if (DirectDrawDisplay* display = firstDisplaySlot()) {
        display->dest.right = display->dest.left + width;
        display->dest.bottom = display->dest.top + height;
    }
}
