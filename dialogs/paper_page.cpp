// Drawing the briefing and news pages: pictures, lines and the title.
#include "dialogs/paper_page.h"

#include "dialogs/bitmap_canvas.h"
#include "lib/error.h"
#include "platform/kernel/host.h"
#include "state/data_path.h"
#include "state/game_state.h"
#include "ui/presentation.h"

#include <algorithm>

namespace {

constexpr int kLineHeight = 16;
constexpr int kPixelsPerByte = 8;

int widthOf(const RECT& r) { return r.right - r.left; }
int heightOf(const RECT& r) { return r.bottom - r.top; }

} // namespace

std::unique_ptr<swCBitmap> loadPaperPicture(const char* name)
{
    auto picture = std::make_unique<swCBitmap>();
    try {
        picture->bitmapLoadFile(dataPath(name, kFolderBitmap).c_str());
    } catch (swCError* error) {
        // A missing picture is left out without a word: the page shows what it has.
        delete error;
        return nullptr;
    }
    return picture->handle() ? std::move(picture) : nullptr;
}

std::unique_ptr<swCBitmap> mapPicture(const GameState& state, MapPicture which)
{
    try {
        return embeddedBitmap(state, which == MapPicture::Briefing ? 0 : 1);
    } catch (swCError* error) {
        // A picture a map file carries that cannot be read is left out like a missing one.
        delete error;
        return nullptr;
    }
}

RECT fitPictureInBox(SIZE picture, RECT box)
{
    const int boxWidth = widthOf(box);
    const int boxHeight = heightOf(box);
    long long w = std::max<long>(picture.cx, 0);
    long long h = std::max<long>(picture.cy, 0);
    if (w > boxWidth) {
        h = h * boxWidth / w;
        w = boxWidth;
        if (h > boxHeight) {
            w = picture.cx * static_cast<long long>(boxHeight) / picture.cy;
            h = boxHeight;
        }
    } else if (h > boxHeight) {
        w = w * boxHeight / h;
        h = boxHeight;
    }
    const int left = box.left + (boxWidth - int(w)) / 2;
    const int top = box.top + (boxHeight - int(h)) / 2;
    return { left, top, left + int(w), top + int(h) };
}

void drawFittedPicture(HDC dc, const swCBitmap* picture, RECT box)
{
    if (!picture || !picture->handle())
        return;
    const SIZE size = picture->bitmapGetSize();
    if (size.cx <= 0 || size.cy <= 0)
        return;
    const RECT at = fitPictureInBox(size, box);
    PaletteHolder holder(dc);
    const RECT source { 0, 0, size.cx, size.cy };
    SetStretchBltMode(dc, COLORONCOLOR);
    if (widthOf(at) == size.cx && heightOf(at) == size.cy)
        holder.blitBitmap(at.left, at.top, picture->handle(), source);
    else
        holder.stretchBlitBitmap(at, picture->handle(), source);
}

void drawPaperText(HDC dc, const std::string& text, RECT area, HFONT font, COLORREF colour, UINT format)
{
    TextHolder textState(dc, font, colour);
    DrawTextA(dc, text.c_str(), int(text.size()), &area, format | DT_NOPREFIX | DT_SINGLELINE);
}

void drawPaperLines(HDC dc, const std::vector<PaperLine>& lines, HFONT font)
{
    for (const PaperLine& line : lines) {
        const RECT area { line.x, line.y, line.x + kPixelsPerByte * line.widthBytes, line.y + kLineHeight };
        drawPaperText(dc, line.text, area, font);
    }
}

void PaperCanvas::reset(const swCBitmap* page)
{
    if (!m_canvas.handle())
        m_canvas.bitmapCreateCompatible(WindowDcHolder(nullptr), kPaperSize.cx, kPaperSize.cy);
    if (!m_canvas.handle())
        return;
    {
        SelectedBitmap canvas(m_canvas.handle());
        PaletteHolder(canvas.dc()).fillRectColor(0, 0, kPaperSize.cx - 1, kPaperSize.cy - 1, paletteGrey(255));
    }
    restore(page, { 0, 0, kPaperSize.cx, kPaperSize.cy });
}

void PaperCanvas::restore(const swCBitmap* page, RECT area)
{
    if (!page || !page->handle() || !m_canvas.handle())
        return;
    m_canvas.bitmapBlit(area.left, area.top, page->handle(), area);
}

void PaperCanvas::paint(HDC dc, RECT area) const
{
    if (!m_canvas.handle())
        return;
    PaletteHolder(dc).blitBitmap(area.left, area.top, m_canvas.handle(), area);
}

std::unique_ptr<swCFont> makePaperFont(int height, int weight)
{
    auto font = std::make_unique<swCFont>();
    font->fontCreate(height, weight, platform::utf8ToCp932("ＭＳ ゴシック").c_str());
    return font;
}
