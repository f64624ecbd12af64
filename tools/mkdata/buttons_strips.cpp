// "tkbmp" button strips: every bitmap button's faces where its class cuts them, with labels, and
// the pictures that share a strip with its buttons.
#include "lib/media/bitmap_button_layout.h"
#include "tools/mkdata/base_bitmaps.h"
#include "tools/mkdata/bmp_writer.h"
#include "tools/mkdata/buttons_sheets.h"
#include "tools/mkdata/buttons_text.h"
#include "tools/mkdata/generator.h"

#include <algorithm>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace mkdata::buttons {
namespace {

using bitmap_buttons::ButtonKind;
using bitmap_buttons::FaceRect;

struct Label {
    ButtonKind kind;
    int image;
    const char* text;
    // 0: the size the face's height suggests.
    int pixelHeight = 0;
    bool bold = false;
};

const Label kLabels[] = {
    // The troop tables' column headers and the troop list's buttons.
    { ButtonKind::Button24x20, 0, "番号", 11 },
    { ButtonKind::Button24x20, 1, "兵種", 11 },
    { ButtonKind::Button24x20, 2, "ﾀｰﾝ", 11 },
    { ButtonKind::Button48x20, 4, "状態" },
    { ButtonKind::Button48x20, 5, "座標" },
    { ButtonKind::Button228x20, 0, "兵器名" },
    { ButtonKind::Button228x20, 1, "部隊名" },
    { ButtonKind::Button32x20, 0, "機数" },
    { ButtonKind::Button32x20, 1, "疲労" },
    { ButtonKind::Button32x20, 2, "燃料" },
    { ButtonKind::Button28x20, 0, "ﾚﾍﾞﾙ", 11 },
    { ButtonKind::Button48x16, 0, "詳細" },
    { ButtonKind::Button48x16, 1, "改名" },
    { ButtonKind::Button48x16, 2, "位置" },
    { ButtonKind::Button48x16, 3, "解散" },
    { ButtonKind::Button100x26, 0, "戻る" },
    { ButtonKind::Button100x26, 1, "次へ" },
    { ButtonKind::Button100x26, 2, "開始" },
    { ButtonKind::Button100x26, 3, "マップ設定" },
    { ButtonKind::Button100x26, 4, "OK" },
    { ButtonKind::Button100x26, 5, "閉じる" },
    { ButtonKind::EndButton88x32, 0, "前へ" },
    { ButtonKind::EndButton88x32, 1, "次へ" },
    { ButtonKind::EndButton88x32, 2, "終了" },
    { ButtonKind::InfoButton80x24, 0, "前へ" },
    { ButtonKind::InfoButton80x24, 1, "次へ" },
    { ButtonKind::InfoButton80x24, 2, "閉じる" },
    { ButtonKind::InfoButton56x24, 0, "基本型" },
    { ButtonKind::InfoButton72x24, 0, "性能" },
    { ButtonKind::InfoButton72x24, 1, "移動" },
    { ButtonKind::InfoButton72x24, 2, "兵装" },
    { ButtonKind::InfoButton72x24, 3, "搭載" },
    { ButtonKind::InfoButton48x16, 0, "１" },
    { ButtonKind::InfoButton48x16, 1, "２" },
    { ButtonKind::InfoButton48x16, 2, "３" },
    { ButtonKind::InfoButton48x16, 3, "４" },
    { ButtonKind::ChangeButton144x40, 0, "セット１" },
    { ButtonKind::ChangeButton144x40, 1, "セット２" },
    { ButtonKind::ChangeButton144x40, 2, "セット３" },
    { ButtonKind::ChangeButton144x40, 3, "セット４" },
    { ButtonKind::ChangeButton144x40, 4, "決定" },
    { ButtonKind::ChangeButton144x40, 5, "ｷｬﾝｾﾙ" },
    { ButtonKind::EditGridButton72x24, 0, "編集" },
    { ButtonKind::EditGridButton72x24, 1, "新規" },
    { ButtonKind::EditGridButton72x24, 2, "閉じる" },
    { ButtonKind::EditButton72x24, 0, "コピー" },
    { ButtonKind::EditButton96x24, 0, "書き出し" },
    { ButtonKind::WeaponListButton, 0, "分類" },
    { ButtonKind::WeaponListButton, 1, "名称" },
    { ButtonKind::WeaponListButton, 2, "数" },
    { ButtonKind::WeaponListButton, 3, "コスト" },
    { ButtonKind::WeaponListButton, 4, "射程" },
    { ButtonKind::EditSheetButton, 6, "追加" },
    { ButtonKind::EditSheetButton, 7, "削除" },
    { ButtonKind::EditSheetButton, 8, "ユニット情報" },
    { ButtonKind::EditSheetButton, 9, "保存" },
    { ButtonKind::EditSheetButton, 10, "閉じる" },
    { ButtonKind::EditSheetButton, 11, "分類" },
    { ButtonKind::EditSheetButton, 12, "名称" },
    { ButtonKind::EditSheetButton, 13, "分類" },
    { ButtonKind::EditSheetButton, 14, "名称" },
    { ButtonKind::EditSheetButton, 15, "コスト" },
    { ButtonKind::PanelButton80x24, 0, "OK" },
    { ButtonKind::PanelButton80x24, 1, "中止" },
    { ButtonKind::Button96x20, 0, "分類" },
    { ButtonKind::Button272x20, 0, "名称" },
    { ButtonKind::Button68x20, 0, "価格" },
    { ButtonKind::MergeButton, 0, "←" },
    { ButtonKind::MergeButton, 1, "→" },
    { ButtonKind::MergeButton, 2, "実行" },
    { ButtonKind::MergeButton, 3, "ｷｬﾝｾﾙ" },
    { ButtonKind::ComButton72x24, 0, "行動終了" },
    { ButtonKind::ComButton72x24, 1, "キャンセル" },
    { ButtonKind::ToolButton80x24, 0, "新規ゲーム" },
    { ButtonKind::ToolButton80x24, 1, "ゲーム再開" },
    { ButtonKind::ToolButton80x24, 2, "保存" },
    { ButtonKind::ToolButton80x24, 3, "フェイズ終了" },
    { ButtonKind::ToolButton80x24, 4, "ターン終了" },
    { ButtonKind::ToolButton80x24, 5, "環境設定" },
    { ButtonKind::ToolButton40x24, 0, "小" },
    { ButtonKind::ToolButton40x24, 1, "中" },
    { ButtonKind::ToolButton40x24, 2, "大" },
};

// Command button i stands for unit command i + 1: one glyph of its name, as the palette writes
// the whole name beside it.
const char* const kCommandGlyphs[] = { "攻", "射", "占", "変", "破", "妨", "修", "強", "合", "分", "収", "搭", "空",
    "換", "橋", "砦", "道", "補", "解", "乗", "放", "爆", "地", "掃" };

Label commandGlyph(int image)
{
    return { ButtonKind::ComButton24x24, image, kCommandGlyphs[image], 16, true };
}

std::optional<Label> labelFor(ButtonKind kind, int image)
{
    if (kind == ButtonKind::ComButton24x24 && image >= 0 && image < int(std::size(kCommandGlyphs)))
        return commandGlyph(image);
    for (const Label& label : kLabels) {
        if (label.kind == kind && label.image == image)
            return label;
    }
    return std::nullopt;
}

// Beside the eight countries' check marks the strip holds a ninth, unowned column at x 144: the
// facility tables head their columns with all nine.
constexpr int kUnownedMark = 8;

struct Colours {
    uint8_t back, face, light, dark, text, pressedFace, disabledFace, disabledText, focus, mark, selectedRow;
};

enum class Face { Normal, Pressed, Disabled, Focus };

void drawFace(Canvas& canvas, const Colours& c, const FaceRect& r, Face face, ButtonKind kind, int image)
{
    const bool pressed = face == Face::Pressed;
    const uint8_t fill = pressed ? c.pressedFace : face == Face::Disabled ? c.disabledFace : c.face;
    canvas.fillRect(r.left, r.top, r.right, r.bottom, fill);
    // Raised: light above and left; sunken: the other way round.
    const uint8_t topLeft = pressed ? c.dark : c.light;
    const uint8_t bottomRight = pressed ? c.light : c.dark;
    canvas.line(r.left, r.top, r.right - 1, r.top, topLeft);
    canvas.line(r.left, r.top, r.left, r.bottom - 1, topLeft);
    canvas.line(r.left, r.bottom - 1, r.right - 1, r.bottom - 1, bottomRight);
    canvas.line(r.right - 1, r.top, r.right - 1, r.bottom - 1, bottomRight);
    if (face == Face::Focus)
        canvas.frameRect(r.left + 2, r.top + 2, r.right - 2, r.bottom - 2, c.focus);
    const int shift = pressed ? 1 : 0;
    const uint8_t ink = face == Face::Disabled ? c.disabledText : c.text;
    if (const std::optional<Label> label = labelFor(kind, image)) {
        const int size = label->pixelHeight ? label->pixelHeight : r.height() >= 26 ? 14 : 12;
        drawLabel(canvas, r.left + shift, r.top + shift, r.right + shift, r.bottom + shift, label->text, ink, size,
            label->bold || r.height() >= 32);
        return;
    }
    // Buttons without words carry a small mark that tells them apart.
    const int cx = (r.left + r.right) / 2 + shift;
    const int cy = (r.top + r.bottom) / 2 + shift;
    const int size = std::max(2, std::min(r.width(), r.height()) / 4);
    switch (image % 4) {
    case 0:
        canvas.fillCircle(cx, cy, size, ink);
        break;
    case 1:
        canvas.fillRect(cx - size, cy - size, cx + size, cy + size, ink);
        break;
    case 2:
        canvas.fillPolygon({ { cx - size, cy + size }, { cx + size, cy + size }, { cx, cy - size } }, ink);
        break;
    default:
        canvas.fillPolygon({ { cx - size, cy - size }, { cx + size, cy }, { cx - size, cy + size } }, ink);
        break;
    }
}

// Check marks: a box in the side's colour (as the map and its thumbnails show it), empty in the
// normal rows, ticked above them.
void drawCheckMark(Canvas& canvas, Palette& palette, const Colours& c, const FaceRect& r, int image, bool ticked)
{
    const uint8_t colour = palette.index(base::sideColours()[size_t(image % 9)]);
    canvas.fillRect(r.left, r.top, r.right, r.bottom, c.back);
    canvas.fillRect(r.left + 2, r.top + 1, r.right - 2, r.bottom - 1, colour);
    canvas.frameRect(r.left + 2, r.top + 1, r.right - 2, r.bottom - 1, c.dark);
    if (ticked) {
        canvas.line(r.left + 5, r.top + 7, r.left + 8, r.top + 10, c.mark);
        canvas.line(r.left + 8, r.top + 10, r.left + 13, r.top + 3, c.mark);
        canvas.line(r.left + 5, r.top + 6, r.left + 8, r.top + 9, c.mark);
        canvas.line(r.left + 8, r.top + 9, r.left + 13, r.top + 2, c.mark);
    }
}

struct Placed {
    ButtonKind kind;
    int image;
    bitmap_buttons::ButtonLayout layout;
};

// A list row drawn selected: a lit bar with a sunken rim, for the white text the lists write on it.
void drawSelectedRow(Canvas& canvas, const Colours& c, const FaceRect& r)
{
    canvas.fillRect(r.left, r.top, r.right, r.bottom, c.selectedRow);
    canvas.line(r.left, r.top, r.right - 1, r.top, c.dark);
    canvas.line(r.left, r.bottom - 1, r.right - 1, r.bottom - 1, c.light);
    canvas.frameRect(r.left + 1, r.top + 1, r.right - 1, r.bottom - 1, c.focus);
}

void writeStrip(const std::filesystem::path& programFolder, const std::string& file, const std::vector<Placed>& buttons)
{
    std::vector<FaceRect> rows;
    if (file == bitmap_buttons::kEditStripFile)
        rows.assign(std::begin(bitmap_buttons::kEditSelectedRows), std::end(bitmap_buttons::kEditSelectedRows));
    const SheetSize sheet = sheetSize(file);
    int width = sheet.width;
    int height = sheet.height;
    for (const Placed& p : buttons) {
        for (const FaceRect& r : { p.layout.normal, p.layout.pressed, p.layout.disabled, p.layout.focus }) {
            width = std::max(width, r.right);
            height = std::max(height, r.bottom);
        }
    }
    for (const FaceRect& r : rows) {
        width = std::max(width, r.right);
        height = std::max(height, r.bottom);
    }
    Palette palette;
    Colours c {};
    c.back = palette.index({ 24, 28, 22 });
    c.face = palette.index({ 92, 104, 84 });
    c.light = palette.index({ 176, 186, 160 });
    c.dark = palette.index({ 34, 38, 30 });
    c.text = palette.index({ 244, 244, 232 });
    c.pressedFace = palette.index({ 64, 74, 58 });
    c.disabledFace = palette.index({ 104, 104, 100 });
    c.disabledText = palette.index({ 160, 160, 156 });
    c.focus = palette.index({ 236, 200, 80 });
    c.mark = palette.index({ 255, 255, 255 });
    c.selectedRow = rows.empty() ? c.back : palette.index({ 52, 86, 140 });
    Canvas canvas(width, height, c.back);
    for (const FaceRect& r : rows)
        drawSelectedRow(canvas, c, r);
    paintSheetPictures(file, canvas, palette);
    for (const Placed& p : buttons) {
        const auto& l = p.layout;
        if (p.kind == ButtonKind::CheckMarkButton) {
            drawCheckMark(canvas, palette, c, l.normal, p.image, false);
            drawCheckMark(canvas, palette, c, l.pressed, p.image, true);
            continue;
        }
        // Faces that share rows: the normal face wins over the disabled one, the pressed over both.
        if (!(l.disabled == l.normal) && !(l.disabled == l.pressed))
            drawFace(canvas, c, l.disabled, Face::Disabled, p.kind, p.image);
        drawFace(canvas, c, l.normal, Face::Normal, p.kind, p.image);
        if (!(l.pressed == l.normal))
            drawFace(canvas, c, l.pressed, Face::Pressed, p.kind, p.image);
        if (l.hasFocusFace)
            drawFace(canvas, c, l.focus, Face::Focus, p.kind, p.image);
    }
    writeFile(programFolder / "tkbmp" / file, encodeBmp8(canvas, palette));
}

void writeButtonStrips(const std::filesystem::path& programFolder)
{
    std::map<std::string, std::vector<Placed>> strips;
    for (int k = 0; k < bitmap_buttons::kButtonKindCount; ++k) {
        const auto kind = ButtonKind(k);
        for (int i = 0; i < bitmap_buttons::buttonImageCount(kind); ++i) {
            const auto layout = bitmap_buttons::buttonLayout(kind, i);
            strips[layout.file].push_back({ kind, i, layout });
        }
    }
    {
        auto unowned = bitmap_buttons::buttonLayout(ButtonKind::CheckMarkButton, 0);
        const int x = unowned.normal.width() * kUnownedMark;
        unowned.normal = { x, unowned.normal.top, x + unowned.normal.width(), unowned.normal.bottom };
        unowned.pressed = { x, unowned.pressed.top, x + unowned.pressed.width(), unowned.pressed.bottom };
        unowned.disabled = unowned.normal;
        strips[unowned.file].push_back({ ButtonKind::CheckMarkButton, kUnownedMark, unowned });
    }
    for (const auto& [file, buttons] : strips)
        writeStrip(programFolder, file, buttons);
}

} // namespace

MKDATA_GENERATOR("buttons_strips", writeButtonStrips);

} // namespace mkdata::buttons
