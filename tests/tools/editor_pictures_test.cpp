// The editors' pictures: the selected-row strips of "edit_btn.bmp" lie clear of every button face
// cut from that sheet, and the sheet and the rule list's background have the sizes the windows cut.
#include "lib/media/bitmap_button_layout.h"
#include "tests/tools/sheet_pictures.h"

#include <gtest/gtest.h>

#include <iterator>

namespace {

using bitmap_buttons::FaceRect;

bool overlap(const FaceRect& a, const FaceRect& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

TEST(EditSheet, SelectedRowStripsOverlapNoFaceAndNoOtherStrip)
{
    using namespace bitmap_buttons;
    const auto& rows = kEditSelectedRows;
    int faces = 0;
    for (int k = 0; k < kButtonKindCount; ++k) {
        const auto kind = ButtonKind(k);
        for (int i = 0; i < buttonImageCount(kind); ++i) {
            const ButtonLayout layout = buttonLayout(kind, i);
            if (std::string(layout.file) != kEditStripFile)
                continue;
            ++faces;
            for (const FaceRect& face : { layout.normal, layout.pressed, layout.disabled })
                for (const FaceRect& row : rows)
                    EXPECT_FALSE(overlap(face, row)) << buttonKindName(kind) << " " << i << " over the strip at "
                                                     << row.left << "," << row.top;
        }
    }
    EXPECT_GT(faces, 20);
    for (size_t a = 0; a < std::size(rows); ++a)
        for (size_t b = a + 1; b < std::size(rows); ++b)
            EXPECT_FALSE(overlap(rows[a], rows[b])) << a << " " << b;
}

TEST(EditSheet, GeneratedSheetHoldsTheStripsAndTheRuleListBackgroundItsWindow)
{
    const testing_sheets::Picture sheet = testing_sheets::readSheet(bitmap_buttons::kEditStripFile);
    EXPECT_EQ(sheet.width, 640);
    EXPECT_EQ(sheet.height, 340);
    ASSERT_FALSE(sheet.pixels.empty());
    // Each strip is drawn: its middle differs from the empty sheet beside the last strip.
    const uint32_t empty = sheet.at(600, 330);
    for (const FaceRect& row : bitmap_buttons::kEditSelectedRows)
        EXPECT_NE(sheet.at((row.left + row.right) / 2, (row.top + row.bottom) / 2), empty) << row.top;

    const testing_sheets::Picture list = testing_sheets::readSheet("slot_rule.bmp");
    EXPECT_EQ(list.width, 248);
    EXPECT_EQ(list.height, 480);
    ASSERT_FALSE(list.pixels.empty());
    // Rows alternate under the list's white text: both shades stay dark.
    for (int row : { 0, 1 }) {
        const uint32_t c = list.at(8 + 40, 36 + 20 * row + 10);
        EXPECT_LT((c >> 16) + (c >> 8 & 0xFF) + (c & 0xFF), 3 * 96) << row;
    }
    EXPECT_NE(list.at(8 + 40, 36 + 10), list.at(8 + 40, 36 + 30));
}

} // namespace
