// swCBitmap: the library's picture object, a device bitmap made empty, from a BMP file, from a
// rectangle of one (optionally mirrored) or from a BMP file image in memory.
#pragma once

#include "platform/gdi/bmp_reader.h"
#include "lib/media/dc_holders.h"

#include <cstdint>
#include <span>

class swCFile;

constexpr int kMirrorLeftRight = 1;
constexpr int kMirrorTopBottom = 2;

class swCBitmap {
public:
    swCBitmap() = default;
    swCBitmap(const PaletteHolder& holder, int width, int height);
    swCBitmap(const swCBitmap&) = delete;
    swCBitmap& operator=(const swCBitmap&) = delete;
    virtual ~swCBitmap() { bitmapRelease(); }

    void bitmapCreateCompatible(const PaletteHolder& holder, int width, int height);
    SIZE bitmapGetSize() const;
    // The loaders throw swCBitmapError code 0 for a picture they cannot read or convert (the
    // object then keeps its previous bitmap) and let swCFileError through.
    void bitmapLoadFile(const char* fileName, int flags = 0);
    // The rectangle of the unmirrored file, mirrored as the flags say.
    void bitmapLoadRect(const char* fileName, int left, int top, int right, int bottom, int flags = 0);
    // A whole BMP file image (file header first); entries not of the key colour are tinted
    // when the two colours differ.
    void bitmapFromPackedDIB(std::span<const uint8_t> fileImage, COLORREF key = kNoColour, COLORREF tint = kNoColour);
    void bitmapBlit(int x, int y, HBITMAP source, const RECT& sourceRect);
    void bitmapBlitTransparent(int x, int y, HBITMAP source, const RECT& sourceRect, COLORREF key);
    void bitmapRelease();

    HBITMAP handle() const { return m_bitmap; }
    // Makes a device bitmap of the DIB after the colour hooks ran; throws swCBitmapError code 0
    // when it cannot. The caller owns the result.
    HBITMAP dibToBitmap(PackedDib& dib, UINT usage, int flags, COLORREF key, COLORREF tint);

protected:
    // Called with the DIB before each conversion, table first; both do nothing here.
    virtual void filterColourTable(PackedDib& dib);
    virtual void filterDib(PackedDib& dib);

private:
    void replace(HBITMAP bitmap);

    HBITMAP m_bitmap = nullptr;
};

// While one lives on a thread, the pictures its rectangles are loaded from (bitmapLoadRect) are
// read and parsed once: a window making many strip-faced controls reads each strip once. Files
// are taken as they were when first read in the outermost scope.
class PictureSheetScope {
public:
    PictureSheetScope();
    ~PictureSheetScope();
    PictureSheetScope(const PictureSheetScope&) = delete;
    PictureSheetScope& operator=(const PictureSheetScope&) = delete;
};

// Reads a DIB from the file's position to its end; throws swCBitmapError code 0 when unreadable.
PackedDib bmpReadPackedDib(swCFile& file);
void dibTintColourTable(PackedDib& dib, COLORREF tint, COLORREF key);
std::vector<uint8_t> dibMirroredRows(const PackedDib& dib, int flags);
