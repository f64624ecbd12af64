// The custom colour swatch and panel.
#include "lib/media/custom_color_swatch.h"

CustomColorSwatch::CustomColorSwatch(swCWindow* parent, UINT controlId, int x, int y)
    : swCButton(parent, controlId, BS_OWNERDRAW | WS_TABSTOP)
{
    controlCreate({ x, y, kSize, kSize });
}

void CustomColorSwatch::DrawItem(DRAWITEMSTRUCT* item)
{
    PaletteHolder target(item->hDC);
    swCBitmap back(target, kSize, kSize);
    MemoryDcHolder canvas(item->hDC);
    HGDIOBJ old = SelectObject(canvas.dc(), back.handle());
    RECT face { 0, 0, kSize, kSize };
    UINT state = DFCS_BUTTONPUSH;
    if ((item->itemState & ODS_SELECTED) || m_markedPressed)
        state |= DFCS_PUSHED;
    else if (item->itemState & ODS_DISABLED)
        state |= DFCS_INACTIVE | DFCS_FLAT;
    DrawFrameControl(canvas.dc(), &face, DFC_BUTTON, state);
    if (m_drawPictures) {
        if (m_picture)
            canvas.blitTransparent(8, 8, m_picture, { 48, 0, 96, 48 }, kPictureKey);
        if (m_overlay)
            canvas.blitTransparent(8, 8, m_overlay, { 0, 0, 48, 48 }, kPictureKey);
    }
    BitBlt(item->hDC, 0, 0, kSize, kSize, canvas.dc(), 0, 0, SRCCOPY);
    SelectObject(canvas.dc(), old);
}

CustomColorWindow::CustomColorWindow(swCWindow* parent, swCWindow* commandTarget)
    : swCWindow("VKRC_CUSTOMCOLORWINDOW_CNAME", parent, 0), m_commandTarget(commandTarget)
{
    m_windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
}

int CustomColorWindow::OnCommand(MessageRecord& msg, UINT, UINT)
{
    if (!m_commandTarget || !m_commandTarget->handle())
        return 0;
    msg.result = SendMessageA(m_commandTarget->handle(), WM_COMMAND, msg.wParam, msg.lParam);
    return 1;
}
