// The country board: what each cell says under rule 32 and the viewer, the outcome texts, the
// marks of allies and pacts, the window's two sizes, and the anthem chosen by a click on its cell.
#include "infowin/country_board_layout.h"
#include "infowin/country_info_window.h"
#include "tests/infowin/info_world.h"
#include "tests/infowin/test_values.h"
#include "ui/main_window_services.h"
#include "ui/private_messages.h"

#include <cstdio>

#include <cstring>

using namespace info_test;
namespace board = country_board;

namespace {

// Records the tunes asked for.
class TuneServices : public MainWindowServices {
public:
    HWND mainWindow() const override { return nullptr; }
    void unloadSound(int) override { }
    void restartMusic() override { }
    void fadeOutMusic() override { }
    void requestMusic(int tune, bool) override
    {
        tunes.push_back(tune);
        // What the tune's country has as its music file when the tune is asked for.
        if (tune >= 1 && tune <= 8 && g_gameState)
            filesAtRequest.push_back(g_gameState->turnBlock().anthemFiles[tune - 1]);
    }
    std::vector<int> tunes;
    std::vector<std::string> filesAtRequest;
};

class CountryBoard : public ::testing::Test {
protected:
    CountryBoard()
    {
        for (int c = 0; c < 4; ++c) {
            CountryRecord& country = s.country(c);
            std::snprintf(country.name, sizeof country.name, "C%d", c);
            country.controller = c == 0 ? 1 : 2;
            country.inPlay = 1;
            country.funds = 1200 + uint32_t(c);
            country.fundsCeiling = 90000;
            country.unitListLength = 50;
        }
        for (int c = 4; c < kCountryCount; ++c)
            s.country(c).controller = 0;
        s.turnBlock().viewingCountry = 2;
        info.world.setRule(kRuleOpenCampInfo, 0);
        setMainWindowServices(&services);
    }
    ~CountryBoard() override { setMainWindowServices(nullptr); }

    std::string cell(int c, int row, BoardDisclosure disclosure = BoardDisclosure::ByRules)
    {
        return countryBoardCell(s, c, row, disclosure).text;
    }
    CountryInfoWindow* open()
    {
        CountryInfoWindow* window = CountryInfoWindow::open(info.context(), &info.owner);
        testing_lib::pump();
        return window;
    }

    InfoWorld info;
    GameState& s = info.state();
    TuneServices services;
};

} // namespace

TEST_F(CountryBoard, OthersFiguresAreHiddenUnlessRule32OpensThem)
{
    EXPECT_EQ(cell(2, board::kFunds), "    1202/90000   ") << "the viewer sees its own";
    EXPECT_EQ(cell(2, board::kUnits), "   0/50  ");
    EXPECT_EQ(cell(0, board::kFunds), "????????" "/90000   ");
    EXPECT_EQ(cell(0, board::kIncome), "?????????");
    EXPECT_EQ(cell(0, board::kBuildings), "?????????");
    EXPECT_EQ(cell(0, board::kUnits), "????" "/50  ");
    EXPECT_EQ(cell(0, board::kName), "C0") << "names are never hidden";
    EXPECT_EQ(cell(0, board::kPlayer), cp("ＵＳＥＲ"));
    EXPECT_EQ(cell(1, board::kPlayer), cp("ＣＯＭＰ"));
    // The summary shows everything, and so does the window under rule 32.
    EXPECT_EQ(cell(0, board::kFunds, BoardDisclosure::Everything), "    1200/90000   ");
    info.world.setRule(kRuleOpenCampInfo, 1);
    EXPECT_EQ(cell(0, board::kIncome), "        0");
}

TEST_F(CountryBoard, StateTellsTheOutcomeAndGreysTheBeaten)
{
    struct Case {
        uint16_t inPlay, outcome;
        const char* text;
        bool grey;
    };
    const Case cases[] = {
        { 1, 0, "健　　在", false },
        { 1, 100, "健　　在", false },
        { 1, 50, "勝　　利", false },
        { 1, 150, "敗　　北", true },
        { 0, 150, "敗　　北", true },
        { 0, 100, "滅　　亡", true },
        { 0, 0, "滅　　亡", true },
    };
    for (const Case& c : cases) {
        s.country(1).inPlay = c.inPlay;
        s.country(1).outcome = c.outcome;
        const BoardCell shown = countryBoardCell(s, 1, board::kState, BoardDisclosure::ByRules);
        EXPECT_EQ(shown.text, cp(c.text)) << c.inPlay << "/" << c.outcome;
        EXPECT_EQ(shown.grey, c.grey) << c.inPlay << "/" << c.outcome;
    }
}

TEST_F(CountryBoard, MarksListAlliesAndPactsOfTakingPartCountries)
{
    s.country(0).allianceMask = 0x01 | 0x02 | 0x20;
    s.country(1).allianceMask = 0x03;
    s.country(0).pactMask = 0x04 | 0x08;
    const BoardMarks allies = countryBoardMarks(s, 0, board::kAlliance);
    EXPECT_EQ(allies.countries, 0x02u) << "country 5 takes no part; a country is no mark of its own";
    EXPECT_EQ(allies.centredOn, 1);
    const BoardMarks pacts = countryBoardMarks(s, 0, board::kPact);
    EXPECT_EQ(pacts.countries, 0x0Cu);
    EXPECT_EQ(pacts.centredOn, 2);
}

TEST_F(CountryBoard, WindowShowsTheBoardAtItsSizeAndLeavesAbsentCountriesBlank)
{
    // Eight-figure limits, of the viewer's own funds and of hidden ones.
    for (int c : { 0, 2 })
        s.country(c).fundsCeiling = 99999999;
    CountryInfoWindow* window = open();
    ASSERT_NE(window, nullptr);
    Image shown = clientImage(window->handle());
    saveShot(shown, "country_board");
    ASSERT_EQ(shown.width, board::kBoardWidth);
    ASSERT_EQ(shown.height, board::kBoardHeight);
    // White text in country 1's name cell; country 4 takes no part, so its cell is the bare picture.
    const int nameTop = board::kRows[board::kName].valueTop;
    EXPECT_GT(countColour(shown, board::columnX(1), nameTop, board::columnX(1) + 122, nameTop + 14, kWhitePixel), 3);
    const int lowerNameTop = board::kLowerBlockTop + nameTop;
    EXPECT_EQ(countColour(shown, board::columnX(4), lowerNameTop, board::columnX(4) + 122, lowerNameTop + 14, kWhitePixel), 0);
    // Black titles in the title column.
    EXPECT_GT(countColour(shown, 4, nameTop, 104, nameTop + 14, kBlackPixel), 3);
    // The longest figures keep clear of their cell's edges.
    const int fundsTop = board::kRows[board::kFunds].valueTop;
    for (int c : { 0, 2 }) {
        const int left = board::columnX(c);
        EXPECT_GT(countColour(shown, left, fundsTop, left + 122, fundsTop + 14, kWhitePixel), 30) << c;
        EXPECT_EQ(countColour(shown, left, fundsTop, left + 3, fundsTop + 14, kWhitePixel), 0) << c;
        EXPECT_EQ(countColour(shown, left + 119, fundsTop, left + 122, fundsTop + 14, kWhitePixel), 0) << c;
    }

    // A right click asks the main window to close the window.
    const POINT p = screenOf(window->handle(), 40, 300);
    harness::click(p.x, p.y, harness::Button::Right);
    testing_lib::pump();
    EXPECT_EQ(info.owner.count(ui_message::kCloseCountryInfo), 1);
}

TEST_F(CountryBoard, SimpleModeLeavesOutThePactRow)
{
    s.setMode(1);
    CountryInfoWindow* window = open();
    ASSERT_NE(window, nullptr);
    Image shown = clientImage(window->handle());
    saveShot(shown, "country_board_simple");
    EXPECT_EQ(shown.width, board::kBoardWidth);
    EXPECT_EQ(shown.height, board::kBoardHeightSimple);
    s.setMode(0);
}

TEST_F(CountryBoard, AnthemIsChosenOnItsCellAndTheCurrentCountrysTuneAsked)
{
    ASSERT_GE(s.anthemNames().size(), 2u);
    s.turnBlock().currentCountry = 1;
    s.country(1).anthemCode = 0;
    CountryInfoWindow* window = open();
    ASSERT_NE(window, nullptr);
    HWND combo = window->anthemCombo();
    ASSERT_FALSE(IsWindowVisible(combo));

    // Country 3 is out of the game: its cell does nothing.
    s.country(3).inPlay = 0;
    const int anthemY = board::kAnthemClickTop + 5;
    POINT p = screenOf(window->handle(), board::columnX(3) + 30, anthemY);
    harness::click(p.x, p.y);
    testing_lib::pump();
    EXPECT_FALSE(IsWindowVisible(combo));
    EXPECT_EQ(window->anthemCountry(), -1);

    p = screenOf(window->handle(), board::columnX(1) + 30, anthemY);
    harness::click(p.x, p.y);
    testing_lib::pump();
    ASSERT_TRUE(IsWindowVisible(combo));
    EXPECT_EQ(window->anthemCountry(), 1);
    RECT placed {};
    GetWindowRect(combo, &placed);
    const POINT cellAt = screenOf(window->handle(), board::columnX(1), board::kAnthemClickTop);
    EXPECT_EQ(placed.left, cellAt.x);
    EXPECT_EQ(placed.top, cellAt.y);

    // Open the list, take the second anthem, close it with Enter.
    harness::pressKey(VK_F4);
    harness::pressKey(VK_DOWN);
    harness::pressKey(VK_RETURN);
    testing_lib::pump();
    EXPECT_EQ(s.country(1).anthemCode, 1);
    EXPECT_FALSE(IsWindowVisible(combo));
    EXPECT_EQ(window->anthemCountry(), -1);
    EXPECT_EQ(services.tunes, std::vector<int> { 2 });

    // The same anthem again changes nothing and asks for nothing.
    harness::click(p.x, p.y);
    testing_lib::pump();
    harness::pressKey(VK_F4);
    harness::pressKey(VK_RETURN);
    testing_lib::pump();
    EXPECT_EQ(s.country(1).anthemCode, 1);
    EXPECT_EQ(services.tunes.size(), 1u);
}

TEST_F(CountryBoard, AMusicFileAsAnthemStoresItsNameBeforeItsTuneIsAsked)
{
    info.world.write("tkbgm/march.mid", "MThd");
    s.listMusicFiles();
    ASSERT_EQ(s.musicNames(), std::vector<std::string> { "march.mid" });
    s.turnBlock().currentCountry = 2;
    CountryInfoWindow* window = open();
    ASSERT_NE(window, nullptr);
    const POINT p = screenOf(window->handle(), board::columnX(2) + 30, board::kAnthemClickTop + 5);
    harness::click(p.x, p.y);
    testing_lib::pump();
    harness::pressKey(VK_F4);
    harness::pressKey(VK_END);
    harness::pressKey(VK_RETURN);
    testing_lib::pump();
    EXPECT_EQ(s.country(2).anthemCode, 50);
    EXPECT_STREQ(s.turnBlock().anthemFiles[2], "march.mid");
    EXPECT_EQ(services.tunes, std::vector<int> { 3 });
    EXPECT_EQ(services.filesAtRequest, std::vector<std::string> { "march.mid" }) << "the new file, not the old one";
    EXPECT_EQ(countryBoardCell(s, 2, board::kAnthem, BoardDisclosure::ByRules).text, "march.mid");
}
