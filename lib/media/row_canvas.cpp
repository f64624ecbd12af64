// RowCanvas: one row drawn off screen and copied in one blit.
#include "lib/media/row_canvas.h"

RowCanvas::RowCanvas(const DRAWITEMSTRUCT& item)
    : RowCanvas(item, item.rcItem.right - item.rcItem.left, item.rcItem.bottom - item.rcItem.top)
{
}

RowCanvas::RowCanvas(const DRAWITEMSTRUCT& item, int width, int height)
    : m_item(item)
    , m_width(width)
    , m_height(height)
    , m_target(item.hDC)
    , m_bitmap(m_target, width, height)
    , m_memory(item.hDC)
    , m_old(SelectObject(m_memory.dc(), m_bitmap.handle()))
{
}

RowCanvas::~RowCanvas()
{
    BitBlt(m_item.hDC, m_item.rcItem.left, m_item.rcItem.top, m_width, m_height, m_memory.dc(), 0, 0, SRCCOPY);
    SelectObject(m_memory.dc(), m_old);
}
