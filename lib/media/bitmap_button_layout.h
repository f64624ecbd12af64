// Where every bitmap button class's faces lie in its strip; header only, shared with mkdata.
#pragma once

#include <array>

namespace bitmap_buttons {

// Left, top, right, bottom in the strip's pixels.
struct FaceRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    constexpr int width() const { return right - left; }
    constexpr int height() const { return bottom - top; }
    constexpr bool operator==(const FaceRect&) const = default;
};

struct ButtonLayout {
    const char* file = "";
    int width = 0;
    int height = 0;
    FaceRect normal;
    FaceRect pressed;
    FaceRect disabled;
    bool hasFocusFace = false;
    FaceRect focus;
    // The first drawing after a mouse release is skipped, so the pressed face stays.
    bool releaseTracking = false;
};

enum class ButtonKind {
    CheckMarkButton, Button24x20, ComButton24x24, Button28x20, Button32x20, Button48x16, Button48x20,
    ComButton72x24, Button68x20, EnvButton80x24, Button96x20, Button100x26, EnvButton172x24,
    Button228x20, Button272x20, PanelButton20x20, PanelButton30x20, PanelButton32x20, ToolButton40x24,
    InfoButton48x16, InfoButton56x24, PanelButton64x20, InfoButton72x24, InfoButton80x24,
    PanelButton80x24, ToolButton80x24, ToolButton160x24, ChangeButton144x40, EditGridButton72x24,
    EditButton72x24, EditButton96x24, WeaponListButton, EditSheetButton, IncomeButton112x32,
    FillTroopButton72x24, SupplyTroopButton72x24, FillTroopButton96x24, SupplyTroopButton96x24,
    FillTroopButton104x28, SupplyTroopButton104x28, EndButton88x32, AutoMoveSubButton, MergeButton,
};
constexpr int kButtonKindCount = int(ButtonKind::MergeButton) + 1;

namespace detail {

// Button i lies at x0 + step × i with the same rows for every i.
struct Column {
    const char* name;
    const char* file;
    int width, height, x0, step;
    int normalTop, pressedTop, disabledTop;
    int images; // how many buttons the strip holds
    bool releaseTracking;
};

constexpr Column kColumns[kButtonKindCount] = {
    { "CheckMarkButton", "cmark18_14.bmp", 18, 14, 0, 18, 14, 0, 0, 8, true },
    { "Button24x20", "btn24x20.bmp", 24, 20, 0, 24, 0, 20, 20, 8, false },
    { "ComButton24x24", "com_btn.bmp", 24, 24, 0, 24, 0, 24, 48, 24, false },
    { "Button28x20", "btn28x20.bmp", 28, 20, 0, 28, 0, 20, 20, 8, false },
    { "Button32x20", "btn32x20.bmp", 32, 20, 0, 32, 0, 20, 20, 8, false },
    { "Button48x16", "btn48x16.bmp", 48, 16, 0, 48, 0, 16, 32, 8, false },
    { "Button48x20", "btn48x20.bmp", 48, 20, 0, 48, 0, 20, 40, 8, false },
    { "ComButton72x24", "com_btn.bmp", 72, 24, 576, 72, 0, 24, 48, 4, false },
    { "Button68x20", "btn68x20.bmp", 68, 20, 0, 68, 0, 20, 20, 8, false },
    { "EnvButton80x24", "env_btn.bmp", 80, 24, 0, 80, 0, 24, 24, 2, false },
    { "Button96x20", "btn96x20.bmp", 96, 20, 0, 96, 0, 20, 20, 8, false },
    { "Button100x26", "btn100x26.bmp", 100, 26, 0, 100, 0, 26, 52, 6, false },
    { "EnvButton172x24", "env_btn.bmp", 172, 24, 160, 0, 0, 24, 0, 1, false },
    { "Button228x20", "btn228x20.bmp", 228, 20, 0, 228, 0, 20, 20, 4, false },
    { "Button272x20", "btn272x20.bmp", 272, 20, 0, 272, 0, 20, 20, 4, false },
    { "PanelButton20x20", "panel_btn.bmp", 20, 20, 480, 20, 72, 112, 92, 4, false },
    { "PanelButton30x20", "panel_btn.bmp", 30, 20, 192, 30, 0, 20, 0, 4, false },
    { "PanelButton32x20", "panel_btn.bmp", 32, 20, 0, 0, 0, 0, 0, 8, false },
    { "ToolButton40x24", "tool_btn.bmp", 40, 24, 160, 40, 0, 24, 48, 3, false },
    { "InfoButton48x16", "info_btn.bmp", 48, 16, 344, 48, 54, 70, 54, 4, false },
    { "InfoButton56x24", "info_btn.bmp", 56, 24, 0, 0, 72, 96, 120, 1, false },
    { "PanelButton64x20", "panel_btn.bmp", 64, 20, 0, 64, 0, 20, 0, 3, false },
    { "InfoButton72x24", "info_btn.bmp", 72, 24, 56, 72, 72, 96, 96, 4, false },
    { "InfoButton80x24", "info_btn.bmp", 80, 24, 0, 80, 0, 24, 48, 3, false },
    { "PanelButton80x24", "panel_btn.bmp", 80, 24, 320, 80, 72, 96, 120, 2, false },
    { "ToolButton80x24", "tool_btn.bmp", 80, 24, 0, 80, 0, 24, 48, 12, false },
    { "ToolButton160x24", "tool_btn.bmp", 160, 24, 1080, 160, 0, 24, 48, 2, false },
    { "ChangeButton144x40", "change_btn.bmp", 144, 40, 0, 144, 480, 520, 520, 6, false },
    { "EditGridButton72x24", "edit_btn.bmp", 72, 24, 0, 0, 0, 0, 0, 6, false },
    { "EditButton72x24", "edit_btn.bmp", 72, 24, 568, 0, 144, 168, 192, 1, false },
    { "EditButton96x24", "edit_btn.bmp", 96, 24, 544, 0, 216, 240, 264, 1, false },
    { "WeaponListButton", "list_weap.bmp", 0, 24, 0, 0, 0, 24, 24, 5, false },
    { "EditSheetButton", "edit_btn.bmp", 0, 0, 0, 0, 0, 0, 0, 17, false },
    { "IncomeButton112x32", "income.bmp", 112, 32, 264, 0, 0, 32, 32, 1, false },
    { "FillTroopButton72x24", "filltroop.bmp", 72, 24, 288, 72, 84, 108, 132, 3, false },
    { "SupplyTroopButton72x24", "supplytroop.bmp", 72, 24, 288, 72, 84, 108, 132, 3, false },
    { "FillTroopButton96x24", "filltroop.bmp", 96, 24, 288, 96, 156, 180, 204, 3, false },
    { "SupplyTroopButton96x24", "supplytroop.bmp", 96, 24, 288, 96, 156, 180, 204, 3, false },
    { "FillTroopButton104x28", "filltroop.bmp", 104, 28, 288, 104, 0, 28, 56, 3, false },
    { "SupplyTroopButton104x28", "supplytroop.bmp", 104, 28, 288, 104, 0, 28, 56, 3, false },
    { "EndButton88x32", "end_btn.bmp", 88, 32, 0, 88, 0, 32, 64, 3, false },
    { "AutoMoveSubButton", "automove_sub.bmp", 0, 24, 0, 0, 0, 24, 0, 5, true },
    { "MergeButton", "btn_merge.bmp", 0, 0, 0, 0, 0, 0, 0, 4, false },
};

constexpr FaceRect at(int x, int top, int width, int height)
{
    return { x, top, x + width, top + height };
}

constexpr ButtonLayout columnLayout(const Column& c, int width, int height, int x, int normalTop,
    int pressedTop, int disabledTop, bool releaseTracking)
{
    ButtonLayout layout;
    layout.file = c.file;
    layout.width = width;
    layout.height = height;
    layout.normal = at(x, normalTop, width, height);
    layout.pressed = at(x, pressedTop, width, height);
    layout.disabled = at(x, disabledTop, width, height);
    layout.releaseTracking = releaseTracking;
    return layout;
}

constexpr ButtonLayout editSheetLayout(const Column& c, int i)
{
    if (i <= 5)
        return columnLayout(c, 48, 24, 48 * i, 0, 32, 32, true);
    if (i <= 10)
        return columnLayout(c, 96, 32, 96 * (i - 6), 180, 212, 244, false);
    constexpr int widths[6] = { 118, 200, 118, 200, 44, 30 };
    constexpr int xs[6] = { 0, 118, 0, 118, 318, 362 };
    constexpr int tops[6] = { 64, 64, 104, 104, 104, 104 };
    const int k = i - 11;
    return columnLayout(c, widths[k], 20, xs[k], tops[k], tops[k] + 20, tops[k] + 20, false);
}

} // namespace detail

constexpr const char* buttonKindName(ButtonKind kind) { return detail::kColumns[int(kind)].name; }
// How many buttons the strip holds for the class; image indices are 0 to this less one.
constexpr int buttonImageCount(ButtonKind kind) { return detail::kColumns[int(kind)].images; }

// The layout of button i of the class; i must be below buttonImageCount.
constexpr ButtonLayout buttonLayout(ButtonKind kind, int i)
{
    const detail::Column& c = detail::kColumns[int(kind)];
    switch (kind) {
    case ButtonKind::PanelButton32x20: {
        const int r = 20 * (i / 2);
        const int column = 32 * (i % 2);
        ButtonLayout layout = detail::columnLayout(c, 32, 20, 560 + column, r + 16, r + 16, r + 16, false);
        layout.pressed = detail::at(624 + column, r + 16, 32, 20);
        return layout;
    }
    case ButtonKind::ToolButton80x24:
        return detail::columnLayout(c, 80, 24, 80 * i + (i >= 2 ? 120 : 0), 0, 24, 48, false);
    case ButtonKind::EditGridButton72x24: {
        const int g = 72 * (i / 3);
        return detail::columnLayout(c, 72, 24, 72 * (i % 3) + 424, g, g + 24, g + 48, false);
    }
    case ButtonKind::WeaponListButton: {
        constexpr int widths[5] = { 120, 200, 40, 48, 64 };
        constexpr int xs[5] = { 0, 120, 320, 360, 408 };
        return detail::columnLayout(c, widths[i], 24, xs[i], 0, 24, 24, false);
    }
    case ButtonKind::EditSheetButton:
        return detail::editSheetLayout(c, i);
    case ButtonKind::AutoMoveSubButton:
        return i <= 2 ? detail::columnLayout(c, 64, 24, 64 * i, 0, 24, 0, true)
                      : detail::columnLayout(c, 88, 24, 88 * i - 72, 0, 24, 0, true);
    case ButtonKind::MergeButton:
        return i <= 1 ? detail::columnLayout(c, 20, 20, 20 * i, 0, 20, 0, false)
                      : detail::columnLayout(c, 88, 24, 88 * i - 136, 0, 24, 0, false);
    default:
        break;
    }
    ButtonLayout layout = detail::columnLayout(c, c.width, c.height, c.x0 + c.step * i, c.normalTop, c.pressedTop,
        c.disabledTop, c.releaseTracking);
    if (kind == ButtonKind::Button100x26) {
        layout.hasFocusFace = true;
        layout.focus = detail::at(layout.normal.left, 78, 100, 26);
    }
    return layout;
}

// The selected-row strips the editors' lists cut from "edit_btn.bmp", clear of its button faces:
// the production-type editor's right and left lists, the production-type list and the rule list.
constexpr const char* kEditStripFile = "edit_btn.bmp";
constexpr FaceRect kEditSelectedRows[] = {
    { 0, 144, 318, 162 },
    { 0, 162, 362, 180 },
    { 0, 280, 464, 300 },
    { 0, 320, 232, 340 },
};
constexpr FaceRect kRuleListSelectedRow = kEditSelectedRows[3];

} // namespace bitmap_buttons
