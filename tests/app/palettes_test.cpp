// The tool and command palettes on the headless desktop: what each enables, and what a click sends.
#include "ui/private_messages.h"
#include "app/command_palette.h"
#include "app/menu_ids.h"
#include "app/tool_palette.h"
#include "platform/kernel/host.h"
#include "state/game_state.h"
#include "tests/lib/temp_program_folder.h"
#include "tests/lib/window_test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include <vector>

namespace harness = platform::harness;

namespace {

// Records what the palettes post to it: as the main window (WM_COMMAND) and as the map window.
class Recorder : public testing_lib::TopWindow {
public:
    Recorder()
        : testing_lib::TopWindow("PalettesTestRecorder")
    {
        setFrame(20, 20, 1000, 420);
    }
    int OnCommand(MessageRecord&, UINT id, UINT) override
    {
        commands.push_back(id);
        return 1;
    }
    int OnMessage(MessageRecord& msg) override
    {
        if (msg.message == ui_message::kMapCommandChosen)
            chosen.push_back(int(msg.wParam));
        else if (msg.message == ui_message::kMapCancelOrder)
            ++cancels;
        else
            return 0;
        return 1;
    }
    std::vector<UINT> commands;
    std::vector<int> chosen;
    int cancels = 0;
};

void clickAndPump(HWND window)
{
    testing_lib::clickCentre(window);
    testing_lib::pump();
}

class PalettesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        testing_lib::initApplication();
        // The generated strips; another test of this process may have moved the folder.
        platform::setProgramFolder(DERAZODO_PROGRAM_DIR);
        ASSERT_TRUE(recorder.Create());
        commands->setFrame(0, ToolPalette::kHeight, CommandPalette::kWidth, CommandPalette::kHeight);
        ASSERT_TRUE(commands->Create());
        commands->setMapWindow(recorder.handle());
        ASSERT_TRUE(tools->Create());
        testing_lib::pump();
    }
    void TearDown() override { testing_lib::destroyAllWindows(); }

    void post(const swCWindow* window, UINT message, WPARAM wParam, LPARAM lParam = 0)
    {
        PostMessageA(window->handle(), message, wParam, lParam);
        testing_lib::pump();
    }
    void show(uint32_t mask, LPARAM unit) { post(commands, ui_message::kPaletteShowCommands, mask, unit); }

    Recorder recorder;
    // The menu commands the tool palette is told may be chosen.
    std::set<unsigned> allowed;
    // Both delete themselves with their windows.
    CommandPalette* commands = new CommandPalette(&recorder);
    ToolPalette* tools = new ToolPalette(&recorder, [this](unsigned id) { return allowed.count(id) > 0; });
};

using CommandPaletteTest = PalettesTest;
using ToolPaletteTest = PalettesTest;

const unsigned kToolIds[] = { menu_id::kNewGame, menu_id::kResumeGame, menu_id::kSaveGameAs, menu_id::kEndActionPhase,
    menu_id::kEndTurn, menu_id::kZoom16, menu_id::kZoom32, menu_id::kZoom48, menu_id::kEnvironment, menu_id::kCountryInfo,
    menu_id::kConditionInfo, menu_id::kResults, menu_id::kTroopList };

} // namespace

TEST_F(CommandPaletteTest, EnablesExactlyTheMaskedCommandsAndEndOfActionForAUnit)
{
    const uint32_t masks[] = { 0, 1u << 1, (1u << 1) | (1u << 3) | (1u << 18) | (1u << 24), 0x42800, 0x03FFFFFE };
    for (uint32_t mask : masks) {
        show(mask, 0 | (7 << 16));
        for (int code = 1; code <= 24; ++code)
            EXPECT_EQ(commands->isCommandEnabled(code), (mask >> code & 1u) != 0)
                << "mask " << mask << " code " << code;
        EXPECT_TRUE(commands->isCommandEnabled(26));
        EXPECT_TRUE(IsWindowEnabled(commands->cancelButton()));
        EXPECT_EQ(commands->shownUnit(), 7 << 16);
    }
    // The move order and code 0 have no button, whatever the mask says.
    EXPECT_EQ(commands->commandButton(25), nullptr);
    EXPECT_EQ(commands->commandButton(0), nullptr);
}

TEST_F(CommandPaletteTest, NoUnitDisablesEveryButtonWhicheverWayMinusOneArrives)
{
    for (LPARAM none : { LPARAM(-1), LPARAM(0xFFFFFFFFu) }) {
        show(0x03FFFFFE, 2);
        ASSERT_TRUE(commands->isCommandEnabled(1));
        show(0x03FFFFFE, none);
        for (int code = 1; code <= 26; ++code)
            EXPECT_FALSE(commands->isCommandEnabled(code)) << code;
        EXPECT_FALSE(IsWindowEnabled(commands->cancelButton()));
        EXPECT_EQ(commands->shownUnit(), -1);
    }
}

TEST_F(CommandPaletteTest, AClickPostsItsCodeOrTheCancelToTheMapWindow)
{
    show((1u << 3) | (1u << 14), 0);
    clickAndPump(commands->commandButton(3));
    clickAndPump(commands->commandButton(14));
    clickAndPump(commands->commandButton(26));
    // Disabled: nothing reaches the map window.
    clickAndPump(commands->commandButton(1));
    clickAndPump(commands->cancelButton());
    EXPECT_EQ(recorder.chosen, (std::vector<int> { 3, 14, 26 }));
    EXPECT_EQ(recorder.cancels, 1);
    EXPECT_TRUE(recorder.commands.empty());
}

TEST_F(ToolPaletteTest, EachButtonSendsItsMenuIdToTheMainWindow)
{
    allowed.insert(std::begin(kToolIds), std::end(kToolIds));
    post(tools, ui_message::kToolPaletteRefresh, 0);
    for (unsigned id : kToolIds)
        clickAndPump(tools->button(id));
    EXPECT_EQ(recorder.commands, std::vector<UINT>(std::begin(kToolIds), std::end(kToolIds)));
}

TEST_F(ToolPaletteTest, GreysWhatTheMenuGreysAndIgnoresTheirClicks)
{
    allowed = { menu_id::kZoom48, menu_id::kResults };
    post(tools, ui_message::kToolPaletteRefresh, 0);
    for (unsigned id : kToolIds)
        EXPECT_EQ(bool(IsWindowEnabled(tools->button(id))), allowed.count(id) > 0) << id;
    for (unsigned id : kToolIds)
        clickAndPump(tools->button(id));
    EXPECT_EQ(recorder.commands, (std::vector<UINT> { menu_id::kZoom48, menu_id::kResults }));
}

TEST(ToolPaletteWithoutItsPicture, KeepsEveryToolAsANamedButtonAndSaysSoOnce)
{
    testing_lib::initApplication();
    testing_lib::TempProgramFolder folder("palette");
    std::filesystem::copy(std::filesystem::path(DERAZODO_PROGRAM_DIR) / "tkbmp", folder.host("tkbmp"),
        std::filesystem::copy_options::recursive);
    for (const char* damage : { "BM not a picture", "", static_cast<const char*>(nullptr) }) {
        SCOPED_TRACE(damage ? damage : "missing");
        if (damage)
            std::ofstream(folder.host("tkbmp/tool_btn.bmp"), std::ios::binary | std::ios::trunc) << damage;
        else
            std::filesystem::remove(folder.host("tkbmp/tool_btn.bmp"));
        harness::clearMessageBoxes();
        Recorder recorder;
        ASSERT_TRUE(recorder.Create());
        ToolPalette* tools = new ToolPalette(&recorder, [](unsigned id) { return id != menu_id::kEndTurn; });
        ASSERT_TRUE(tools->Create());
        testing_lib::pump();
        const auto boxes = harness::messageBoxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(platform::cp932ToUtf8(boxes[0].text).rfind("画像ファイル tool_btn.bmp を読み込めません。", 0), 0u);
        harness::keepShot("tool_palette_without_picture.png");
        for (unsigned id : kToolIds) {
            ASSERT_NE(tools->button(id), nullptr) << id;
            EXPECT_EQ(bool(IsWindowEnabled(tools->button(id))), id != menu_id::kEndTurn) << id;
            clickAndPump(tools->button(id));
        }
        std::vector<UINT> sent(std::begin(kToolIds), std::end(kToolIds));
        std::erase(sent, menu_id::kEndTurn);
        EXPECT_EQ(recorder.commands, sent);
        testing_lib::destroyAllWindows();
    }
}
