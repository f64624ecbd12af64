// FreeType faces for the IPA fonts, with per-size and per-glyph caches.
#include "platform/gdi/font.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <cmath>
#include <cstring>
#include <filesystem>
#include <map>
#include <mutex>
#include <tuple>
#include <unordered_map>

namespace platform::gdi {

const char kFaceGothic[] = "\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e";
const char kFacePGothic[] = "\x82\x6c\x82\x72 \x82\x6f\x83\x53\x83\x56\x83\x62\x83\x4e";
const char kFaceMincho[] = "\x82\x6c\x82\x72 \x96\xbe\x92\xa9";
const char kFacePMincho[] = "\x82\x6c\x82\x72 \x82\x6f\x96\xbe\x92\xa9";

namespace {

struct FaceFile {
    const char* name;
    const char* folder;
    const char* file;
};

const FaceFile kFaces[] = {
    { kFaceGothic, "/usr/share/fonts/opentype/ipafont-gothic/", "ipag.ttf" },
    { kFacePGothic, "/usr/share/fonts/opentype/ipafont-gothic/", "ipagp.ttf" },
    { kFaceMincho, "/usr/share/fonts/opentype/ipafont-mincho/", "ipam.ttf" },
    { kFacePMincho, "/usr/share/fonts/opentype/ipafont-mincho/", "ipamp.ttf" },
};
constexpr int kDefaultFace = 1;

int faceIndex(const LOGFONTA& log)
{
    char name[LF_FACESIZE + 1] {};
    std::memcpy(name, log.lfFaceName, LF_FACESIZE);
    for (int i = 0; i < 4; ++i)
        if (std::strcmp(name, kFaces[i].name) == 0)
            return i;
    // Any other name: the proportional gothic, or the fixed one when fixed pitch is asked for.
    return (log.lfPitchAndFamily & 3) == FIXED_PITCH ? 0 : kDefaultFace;
}

// The fixed Debian path, else the first file of that name under /usr/share/fonts.
std::string findFontFile(const FaceFile& face)
{
    std::string fixed = std::string(face.folder) + face.file;
    std::error_code error;
    if (std::filesystem::exists(fixed, error))
        return fixed;
    for (auto it = std::filesystem::recursive_directory_iterator("/usr/share/fonts", error);
         !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
        if (it->path().filename() == face.file)
            return it->path().string();
    }
    return {};
}

// Up to this size glyphs are rendered one bit deep: crisp and identical from run to run.
constexpr int kMonoLimit = 20;

struct Library {
    FT_Library library = nullptr;
    std::mutex mutex;
    Library() { FT_Init_FreeType(&library); }
};

// The library and the face cache live until the process ends: threads may still draw text
// while static objects are being destroyed.
Library& library()
{
    static Library* instance = new Library;
    return *instance;
}

class FreeTypeFace final : public FontFace {
public:
    FreeTypeFace(FT_Face face, int em, bool bold, bool italic)
        : m_face(face)
        , m_bold(bold)
    {
        FT_Set_Pixel_Sizes(face, 0, FT_UInt(em));
        if (italic) {
            FT_Matrix shear { 0x10000, 0x3800, 0, 0x10000 };
            FT_Set_Transform(face, &shear, nullptr);
        }
        double scale = double(em) / face->units_per_EM;
        int total = int(std::lround((face->ascender - face->descender) * scale));
        m_metrics.emPixels = em;
        m_metrics.ascent = int(std::lround(face->ascender * scale));
        m_metrics.descent = std::max(1, total - m_metrics.ascent);
        m_metrics.underlinePosition = std::max(1, int(std::lround(-face->underline_position * scale)));
        m_metrics.lineThickness = std::max(1, int(std::lround(face->underline_thickness * scale)));
        m_metrics.averageWidth = advance(U'x');
        m_metrics.maxWidth = std::max(advance(U'\x6F22'), advance(U'W'));
        m_metrics.fixedPitch = advance(U'i') == advance(U'W');
    }
    ~FreeTypeFace() override
    {
        std::lock_guard lock(library().mutex);
        FT_Done_Face(m_face);
    }

    const FontMetrics& metrics() const override { return m_metrics; }

    const Glyph& glyph(char32_t code) override
    {
        std::lock_guard lock(m_mutex);
        auto it = m_glyphs.find(code);
        if (it != m_glyphs.end())
            return *it->second;
        auto glyph = std::make_unique<Glyph>(render(code));
        return *m_glyphs.emplace(code, std::move(glyph)).first->second;
    }

private:
    Glyph render(char32_t code)
    {
        Glyph g;
        bool mono = m_metrics.emPixels <= kMonoLimit;
        FT_Int32 flags = FT_LOAD_RENDER | FT_LOAD_NO_BITMAP | (mono ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_NORMAL);
        if (FT_Load_Char(m_face, code, flags) != 0)
            return g;
        FT_GlyphSlot slot = m_face->glyph;
        const FT_Bitmap& bitmap = slot->bitmap;
        g.width = int(bitmap.width);
        g.height = int(bitmap.rows);
        g.left = slot->bitmap_left;
        g.top = slot->bitmap_top;
        g.advance = int((slot->advance.x + 32) >> 6);
        g.coverage.assign(size_t(g.width) * size_t(g.height), 0);
        for (int y = 0; y < g.height; ++y) {
            const uint8_t* row = bitmap.buffer + ptrdiff_t(y) * bitmap.pitch;
            for (int x = 0; x < g.width; ++x) {
                uint8_t value = bitmap.pixel_mode == FT_PIXEL_MODE_MONO ? ((row[x >> 3] >> (7 - (x & 7))) & 1) * 255
                                                                        : row[x];
                g.coverage[size_t(y) * size_t(g.width) + size_t(x)] = value;
            }
        }
        if (m_bold)
            embolden(g);
        return g;
    }

    // Bold by a one-pixel overstrike: one column wider, one pixel more advance.
    static void embolden(Glyph& g)
    {
        if (g.width > 0) {
            std::vector<uint8_t> wide(size_t(g.width + 1) * size_t(g.height), 0);
            for (int y = 0; y < g.height; ++y)
                for (int x = 0; x <= g.width; ++x) {
                    uint8_t a = x < g.width ? g.coverage[size_t(y * g.width + x)] : 0;
                    uint8_t b = x > 0 ? g.coverage[size_t(y * g.width + x - 1)] : 0;
                    wide[size_t(y * (g.width + 1) + x)] = std::max(a, b);
                }
            g.coverage = std::move(wide);
            ++g.width;
        }
        ++g.advance;
    }

    FT_Face m_face;
    bool m_bold;
    FontMetrics m_metrics;
    std::mutex m_mutex;
    std::unordered_map<char32_t, std::unique_ptr<Glyph>> m_glyphs;
};

int emPixelsFor(const LOGFONTA& log)
{
    // The IPA faces' ascender and descender add up to one em, so a cell height is an em height.
    LONG h = log.lfHeight;
    if (h == 0)
        return 12;
    h = h < 0 ? -h : h;
    return int(std::min<LONG>(h, 1000));
}

} // namespace

std::shared_ptr<FontFace> resolveFont(const LOGFONTA& log)
{
    using Key = std::tuple<int, int, bool, bool>;
    static std::mutex mutex;
    static auto& faces = *new std::map<Key, std::shared_ptr<FontFace>>;
    static std::string files[4];
    static bool searched[4] = {};

    int index = faceIndex(log);
    int em = emPixelsFor(log);
    bool bold = log.lfWeight >= FW_SEMIBOLD;
    bool italic = log.lfItalic != 0;
    Key key { index, em, bold, italic };

    std::lock_guard lock(mutex);
    auto it = faces.find(key);
    if (it != faces.end())
        return it->second;
    // A missing face falls back to the other IPA files, the default first.
    std::string file;
    for (int candidate : { index, kDefaultFace, 0, 2, 3 }) {
        if (!searched[candidate]) {
            files[candidate] = findFontFile(kFaces[candidate]);
            searched[candidate] = true;
        }
        if (!files[candidate].empty()) {
            file = files[candidate];
            break;
        }
    }
    if (file.empty())
        return nullptr;
    FT_Face face = nullptr;
    {
        std::lock_guard libraryLock(library().mutex);
        if (!library().library || FT_New_Face(library().library, file.c_str(), 0, &face) != 0)
            return nullptr;
    }
    auto result = std::make_shared<FreeTypeFace>(face, em, bold, italic);
    faces.emplace(key, result);
    return result;
}

std::string faceNameFor(const LOGFONTA& log) { return kFaces[faceIndex(log)].name; }

} // namespace platform::gdi
