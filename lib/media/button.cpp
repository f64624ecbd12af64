// swCButton: faces and owner drawing.
#include "lib/media/button.h"

#include <string>

namespace {

// The colour of a focus frame that stands out from what the DC shows under it (right and bottom
// inclusive): dark grey over a light face, white over a dark one, whichever differs more.
COLORREF focusFrameColour(HDC dc, const RECT& frame)
{
    // Brightness 0 to 255 summed over the frame's pixels, every second one.
    long sum = 0;
    long count = 0;
    auto add = [&](int x, int y) {
        const COLORREF c = GetPixel(dc, x, y);
        if (c == CLR_INVALID)
            return;
        sum += (299 * GetRValue(c) + 587 * GetGValue(c) + 114 * GetBValue(c)) / 1000;
        ++count;
    };
    for (int x = frame.left; x <= frame.right; x += 2) {
        add(x, frame.top);
        add(x, frame.bottom);
    }
    for (int y = frame.top; y <= frame.bottom; y += 2) {
        add(frame.left, y);
        add(frame.right, y);
    }
    // Whichever of the two lies further from the face's brightness.
    constexpr long kGreyBrightness = 64;
    constexpr long kWhiteBrightness = 255;
    return count && sum / count < (kGreyBrightness + kWhiteBrightness) / 2 ? 0x02FFFFFF : 0x02404040;
}

} // namespace

std::unique_ptr<swCBitmap> loadFace(const char* imageFile, const RECT& rect)
{
    auto face = std::make_unique<swCBitmap>();
    face->bitmapLoadRect(imageFile, rect.left, rect.top, rect.right, rect.bottom);
    return face;
}

swCButton::swCButton(swCWindow* parent, UINT controlId, DWORD style) : swCControl("Button", parent, controlId, style) { }

void swCButton::holdPressed(bool on)
{
    m_heldPressed = on;
    if (handle())
        InvalidateRect(handle(), nullptr, FALSE);
}

void swCButton::buttonSetFaces(const char* imageFile, const RECT& normal, const RECT& pressed, const RECT& disabled)
{
    auto newNormal = loadFace(imageFile, normal);
    auto newPressed = loadFace(imageFile, pressed);
    auto newDisabled = loadFace(imageFile, disabled);
    m_normal = std::move(newNormal);
    m_pressed = std::move(newPressed);
    m_disabled = std::move(newDisabled);
    m_faceRect.right = m_faceRect.left + (normal.right - normal.left);
    m_faceRect.bottom = m_faceRect.top + (normal.bottom - normal.top);
}

void swCButton::buttonSetFocusFace(const char* imageFile, const RECT& rect)
{
    m_focus = loadFace(imageFile, rect);
}

void swCButton::buttonSetNormalFace(std::unique_ptr<swCBitmap> face, const RECT& faceRect)
{
    m_normal = std::move(face);
    m_faceRect = faceRect;
}

swCBitmap* swCButton::chooseFace(UINT itemState) const
{
    if (!m_normal || !m_pressed)
        return nullptr;
    if ((itemState & ODS_SELECTED) || m_heldPressed)
        return m_pressed.get();
    if ((itemState & ODS_DISABLED) && !m_ignoreDisabled && m_disabled)
        return m_disabled.get();
    if ((itemState & ODS_FOCUS) && m_focus)
        return m_focus.get();
    return m_normal.get();
}

void swCButton::drawFace(PaletteHolder& holder, const swCBitmap& face, int x, int y)
{
    if (m_transparent)
        holder.blitTransparent(x, y, face.handle(), m_faceRect, m_transparentColour);
    else
        holder.blitBitmap(x, y, face.handle(), m_faceRect);
}

void swCButton::DrawItem(DRAWITEMSTRUCT* item)
{
    PaletteHolder holder;
    holder.selectPaletteInto(item->hDC);
    const UINT state = item->itemState;
    const bool focused = (state & ODS_FOCUS) != 0;
    if (m_normal && m_pressed) {
        drawFace(holder, *chooseFace(state), 0, 0);
    } else if (!(state & ODS_SELECTED) && !m_heldPressed) {
        // Without a pressed face the button is drawn raised, and sunken while pressed; a
        // missing face is left out rather than drawn.
        const swCBitmap* face = focused && m_focus ? m_focus.get() : m_normal.get();
        if (face)
            drawFace(holder, *face, 0, 0);
        if (!(state & ODS_DISABLED))
            holder.drawRaisedEdge(item->rcItem);
    } else {
        if (m_normal)
            drawFace(holder, *m_normal, 1, 1);
        holder.drawSunkenEdge(item->rcItem);
    }
    if (m_drawText) {
        char text[256] = {};
        GetWindowTextA(handle(), text, sizeof text);
        HFONT font = reinterpret_cast<HFONT>(SendMessageA(handle(), WM_GETFONT, 0, 0));
        HGDIOBJ oldFont = font ? SelectObject(item->hDC, font) : nullptr;
        const COLORREF oldColour = SetTextColor(item->hDC, RGB(255, 255, 255));
        const int oldMode = SetBkMode(item->hDC, TRANSPARENT);
        RECT area = item->rcItem;
        DrawTextA(item->hDC, text, -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        SetBkMode(item->hDC, oldMode);
        SetTextColor(item->hDC, oldColour);
        if (oldFont)
            SelectObject(item->hDC, oldFont);
    }
    drawFocusFrame(holder, state);
}

void swCButton::drawFocusFrame(PaletteHolder& holder, UINT itemState)
{
    if (!(itemState & ODS_FOCUS) || m_focus)
        return;
    const RECT frame { m_faceRect.left + 3, m_faceRect.top + 3, m_faceRect.right - 4, m_faceRect.bottom - 4 };
    holder.frameRectColor(frame.left, frame.top, frame.right, frame.bottom, focusFrameColour(holder.dc(), frame));
}
