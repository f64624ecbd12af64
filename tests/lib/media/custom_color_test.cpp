// Custom colours: the table and "cstmcl.dat" (defaults, short and long files, clamping), and
// the dialog driven through its controls.
#include "button_strips.h"
#include "lib/error.h"
#include "lib/media/custom_color_dialog.h"
#include "lib/media/custom_color_table.h"
#include "tests/lib/temp_program_folder.h"
#include "tests/lib/window_test_support.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

using testing_lib::TempProgramFolder;
using namespace custom_color_ids;
namespace harness = platform::harness;

namespace {

std::vector<uint8_t> readAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
}

void writeAll(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

TEST(CustomColorTable, WithoutAFileTheDefaultsHoldAndTheRestIsZero)
{
    TempProgramFolder folder("cstmcl");
    CustomColorTable table;
    table.clear();
    table.load(folder.path() + "/");
    EXPECT_EQ(table.entry(9).hue, 330);
    EXPECT_EQ(table.entry(0).hue, 140);
    EXPECT_EQ(table.entry(4).hue, 0);
    EXPECT_EQ(table.entry(12), CustomColourEntry {});
    EXPECT_EQ(table.entry(19), CustomColourEntry {});
}

TEST(CustomColorTable, FilesAreReadUpTo120BytesOverTheClearedTableWithHuesClamped)
{
    TempProgramFolder folder("cstmcl");
    const std::string path = folder.host("cstmcl.dat");
    // Entry 0: hue 500 (clamped to 360), second 7, third 0xFFFF; entry 1 cut after its hue.
    writeAll(path, { 0xF4, 0x01, 7, 0, 0xFF, 0xFF, 45, 0 });
    CustomColorTable table;
    table.clear();
    table.load(folder.path() + "/");
    EXPECT_EQ(table.entry(0), (CustomColourEntry { 360, 7, 0xFFFF }));
    EXPECT_EQ(table.entry(1), (CustomColourEntry { 45, 0, 0 }));
    EXPECT_EQ(table.entry(9), CustomColourEntry {});

    std::vector<uint8_t> longer(130, 0);
    longer[6 * 19] = 90;
    longer[120] = 200;
    writeAll(path, longer);
    table.clear();
    table.load(folder.path() + "/");
    EXPECT_EQ(table.entry(19).hue, 90);
    EXPECT_EQ(table.entry(0).hue, 0);
}

TEST(CustomColorTable, SavesTheTableAsStoredAndRoundTrips)
{
    TempProgramFolder folder("cstmcl");
    CustomColorTable table;
    table.clear();
    table.load(folder.path() + "/");
    table.setEntry(4, { 120, 3, 4 });
    table.setEntry(15, { 999, 1, 2 });
    table.save(folder.host("cstmcl.dat"));
    const auto bytes = readAll(folder.host("cstmcl.dat"));
    ASSERT_EQ(bytes.size(), 120u);
    EXPECT_EQ(bytes[24], 0x78);
    EXPECT_EQ(bytes[25], 0x00);
    EXPECT_EQ(bytes[26], 3);
    EXPECT_EQ(bytes[6 * 15], 0x68);
    EXPECT_EQ(bytes[6 * 15 + 1], 0x01);

    CustomColorTable again;
    again.clear();
    again.load(folder.path() + "/");
    EXPECT_EQ(again, table);
}

TEST(CustomColorTable, ASaveIntoAFolderThatCannotHoldTheFileThrowsAFileError)
{
    TempProgramFolder folder("cstmcl");
    std::filesystem::create_directory(folder.host("cstmcl.dat"));
    CustomColorTable table;
    int code = -1;
    try {
        table.save(folder.host("cstmcl.dat"));
    } catch (swCError* error) {
        code = dynamic_cast<swCFileError*>(error) ? error->code() : -2;
        delete error;
    }
    EXPECT_EQ(code, 0);
}

// The dialog runs on its own thread; the test drives it through the desktop's input.
class CustomColorDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        testing_lib::initApplication();
        std::filesystem::create_directories(folder.host("tkbmp"));
        for (const char* picture : { "land48_base.bmp", "land48_build.bmp", "border48.bmp", "ecmcc.bmp", "unit48.bmp" })
            std::filesystem::copy_file(std::filesystem::path(DERAZODO_PROGRAM_DIR) / "tkbmp" / picture, folder.host(std::string("tkbmp/") + picture), std::filesystem::copy_options::overwrite_existing);
        table.clear();
        table.load(folder.path() + "/");
        harness::clearMessageBoxes();
    }
    void TearDown() override
    {
        if (runner.joinable()) {
            if (IsWindow(dialog.handle()))
                PostMessageA(dialog.handle(), WM_COMMAND, kCancel, 0);
            runner.join();
        }
        testing_lib::destroyAllWindows();
    }
    void open()
    {
        runner = std::thread([this] {
            dialog.run();
            finished = true;
        });
        // The queues look idle while the dialog thread is still inside WM_INITDIALOG, so wait
        // for the shown window with its last control first.
        for (int i = 0; i < 2000 && !(IsWindowVisible(dialog.handle()) && item(kCancel)); ++i)
            Sleep(2);
        ASSERT_TRUE(IsWindowVisible(dialog.handle()));
        harness::waitIdle();
    }
    // Any descendant with the id: the swatches sit in a panel inside the tab.
    HWND item(UINT id) const { return testing_lib::descendant(dialog.handle(), int(id)); }
    void clickAt(HWND window, int x, int y)
    {
        POINT p { x, y };
        ClientToScreen(window, &p);
        harness::click(p.x, p.y);
        harness::waitIdle();
    }
    void click(HWND window)
    {
        RECT r {};
        GetClientRect(window, &r);
        clickAt(window, r.right / 2, r.bottom / 2);
    }
    void click(UINT id) { click(item(id)); }
    void typeHue(const char* text)
    {
        click(kNumberBox);
        SendMessageA(item(kNumberBox), EM_SETSEL, 0, -1);
        harness::typeText(text);
        harness::waitIdle();
    }
    int trackbar() const { return int(SendMessageA(item(kTrackbar), TBM_GETPOS, 0, 0)); }
    std::string numberBox() const
    {
        char text[16] = {};
        GetWindowTextA(item(kNumberBox), text, sizeof text);
        return text;
    }
    void showMarkers()
    {
        RECT tab {};
        SendMessageA(item(kTab), TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&tab));
        clickAt(item(kTab), (tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
    }
    void finish()
    {
        for (int i = 0; i < 1000 && !finished; ++i)
            Sleep(2);
        runner.join();
    }

    TempProgramFolder folder { "custom-colour" };
    CustomColorTable table;
    CustomColorDialog dialog { nullptr, table };
    std::thread runner;
    std::atomic<bool> finished = false;
};

TEST_F(CustomColorDialogTest, TrackbarAndNumberBoxFollowEachOtherAndClampTo360)
{
    open();
    EXPECT_EQ(dialog.selectedEntry(), 4);
    EXPECT_EQ(trackbar(), 0);
    EXPECT_EQ(numberBox(), "0");

    typeHue("120");
    EXPECT_EQ(trackbar(), 120);
    EXPECT_EQ(dialog.workingValue().hue, 120);

    click(kTrackbar);
    harness::pressKey(VK_END);
    harness::waitIdle();
    EXPECT_EQ(trackbar(), 360);
    EXPECT_EQ(numberBox(), "360");
    harness::pressKey(VK_LEFT);
    harness::waitIdle();
    EXPECT_EQ(numberBox(), std::to_string(trackbar()));
    EXPECT_EQ(dialog.workingValue().hue, trackbar());

    typeHue("999");
    EXPECT_EQ(numberBox(), "360");
    EXPECT_EQ(trackbar(), 360);
    EXPECT_EQ(dialog.workingValue().hue, 360);
    typeHue("4x5");
    EXPECT_EQ(numberBox(), "45");
    EXPECT_EQ(trackbar(), 45);
}

TEST_F(CustomColorDialogTest, OkSavesAppliedHuesOnlyAndEndsWithOne)
{
    open();
    typeHue("120");
    click(kApply);
    click(item(kFirstSwatch + 1));
    EXPECT_EQ(dialog.selectedEntry(), 5);
    EXPECT_EQ(numberBox(), "130");
    typeHue("10");
    click(kOk);
    finish();
    EXPECT_EQ(dialog.result(), 1);
    EXPECT_EQ(table.entry(4).hue, 120);
    EXPECT_EQ(table.entry(5).hue, 130);
    const auto bytes = readAll(folder.host("cstmcl.dat"));
    ASSERT_EQ(bytes.size(), 120u);
    EXPECT_EQ(bytes[24], 0x78);
    EXPECT_EQ(bytes[25], 0x00);
}

TEST_F(CustomColorDialogTest, CancelLeavesTableAndFileAlone)
{
    open();
    typeHue("77");
    click(kApply);
    click(kCancel);
    finish();
    EXPECT_EQ(dialog.result(), 0);
    EXPECT_EQ(table.entry(4).hue, 0);
    EXPECT_FALSE(std::filesystem::exists(folder.host("cstmcl.dat")));
}

TEST_F(CustomColorDialogTest, MarkersTabResetAndApply)
{
    open();
    showMarkers();
    EXPECT_EQ(dialog.shownTab(), 1);
    EXPECT_EQ(dialog.selectedEntry(), 0);
    EXPECT_EQ(numberBox(), "140");
    click(item(kFirstSwatch + 2));
    EXPECT_EQ(dialog.selectedEntry(), 2);
    typeHue("20");
    click(kReset);
    EXPECT_EQ(numberBox(), "165");
    EXPECT_EQ(trackbar(), 165);
    typeHue("300");
    click(kApply);
    EXPECT_EQ(dialog.workingCopy().entry(2).hue, 300);
    EXPECT_EQ(table.entry(2).hue, 165);
}

TEST_F(CustomColorDialogTest, AFailedSaveIsShownAndTheDialogStaysUsable)
{
    std::filesystem::create_directory(folder.host("cstmcl.dat"));
    open();
    typeHue("200");
    click(kApply);
    click(kOk);
    EXPECT_TRUE(IsWindow(dialog.handle()));
    EXPECT_FALSE(finished);
    EXPECT_EQ(harness::messageBoxes().size(), 1u);
    EXPECT_EQ(table.entry(4).hue, 0);

    std::filesystem::remove(folder.host("cstmcl.dat"));
    click(kOk);
    finish();
    EXPECT_EQ(dialog.result(), 1);
    EXPECT_EQ(table.entry(4).hue, 200);
    EXPECT_EQ(readAll(folder.host("cstmcl.dat"))[24], 200);
}

TEST_F(CustomColorDialogTest, WithoutPicturesThePreviewsStayEmptyAndTheDialogWorks)
{
    std::filesystem::remove_all(folder.host("tkbmp"));
    open();
    typeHue("33");
    click(kApply);
    click(kOk);
    finish();
    EXPECT_EQ(dialog.result(), 1);
    EXPECT_EQ(table.entry(4).hue, 33);
}

TEST_F(CustomColorDialogTest, PreviewsShowTheHueTurnedPictures)
{
    open();
    RECT window {};
    GetWindowRect(dialog.handle(), &window);
    const auto before = harness::readRect(window);
    harness::writePng(before, (std::filesystem::path(DERAZODO_PROGRAM_DIR) / ".." / "custom_color_dialog.png").string());
    // The preview's unit is blue for country 0; a turn by 120 degrees makes it another colour.
    HWND preview = item(kPreview);
    RECT r {};
    GetWindowRect(preview, &r);
    const auto blue = harness::readRect(r);
    typeHue("120");
    const auto turned = harness::readRect(r);
    EXPECT_NE(blue.pixels, turned.pixels);
    // The swatch frame around the picture is the same either way.
    EXPECT_EQ(blue.at(2, 2), turned.at(2, 2));
}

} // namespace
