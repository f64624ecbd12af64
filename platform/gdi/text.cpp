// Fonts and single-line text: CreateFontA, TextOutA, ExtTextOutA, extents and metrics.
#include "platform/gdi/text.h"

#include "platform/gdi/wingdi.h"
#include "platform/kernel/host.h"

#include <algorithm>
#include <cstring>

using namespace platform;
using namespace platform::gdi;

HFONT CreateFontIndirectA(const LOGFONTA* lplf)
{
    if (!lplf)
        return nullptr;
    auto font = std::make_shared<Font>();
    font->log = *lplf;
    font->log.lfFaceName[LF_FACESIZE - 1] = 0;
    return static_cast<HFONT>(addObject(font));
}

HFONT CreateFontA(int cHeight, int cWidth, int cEscapement, int cOrientation, int cWeight, DWORD bItalic,
    DWORD bUnderline, DWORD bStrikeOut, DWORD iCharSet, DWORD iOutPrecision, DWORD iClipPrecision, DWORD iQuality,
    DWORD iPitchAndFamily, LPCSTR pszFaceName)
{
    LOGFONTA log {};
    log.lfHeight = cHeight;
    log.lfWidth = cWidth;
    log.lfEscapement = cEscapement;
    log.lfOrientation = cOrientation;
    log.lfWeight = cWeight;
    log.lfItalic = BYTE(bItalic);
    log.lfUnderline = BYTE(bUnderline);
    log.lfStrikeOut = BYTE(bStrikeOut);
    log.lfCharSet = BYTE(iCharSet);
    log.lfOutPrecision = BYTE(iOutPrecision);
    log.lfClipPrecision = BYTE(iClipPrecision);
    log.lfQuality = BYTE(iQuality);
    log.lfPitchAndFamily = BYTE(iPitchAndFamily);
    if (pszFaceName)
        std::strncpy(log.lfFaceName, pszFaceName, LF_FACESIZE - 1);
    return CreateFontIndirectA(&log);
}

namespace {

struct Layout {
    std::vector<TextChar> chars;
    std::vector<int> xs; // pen positions relative to the start
    int width = 0;
};

// Advances come from lpDx when given (one entry per byte, summed over a character's bytes).
Layout layOut(const DeviceContext& dc, FontFace& face, std::string_view text, const INT* dx)
{
    Layout layout;
    layout.chars = splitCp932(text);
    int x = 0;
    for (const TextChar& c : layout.chars) {
        layout.xs.push_back(x);
        if (dx) {
            x += dx[c.offset] + (c.length == 2 ? dx[c.offset + 1] : 0);
        } else {
            x += face.advance(c.code) + dc.state.charExtra;
        }
    }
    layout.width = x;
    return layout;
}

std::string_view textOf(LPCSTR s, int c)
{
    if (!s || c <= 0)
        return {};
    return std::string_view(s, size_t(c));
}

} // namespace

BOOL ExtTextOutA(HDC hdc, int x, int y, UINT options, const RECT* lprect, LPCSTR lpString, UINT c, const INT* lpDx)
{
    std::shared_ptr<DeviceContext> dc = findDC(hdc);
    if (!dc || (c > 0 && !lpString) || c > 0x7FFFFFFF)
        return FALSE;
    std::shared_ptr<FontFace> face = fontOf(*dc);
    if (!face)
        return FALSE;
    const DcState& s = dc->state;
    Layout layout = layOut(*dc, *face, textOf(lpString, int(c)), lpDx);
    bool updateCp = s.textAlign & TA_UPDATECP;
    if (updateCp)
        x = s.position.x, y = s.position.y;
    UINT horizontal = s.textAlign & TA_CENTER;
    int left = horizontal == TA_CENTER ? x - layout.width / 2 : horizontal == TA_RIGHT ? x - layout.width : x;
    const FontMetrics& m = face->metrics();
    UINT vertical = s.textAlign & TA_BASELINE;
    int baseline = vertical == TA_BASELINE ? y : vertical == TA_BOTTOM ? y - m.descent : y + m.ascent;

    Canvas canvas(*dc);
    canvas.lock();
    if (!canvas.valid())
        return FALSE;
    const RECT* clipRect = (options & ETO_CLIPPED) && lprect ? lprect : nullptr;
    if ((options & ETO_OPAQUE) && lprect)
        fillBackground(*dc, canvas, *lprect, s.bkColour, nullptr);
    if (s.bkMode == OPAQUE && !layout.chars.empty())
        fillBackground(*dc, canvas, { left, baseline - m.ascent, left + layout.width, baseline + m.descent },
            s.bkColour, clipRect);
    for (int& px : layout.xs)
        px += left;
    drawGlyphs(*dc, canvas, *face, layout.chars, layout.xs, left + layout.width, baseline, clipRect);
    if (updateCp) {
        int advance = horizontal == TA_RIGHT ? -layout.width : horizontal == TA_CENTER ? 0 : layout.width;
        dc->state.position.x += advance;
    }
    return TRUE;
}

BOOL TextOutA(HDC hdc, int x, int y, LPCSTR lpString, int c)
{
    if (c < 0)
        return FALSE;
    return ExtTextOutA(hdc, x, y, 0, nullptr, lpString, UINT(c), nullptr);
}

BOOL GetTextExtentPoint32A(HDC hdc, LPCSTR lpString, int c, LPSIZE psizl)
{
    std::shared_ptr<DeviceContext> dc = findDC(hdc);
    if (!dc || !psizl || c < 0 || (c > 0 && !lpString))
        return FALSE;
    std::shared_ptr<FontFace> face = fontOf(*dc);
    if (!face)
        return FALSE;
    Layout layout = layOut(*dc, *face, textOf(lpString, c), nullptr);
    psizl->cx = layout.width;
    psizl->cy = face->metrics().ascent + face->metrics().descent;
    return TRUE;
}

BOOL GetTextExtentPointA(HDC hdc, LPCSTR lpString, int c, LPSIZE lpsz) { return GetTextExtentPoint32A(hdc, lpString, c, lpsz); }

BOOL GetTextMetricsA(HDC hdc, LPTEXTMETRICA lptm)
{
    std::shared_ptr<DeviceContext> dc = findDC(hdc);
    if (!dc || !lptm)
        return FALSE;
    std::shared_ptr<FontFace> face = fontOf(*dc);
    if (!face)
        return FALSE;
    const FontMetrics& m = face->metrics();
    const LOGFONTA& log = dc->state.font->log;
    TEXTMETRICA tm {};
    tm.tmAscent = m.ascent;
    tm.tmDescent = m.descent;
    tm.tmHeight = m.ascent + m.descent;
    tm.tmInternalLeading = tm.tmHeight - m.emPixels;
    tm.tmExternalLeading = 0;
    tm.tmAveCharWidth = m.averageWidth;
    tm.tmMaxCharWidth = m.maxWidth;
    tm.tmWeight = log.lfWeight >= FW_SEMIBOLD ? FW_BOLD : FW_NORMAL;
    tm.tmOverhang = 0;
    tm.tmDigitizedAspectX = 96;
    tm.tmDigitizedAspectY = 96;
    tm.tmFirstChar = 0x20;
    tm.tmLastChar = 0xFC;
    tm.tmDefaultChar = 0x81;
    tm.tmBreakChar = 0x20;
    tm.tmItalic = log.lfItalic ? 1 : 0;
    tm.tmUnderlined = log.lfUnderline ? 1 : 0;
    tm.tmStruckOut = log.lfStrikeOut ? 1 : 0;
    // TMPF_FIXED_PITCH set means variable pitch.
    tm.tmPitchAndFamily = BYTE((m.fixedPitch ? 0 : TMPF_FIXED_PITCH) | TMPF_VECTOR | TMPF_TRUETYPE | FF_MODERN);
    tm.tmCharSet = SHIFTJIS_CHARSET;
    *lptm = tm;
    return TRUE;
}

int GetTextFaceA(HDC hdc, int c, LPSTR lpName)
{
    std::shared_ptr<DeviceContext> dc = findDC(hdc);
    if (!dc || !dc->state.font)
        return 0;
    std::string name = faceNameFor(dc->state.font->log);
    if (!lpName)
        return int(name.size() + 1);
    if (c <= 0)
        return 0;
    size_t n = std::min(name.size(), size_t(c - 1));
    std::memcpy(lpName, name.data(), n);
    lpName[n] = 0;
    return int(n);
}

// Codes above 0xFF are double-byte characters, lead byte in the high byte.
BOOL GetCharWidth32A(HDC hdc, UINT iFirst, UINT iLast, LPINT lpBuffer)
{
    std::shared_ptr<DeviceContext> dc = findDC(hdc);
    if (!dc || !lpBuffer || iLast < iFirst || iLast > 0xFFFF)
        return FALSE;
    std::shared_ptr<FontFace> face = fontOf(*dc);
    if (!face)
        return FALSE;
    for (UINT code = iFirst; code <= iLast; ++code) {
        char bytes[2] = { char(code >> 8), char(code & 0xFF) };
        std::string_view text = code > 0xFF ? std::string_view(bytes, 2) : std::string_view(bytes + 1, 1);
        std::vector<TextChar> chars = splitCp932(text);
        lpBuffer[code - iFirst] = chars.size() == 1 ? face->advance(chars[0].code) : 0;
    }
    return TRUE;
}

BOOL GetCharWidthA(HDC hdc, UINT iFirst, UINT iLast, LPINT lpBuffer) { return GetCharWidth32A(hdc, iFirst, iLast, lpBuffer); }
