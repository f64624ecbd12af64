// Drawing the title strip: its shade, the text in the largest font that fits, outlined or shadowed.
#include "dialogs/map_info_strip.h"

#include "dialogs/bitmap_canvas.h"
#include "dialogs/map_preview_fields.h"
#include "state/game_state.h"
#include "ui/presentation.h"

namespace {

constexpr int kShades[5] = { 0xB2, 0x8C, 0x63, 0x40, 0x21 };
constexpr int kFirstColour[5] = { 0x20, 0xE7, 0x00, 0xE7, 0x20 };
constexpr int kSecondColour[5] = { 0xE7, 0x20, 0xE7, 0x20, 0xE7 };
constexpr COLORREF kFocusFrame = paletteRgb(255, 0, 0);

SIZE textSize(HDC dc, HFONT font, const std::string& text)
{
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size {};
    GetTextExtentPoint32A(dc, text.c_str(), int(text.size()), &size);
    SelectObject(dc, old);
    return size;
}

void drawAt(HDC dc, int x, int y, const std::string& text, int grey)
{
    SetTextColor(dc, paletteGrey(grey));
    TextOutA(dc, x, y, text.c_str(), int(text.size()));
}

} // namespace

MapInfoStrip::MapInfoStrip(swCWindow* parent, const GameState& game, const Presentation& look, UINT controlId, int x, int y, DWORD style)
    : PictureControl(parent, game, look, controlId, { x, y, kWidth, kHeight }, style)
{
    SelectedBitmap canvas(m_picture.handle());
    PaletteHolder(canvas.dc()).fillRectColor(0, 0, kWidth - 1, kHeight - 1, kNoColour);
}

void MapInfoStrip::setStyle(uint8_t text_style, uint8_t shade)
{
    m_textStyle = text_style <= 4 ? text_style : 0;
    m_shade = shade <= 4 ? shade : 0;
}

void MapInfoStrip::setText(std::string_view text) { m_text = cutText(text, kTextLimit); }

void MapInfoStrip::render()
{
    SelectedBitmap canvas(m_picture.handle());
    HDC dc = canvas.dc();
    PaletteHolder(dc).fillRectColor(0, 0, kWidth - 1, kHeight - 1, paletteGrey(kShades[m_shade]));
    HFONT font = m_look.font(kFont16Bold).handle();
    SIZE size = textSize(dc, font, m_text);
    for (int smaller : { kFont14Bold, kFont14 }) {
        if (size.cx <= kWidth)
            break;
        font = m_look.font(smaller).handle();
        size = textSize(dc, font, m_text);
    }
    const int x = (kWidth - size.cx) / 2;
    const int y = (kHeight - size.cy) / 2;
    HGDIOBJ oldFont = SelectObject(dc, font);
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const int a = kFirstColour[m_textStyle];
    const int b = kSecondColour[m_textStyle];
    switch (m_textStyle) {
    case 0:
    case 3:
        for (const auto& [dx, dy] : { std::pair { -1, 0 }, std::pair { 0, -1 }, std::pair { 1, 0 }, std::pair { 0, 1 } })
            drawAt(dc, x + dx, y + dy, m_text, a);
        break;
    case 1:
    case 4:
        drawAt(dc, x + 1, y + 1, m_text, a);
        break;
    default:
        break;
    }
    drawAt(dc, x, y, m_text, b);
    SetBkMode(dc, oldMode);
    SelectObject(dc, oldFont);
}

void MapInfoStrip::DrawItem(DRAWITEMSTRUCT* item)
{
    PictureControl::DrawItem(item);
    const RECT& r = item->rcItem;
    if (item->itemState & ODS_FOCUS) {
        PaletteHolder target(item->hDC);
        target.frameRectColor(r.left, r.top, r.right - 1, r.bottom - 1, kFocusFrame);
        target.frameRectColor(r.left + 1, r.top + 1, r.right - 2, r.bottom - 2, kFocusFrame);
    }
}
