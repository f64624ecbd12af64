// BriefBitmapWindow: scrolling and composing the long text over its page.
#include "dialogs/brief_bitmap_window.h"

#include "dialogs/bitmap_canvas.h"

#include <algorithm>

BriefBitmapWindow::BriefBitmapWindow(swCWindow* parent)
    : KitWindow(kClassName, parent)
{
    m_windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    m_windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    setStyle(WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_VSCROLL);
    setFrame(kOrigin.x, kOrigin.y, kSize.cx, kSize.cy);
}

void BriefBitmapWindow::showText(const Content& content, std::unique_ptr<swCBitmap> text)
{
    m_content = content;
    m_text = std::move(text);
    m_textHeight = m_text && m_text->handle() ? m_text->bitmapGetSize().cy : 0;
    if (!m_back.handle())
        m_back.bitmapCreateCompatible(WindowDcHolder(nullptr), kViewWidth, kSize.cy);
    SCROLLINFO info {};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = std::max(0, m_textHeight - 1);
    info.nPage = UINT(kSize.cy);
    info.nPos = 0;
    SetScrollInfo(handle(), SB_VERT, &info, TRUE);
    m_position = 0;
    compose();
    ShowWindow(handle(), SW_SHOW);
    InvalidateRect(handle(), nullptr, FALSE);
}

void BriefBitmapWindow::refresh()
{
    compose();
    InvalidateRect(handle(), nullptr, FALSE);
}

void BriefBitmapWindow::hideText()
{
    ShowWindow(handle(), SW_HIDE);
    m_text.reset();
    m_textHeight = 0;
    m_content = {};
}

void BriefBitmapWindow::scrollTo(int position)
{
    // The last page shows the end of the text at the window's bottom.
    const int last = std::max(0, m_textHeight - kSize.cy);
    position = std::clamp(position, 0, last);
    if (position == m_position)
        return;
    m_position = position;
    SetScrollPos(handle(), SB_VERT, position, TRUE);
    compose();
    InvalidateRect(handle(), nullptr, FALSE);
}

void BriefBitmapWindow::compose()
{
    if (!m_back.handle())
        return;
    SelectedBitmap back(m_back.handle());
    PaletteHolder holder(back.dc());
    holder.fillRectColor(0, 0, kViewWidth - 1, kSize.cy - 1, paletteGrey(255));
    if (m_content.page && m_content.page->handle())
        holder.blitBitmap(0, 0, m_content.page->handle(),
            { kOrigin.x, kOrigin.y, kOrigin.x + kViewWidth, kOrigin.y + kSize.cy });
    if (m_content.picture && m_content.picture->handle()) {
        const SIZE size = m_content.picture->bitmapGetSize();
        const RECT& at = m_content.pictureBox;
        SetStretchBltMode(back.dc(), COLORONCOLOR);
        holder.stretchBlitBitmap(at, m_content.picture->handle(), { 0, 0, size.cx, size.cy });
    }
    if (m_content.overview)
        holder.blitBitmap(m_content.overviewAt.x, m_content.overviewAt.y, m_content.overview,
            { 0, 0, m_content.overviewSize.cx, m_content.overviewSize.cy });
    if (m_text && m_text->handle()) {
        const int shown = std::min(kSize.cy, m_textHeight - m_position);
        if (shown > 0)
            holder.blitTransparent(0, 0, m_text->handle(), { 0, m_position, kViewWidth, m_position + shown },
                paletteGrey(255));
    }
}

int BriefBitmapWindow::OnMessage(MessageRecord& msg)
{
    switch (msg.message) {
    case WM_VSCROLL: {
        const int page = kSize.cy * 3 / 4;
        switch (LOWORD(msg.wParam)) {
        case SB_LINEUP: scrollTo(m_position - kLineStep); break;
        case SB_LINEDOWN: scrollTo(m_position + kLineStep); break;
        case SB_PAGEUP: scrollTo(m_position - page); break;
        case SB_PAGEDOWN: scrollTo(m_position + page); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: scrollTo(int(HIWORD(msg.wParam))); break;
        case SB_TOP: scrollTo(0); break;
        case SB_BOTTOM: scrollTo(m_textHeight); break;
        default: break;
        }
        return 1;
    }
    default:
        return KitWindow::OnMessage(msg);
    }
}
