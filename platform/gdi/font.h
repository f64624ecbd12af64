// Fonts: the faces the game names mapped to the IPA fonts, rendered by FreeType and cached per
// (face, size, weight, slant) and per glyph. Thread-safe: text is drawn from several threads.
#pragma once

#include "platform/gdi/wingdi.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform::gdi {

// A rendered glyph: coverage 0..255 per pixel (only 0 and 255 at small sizes), placed at
// (pen x + left, baseline - top).
struct Glyph {
    int width = 0;
    int height = 0;
    int left = 0;
    int top = 0;
    int advance = 0;
    std::vector<uint8_t> coverage;
};

struct FontMetrics {
    int emPixels = 0;
    int ascent = 0;
    int descent = 0;
    int averageWidth = 0;
    int maxWidth = 0;
    bool fixedPitch = false;
    int underlinePosition = 0; // rows below the baseline
    int lineThickness = 1;
};

class FontFace {
public:
    virtual ~FontFace() = default;
    virtual const FontMetrics& metrics() const = 0;
    // Never null; a character the face lacks gets the face's missing-glyph box.
    virtual const Glyph& glyph(char32_t code) = 0;
    int advance(char32_t code) { return glyph(code).advance; }
};

// CP932 face names the game asks for: "ＭＳ ゴシック", "ＭＳ Ｐゴシック", "ＭＳ 明朝", "ＭＳ Ｐ明朝".
extern const char kFaceGothic[];
extern const char kFacePGothic[];
extern const char kFaceMincho[];
extern const char kFacePMincho[];

// The face for a logical font; null only when no IPA font file can be found.
std::shared_ptr<FontFace> resolveFont(const LOGFONTA& log);
// The CP932 face name a logical font is shown under (GetTextFaceA).
std::string faceNameFor(const LOGFONTA& log);

} // namespace platform::gdi
