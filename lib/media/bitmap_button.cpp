// BitmapButton: faces from the strip, drawing by state, erasing, and clicks queued while hidden.
#include "lib/media/bitmap_button.h"

#include "lib/media/picture_services.h"

#include <cstdio>
#include <cstring>

using bitmap_buttons::ButtonKind;
using bitmap_buttons::ButtonLayout;

namespace {

RECT toRect(const bitmap_buttons::FaceRect& face)
{
    return { face.left, face.top, face.right, face.bottom };
}

// Table-indexed classes have a fixed number of buttons; others read past their strip at worst.
int checkedIndex(ButtonKind kind, int imageIndex)
{
    const int count = bitmap_buttons::buttonImageCount(kind);
    if (kind == ButtonKind::WeaponListButton || kind == ButtonKind::EditSheetButton)
        return imageIndex < 0 ? 0 : imageIndex >= count ? count - 1 : imageIndex;
    return imageIndex < 0 ? 0 : imageIndex;
}

} // namespace

BitmapButton::BitmapButton(swCWindow* parent, UINT controlId, int x, int y, int width, int height)
    : swCButton(parent, controlId, BS_OWNERDRAW | WS_TABSTOP)
{
    setStyle(m_style & ~DWORD(WS_BORDER));
    controlCreate({ x, y, width, height });
}

BitmapButton::BitmapButton(swCWindow* parent, ButtonKind kind, int imageIndex, UINT controlId, int x, int y)
    : BitmapButton(parent, controlId, x, y, bitmap_buttons::buttonLayout(kind, checkedIndex(kind, imageIndex)))
{
}

BitmapButton::BitmapButton(swCWindow* parent, UINT controlId, int x, int y, const ButtonLayout& layout)
    : BitmapButton(parent, controlId, x, y, layout.width, layout.height)
{
    const std::string path = pictureServices().bitmapPath(layout.file);
    try {
        buttonSetFaces(path.c_str(), toRect(layout.normal), toRect(layout.pressed), toRect(layout.disabled));
        if (layout.hasFocusFace)
            buttonSetFocusFace(path.c_str(), toRect(layout.focus));
    } catch (...) {
        // No button without faces: the window goes, unbound first so that it cannot take
        // the half-made object with it.
        HWND window = handle();
        windowDetach(false);
        DestroyWindow(window);
        throw;
    }
    m_releaseTracking = layout.releaseTracking;
}

int BitmapButton::OnMessage(MessageRecord& msg)
{
    switch (msg.message) {
    case WM_ERASEBKGND: {
        if (!m_currentFace)
            break;
        RECT update {};
        if (!GetUpdateRect(handle(), &update, FALSE))
            break;
        PaletteHolder holder(reinterpret_cast<HDC>(msg.wParam));
        holder.blitBitmap(0, 0, m_currentFace->handle(), m_faceRect);
        InvalidateRect(handle(), &update, FALSE);
        msg.result = 1;
        return 1;
    }
    case WM_SHOWWINDOW:
        if (msg.wParam == 1) {
            // A click queued while the button was hidden must not reach it now.
            MSG dropped;
            while (PeekMessageA(&dropped, nullptr, WM_MOUSEMOVE, WM_MBUTTONDBLCLK, PM_REMOVE)) { }
        }
        break;
    case WM_LBUTTONUP:
        if (m_releaseTracking)
            m_released = true;
        break;
    default:
        break;
    }
    return controlOnMessage(msg);
}

void BitmapButton::DrawItem(DRAWITEMSTRUCT* item)
{
    PaletteHolder holder;
    holder.selectPaletteInto(item->hDC);
    if (m_released && m_drawn) {
        m_released = false;
        return;
    }
    if (swCBitmap* face = chooseFace(item->itemState)) {
        holder.blitBitmap(0, 0, face->handle(), m_faceRect);
        m_currentFace = face;
    }
    drawFocusFrame(holder, item->itemState);
    m_released = false;
    m_drawn = true;
}

void ComButton24x24::DrawItem(DRAWITEMSTRUCT* item)
{
    BitmapButton::DrawItem(item);
    if (!m_countShown)
        return;
    char text[16];
    std::snprintf(text, sizeof text, "%d", m_count);
    const int width = 7 * int(std::strlen(text));
    const int x0 = (24 - width) / 2;
    HDC dc = item->hDC;
    HGDIOBJ oldFont = SelectObject(dc, pictureServices().smallFont());
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColour = SetTextColor(dc, 0x02000000);
    // A black outline first, then the number in white over it.
    for (int top : { 4, 6 }) {
        for (int left : { x0 - 1, x0 + 1 }) {
            RECT area { left, top, 24, 18 };
            DrawTextA(dc, text, -1, &area, DT_NOPREFIX);
        }
    }
    SetTextColor(dc, 0x02FFFFFF);
    RECT area { x0, 5, 24, 18 };
    DrawTextA(dc, text, -1, &area, DT_NOPREFIX);
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
    SelectObject(dc, oldFont);
}

void ToolButton80x24::DrawItem(DRAWITEMSTRUCT* item)
{
    if (item->itemState & ODS_SELECTED)
        m_pressedSeen = true;
    BitmapButton::DrawItem(item);
}

HexPictureButton::HexPictureButton(swCWindow* parent, UINT controlId, int x, int y, int hexX, int hexY)
    : swCButton(parent, controlId, BS_OWNERDRAW | WS_TABSTOP)
{
    setStyle(m_style & ~DWORD(WS_BORDER));
    if (!controlCreate({ x, y, 32, 32 }))
        return;
    WindowDcHolder screen(handle());
    auto face = std::make_unique<swCBitmap>(screen, 32, 32);
    {
        MemoryDcHolder canvas(screen.dc());
        HGDIOBJ old = SelectObject(canvas.dc(), face->handle());
        RECT all { 0, 0, 32, 32 };
        FillRect(canvas.dc(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        pictureServices().drawHexBuilding(canvas.dc(), hexX, hexY);
        SelectObject(canvas.dc(), old);
    }
    buttonSetNormalFace(std::move(face), { 0, 0, 32, 32 });
    EnableWindow(handle(), FALSE);
}
