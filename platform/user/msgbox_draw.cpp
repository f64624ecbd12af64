// Push buttons and message glyphs in the layer's plain look.
#include "platform/user/msgbox_draw.h"

#include "platform/gdi/wingdi.h"

namespace platform::look {

namespace {

// Selects a GDI object for one scope and deletes the ones this code created.
class Selected {
public:
    Selected(HDC dc, HGDIOBJ object, bool owned)
        : m_dc(dc)
        , m_object(object)
        , m_old(SelectObject(dc, object))
        , m_owned(owned)
    {
    }
    ~Selected()
    {
        SelectObject(m_dc, m_old);
        if (m_owned)
            DeleteObject(m_object);
    }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_object;
    HGDIOBJ m_old;
    bool m_owned;
};

void glyphText(HDC dc, int x, int y, const char* text, COLORREF colour)
{
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    RECT r { x, y, x + 32, y + 32 };
    DrawTextA(dc, text, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

} // namespace

int labelWidth(HDC dc, const std::string& label)
{
    std::string shown;
    for (size_t i = 0; i < label.size(); ++i) {
        if (label[i] == '&' && i + 1 < label.size())
            ++i;
        shown += label[i];
    }
    SIZE size {};
    GetTextExtentPoint32A(dc, shown.c_str(), int(shown.size()), &size);
    return size.cx;
}

void drawPushButton(HDC dc, const RECT& rect, const std::string& label, ButtonState state, bool isDefault)
{
    RECT r = rect;
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    if (isDefault || state == ButtonState::Focused) {
        // The default button wears a dark outer line.
        FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        InflateRect(&r, -1, -1);
    }
    DrawEdge(dc, &r, state == ButtonState::Pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    RECT text = r;
    if (state == ButtonState::Pressed)
        OffsetRect(&text, 1, 1);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    DrawTextA(dc, label.c_str(), -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (state != ButtonState::Normal) {
        RECT focus = r;
        InflateRect(&focus, -4, -4);
        DrawFocusRect(dc, &focus);
    }
}

void drawMessageGlyph(HDC dc, int x, int y, UINT iconStyle)
{
    COLORREF fill;
    COLORREF mark = RGB(255, 255, 255);
    const char* text;
    switch (iconStyle & MB_ICONMASK) {
    case MB_ICONSTOP:
        fill = RGB(200, 30, 30);
        text = "X";
        break;
    case MB_ICONQUESTION:
        fill = RGB(40, 80, 200);
        text = "?";
        break;
    case MB_ICONEXCLAMATION:
        fill = RGB(240, 200, 20);
        mark = RGB(0, 0, 0);
        text = "!";
        break;
    case MB_ICONINFORMATION:
        fill = RGB(40, 80, 200);
        text = "i";
        break;
    default:
        return;
    }
    {
        Selected brush(dc, CreateSolidBrush(fill), true);
        Selected pen(dc, CreatePen(PS_SOLID, 1, RGB(0, 0, 0)), true);
        if ((iconStyle & MB_ICONMASK) == MB_ICONEXCLAMATION) {
            POINT triangle[3] = { { x + 16, y + 1 }, { x + 31, y + 30 }, { x + 1, y + 30 } };
            Polygon(dc, triangle, 3);
        } else {
            Ellipse(dc, x + 1, y + 1, x + 31, y + 31);
        }
    }
    LOGFONTA face {};
    face.lfHeight = -20;
    face.lfWeight = FW_BOLD;
    Selected font(dc, CreateFontIndirectA(&face), true);
    glyphText(dc, x, y + ((iconStyle & MB_ICONMASK) == MB_ICONEXCLAMATION ? 3 : 0), text, mark);
}

} // namespace platform::look
