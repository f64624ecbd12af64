// swCButton: which face each item state draws, the raised and sunken look without a pressed
// face, the focus frame, transparency, and nothing drawn for a face that is missing.
#include "button_strips.h"
#include "lib/error.h"
#include "lib/media/button.h"
#include "picture_checks.h"
#include "tests/lib/temp_program_folder.h"
#include "tests/lib/window_test_support.h"

#include <gtest/gtest.h>

#include <tuple>

using testing_buttons::Fill;

namespace {

constexpr COLORREF kBack = RGB(10, 20, 30);
constexpr COLORREF kButtonNormal = RGB(200, 0, 0);
constexpr COLORREF kButtonPressed = RGB(0, 200, 0);
constexpr COLORREF kButtonDisabled = RGB(0, 0, 200);
constexpr COLORREF kFocus = RGB(200, 200, 0);
constexpr COLORREF kButtonMagenta = RGB(255, 0, 255);

class ButtonDrawTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        testing_lib::initApplication();
        ASSERT_TRUE(parent.Create());
        // Four 20 × 16 faces side by side; the focus face has a magenta corner.
        testing_buttons::writeStrip(folder.host("faces.bmp"), 80, 16,
            { { { 0, 0, 20, 16 }, kButtonNormal }, { { 20, 0, 40, 16 }, kButtonPressed }, { { 40, 0, 60, 16 }, kButtonDisabled },
                { { 60, 0, 80, 16 }, kFocus }, { { 60, 0, 64, 4 }, kButtonMagenta } });
        path = folder.path() + "/faces.bmp";
    }
    void TearDown() override { testing_lib::destroyAllWindows(); }

    // Draws the button in the state onto a fresh canvas of the background colour.
    COLORREF draw(swCButton& button, UINT state, int x, int y)
    {
        canvas = std::make_unique<testing_pictures::Canvas>(24, 20, kBack);
        DRAWITEMSTRUCT item {};
        item.CtlType = ODT_BUTTON;
        item.itemState = state;
        item.hDC = canvas->dc();
        item.rcItem = { 0, 0, 20, 16 };
        button.DrawItem(&item);
        return canvas->at(x, y);
    }
    void withFaces(swCButton& button, bool pressedFace)
    {
        const RECT normal { 0, 0, 20, 16 };
        const RECT pressed = pressedFace ? RECT { 20, 0, 40, 16 } : normal;
        button.buttonSetFaces(path.c_str(), normal, pressed, { 40, 0, 60, 16 });
    }

    testing_lib::TempProgramFolder folder { "button" };
    testing_lib::TopWindow parent { "LibButtonDrawParent" };
    std::string path;
    std::unique_ptr<testing_pictures::Canvas> canvas;
};

TEST_F(ButtonDrawTest, EachStateDrawsItsFace)
{
    swCButton button(&parent, 10, BS_OWNERDRAW);
    withFaces(button, true);
    EXPECT_EQ(button.faceRect().right, 20);
    EXPECT_EQ(button.faceRect().bottom, 16);
    EXPECT_EQ(draw(button, 0, 10, 8), kButtonNormal);
    EXPECT_EQ(draw(button, ODS_SELECTED | ODS_DISABLED, 10, 8), kButtonPressed);
    EXPECT_EQ(draw(button, ODS_DISABLED | ODS_FOCUS, 10, 8), kButtonDisabled);
    // Focused without a focus face: the normal face with a frame inside it that stands out from
    // the face, white on this dark red one, dark grey on a light one.
    EXPECT_EQ(draw(button, ODS_FOCUS, 10, 8), kButtonNormal);
    EXPECT_EQ(canvas->at(3, 3), RGB(255, 255, 255));
    EXPECT_EQ(canvas->at(16, 12), RGB(255, 255, 255));
    EXPECT_EQ(canvas->at(17, 12), kButtonNormal);
    swCButton light(&parent, 11, BS_OWNERDRAW);
    light.buttonSetFaces(path.c_str(), { 60, 0, 80, 16 }, { 20, 0, 40, 16 }, { 40, 0, 60, 16 });
    EXPECT_EQ(draw(light, ODS_FOCUS, 10, 8), kFocus);
    EXPECT_EQ(canvas->at(16, 12), RGB(64, 64, 64));

    button.buttonSetFocusFace(path.c_str(), { 60, 0, 80, 16 });
    EXPECT_EQ(draw(button, ODS_FOCUS, 10, 8), kFocus);
    EXPECT_EQ(canvas->at(3, 3), kButtonMagenta);

    button.setIgnoreDisabled(true);
    EXPECT_EQ(draw(button, ODS_DISABLED, 10, 8), kButtonNormal);
    button.setHeldPressed(true);
    EXPECT_EQ(draw(button, 0, 10, 8), kButtonPressed);
}

TEST_F(ButtonDrawTest, TransparentFacesLeaveTheKeyColourOut)
{
    swCButton button(&parent, 10, BS_OWNERDRAW);
    withFaces(button, true);
    button.buttonSetFocusFace(path.c_str(), { 60, 0, 80, 16 });
    button.setTransparent(true, 0x02FF00FF);
    EXPECT_EQ(draw(button, ODS_FOCUS, 2, 2), kBack);
    EXPECT_EQ(canvas->at(10, 8), kFocus);
}

TEST_F(ButtonDrawTest, WithoutAPressedFaceThePressedButtonIsShiftedAndSunken)
{
    swCButton button(&parent, 10, BS_OWNERDRAW);
    button.buttonSetNormalFace(loadFace(path.c_str(), { 0, 0, 20, 16 }), { 0, 0, 20, 16 });
    ASSERT_EQ(button.pressedFace(), nullptr);
    draw(button, 0, 0, 0);
    const COLORREF raisedTopLeft = canvas->at(0, 0);
    EXPECT_NE(raisedTopLeft, kButtonNormal);
    EXPECT_EQ(canvas->at(10, 8), kButtonNormal);
    // Pressed: the face one pixel right and down, so the column and row at 0 stay background
    // under the sunken edge, and the face reaches x 20.
    draw(button, ODS_SELECTED, 0, 0);
    EXPECT_NE(canvas->at(0, 0), raisedTopLeft);
    EXPECT_EQ(canvas->at(10, 8), kButtonNormal);
    EXPECT_EQ(canvas->at(20, 16), kButtonNormal);
}

TEST_F(ButtonDrawTest, AMissingFaceIsNotDrawn)
{
    swCButton button(&parent, 10, BS_OWNERDRAW);
    EXPECT_EQ(draw(button, 0, 10, 8), kBack);
    EXPECT_EQ(draw(button, ODS_SELECTED, 10, 8), kBack);
    EXPECT_EQ(draw(button, ODS_DISABLED, 10, 8), kBack);
}

TEST_F(ButtonDrawTest, AFaceThatCannotBeLoadedThrowsAndKeepsTheOldFaces)
{
    swCButton button(&parent, 10, BS_OWNERDRAW);
    withFaces(button, true);
    const std::string missing = folder.path() + "/none.bmp";
    bool thrown = false;
    try {
        button.buttonSetFaces(missing.c_str(), { 0, 0, 8, 8 }, { 0, 0, 8, 8 }, { 0, 0, 8, 8 });
    } catch (swCError* error) {
        delete error;
        thrown = true;
    }
    EXPECT_TRUE(thrown);
    EXPECT_EQ(draw(button, ODS_SELECTED, 10, 8), kButtonPressed);
}

TEST_F(ButtonDrawTest, ALatchedRowHoldsOnlyTheChosenButtonPressedAndPassesOverGaps)
{
    swCButton first(&parent, 10, 0), third(&parent, 12, 0);
    first.controlCreate({ 0, 0, 20, 16 });
    third.controlCreate({ 40, 0, 20, 16 });
    swCButton* row[] = { &first, nullptr, &third };
    withFaces(first, true);
    for (auto [chosen, firstHeld, thirdHeld] : { std::tuple { 2, false, true }, { 0, true, false }, { -1, false, false } }) {
        latchOne(row, chosen);
        EXPECT_EQ(first.heldPressed(), firstHeld) << chosen;
        EXPECT_EQ(third.heldPressed(), thirdHeld) << chosen;
    }
    first.holdPressed(true);
    EXPECT_EQ(draw(first, 0, 10, 8), kButtonPressed) << "a held button draws pressed whatever its state";
}

} // namespace
