// Device-context and GDI-object holders: each gives back what it was built around.
#include "lib/media/dc_holders.h"

WindowDcHolder::WindowDcHolder(HWND window)
    : PaletteHolder(GetDC(window))
    , m_window(window)
{
}

WindowDcHolder::~WindowDcHolder()
{
    if (m_dc)
        ReleaseDC(m_window, m_dc);
}

PaintDcHolder::PaintDcHolder(HWND window)
    : m_window(window)
{
    m_dc = BeginPaint(window, &m_paint);
}

PaintDcHolder::~PaintDcHolder()
{
    if (m_dc)
        EndPaint(m_window, &m_paint);
}

MemoryDcHolder::MemoryDcHolder(HDC like)
    : PaletteHolder(CreateCompatibleDC(like))
{
}

MemoryDcHolder::~MemoryDcHolder()
{
    if (m_dc)
        DeleteDC(m_dc);
}

BitmapDcHolder::BitmapDcHolder(HBITMAP bitmap)
    : MemoryDcHolder(nullptr)
    , m_old(SelectObject(m_dc, bitmap))
{
}

BitmapDcHolder::~BitmapDcHolder()
{
    if (m_old)
        SelectObject(m_dc, m_old);
}

TextHolder::TextHolder(HDC dc, HFONT font, COLORREF colour)
    : m_dc(dc)
{
    if (font)
        m_oldFont = SelectObject(dc, font);
    m_oldMode = SetBkMode(dc, TRANSPARENT);
    m_oldColour = SetTextColor(dc, colour);
}

TextHolder::~TextHolder()
{
    SetTextColor(m_dc, m_oldColour);
    SetBkMode(m_dc, m_oldMode);
    if (m_oldFont)
        SelectObject(m_dc, m_oldFont);
}

void GdiObjectHolder::release()
{
    if (m_object)
        DeleteObject(m_object);
    m_object = nullptr;
}

BITMAPINFO topDownBitmapInfo(int width, int height)
{
    BITMAPINFO info {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}
