// Line breaking and sub-page layout of the briefing and news texts.
#include "dialogs/briefing_text.h"

#include "tests/dialogs/dialog_helpers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using dialog_helpers::cp, dialog_helpers::numberedLines;

// Every line the breaker gives, in order.
std::vector<std::string> allLines(const std::string& text, int width, TextLineTaker take = takeTextLine)
{
    std::vector<std::string> lines;
    std::string line;
    int pos = 0;
    while ((pos = take(line, text.c_str(), pos, width)) >= 0)
        lines.push_back(line);
    return lines;
}

} // namespace

TEST(TakeTextLine, BreaksAsTheTableSays)
{
    const std::string kanji = cp("あ");
    ASSERT_EQ(kanji.size(), 2u);
    struct Case {
        const char* what;
        std::string text;
        int width;
        std::vector<std::string> lines;
    };
    const std::vector<Case> cases = {
        { "a double-byte character never splits: 49 bytes, then it opens the next line",
            std::string(49, 'a') + kanji + "b", 50, { std::string(49, 'a'), kanji + "b" } },
        { "a full line ends at the width", std::string(12, 'x'), 5, { "xxxxx", "xxxxx", "xx" } },
        { "line feeds end lines; blank lines vanish", "ab\n\n\ncd\n", 10, { "ab", "cd" } },
        { "carriage returns are dropped", "ab\r\ncd", 10, { "ab", "cd" } },
        { "a text of line feeds only has no line", "\n\n\n", 10, {} },
        { "an empty text has no line", "", 10, {} },
        { "a lead byte before the terminator ends the text", std::string("ab") + kanji.substr(0, 1), 10, { "ab" } },
        { "a lone lead byte is no line", kanji.substr(0, 1), 10, {} },
        { "closing punctuation goes with the character before it", "ab" + cp("あ。」い"), 6, { "ab", cp("あ。」"), cp("い") } },
        { "so does a half-width sound mark", cp("ｱｲｳｶﾞ"), 4, { cp("ｱｲｳ"), cp("ｶﾞ") } },
    };
    for (const Case& c : cases)
        EXPECT_EQ(allLines(c.text, c.width), c.lines) << c.what;
}

TEST(TakeTextLine, MinusOneGivesAnEmptyLineAndStaysAtTheEnd)
{
    std::string line = "left over";
    EXPECT_EQ(takeTextLine(line, "abc", -1, 10), -1);
    EXPECT_TRUE(line.empty());
    // The last line points at the terminator, from which nothing more comes.
    EXPECT_EQ(takeTextLine(line, "abc", 0, 10), 3);
    EXPECT_EQ(line, "abc");
    EXPECT_EQ(takeTextLine(line, "abc", 3, 10), -1);
}

TEST(TakeNewsTextLine, KeepsCarriageReturnsAndCountsThem)
{
    EXPECT_EQ(allLines("ab\r\ncd", 10, takeNewsTextLine), (std::vector<std::string> { "ab\r", "cd" }));
    EXPECT_EQ(allLines("abc\r\n", 3, takeNewsTextLine), (std::vector<std::string> { "abc", "\r" }));
}

TEST(PagedSubPages, FillTheLinesOfEachShape)
{
    struct Case {
        const char* what;
        int lines;
        PagedShape shape;
        size_t pages;
    };
    const Case cases[] = {
        { "news: 15 lines are one sub-page", 15, kNewsShape, 1 },
        { "news: the 16th line opens a second", 16, kNewsShape, 2 },
        { "mission: 14 lines to a sub-page", 28, kMissionShape, 2 },
        { "mission: one more line, one more sub-page", 29, kMissionShape, 3 },
        { "an empty text has none", 0, kNewsShape, 0 },
    };
    for (const Case& c : cases) {
        const std::string text = numberedLines(c.lines);
        const std::vector<int> starts = pagedSubPageStarts(text.c_str(), c.shape);
        ASSERT_EQ(starts.size(), c.pages) << c.what;
        // Each sub-page starts where the previous one's lines end.
        size_t seen = 0;
        for (int start : starts)
            seen += pagedSubPageLines(text.c_str(), c.shape, start).size();
        EXPECT_EQ(seen, size_t(c.lines)) << c.what;
    }
}

TEST(PagedSubPages, NarrowerLowerLinesBreakAtTheirWidth)
{
    // Lines 0-7 of the news take 50 bytes, lines 8-14 only 48.
    const std::string text = std::string(8 * 50, 'a') + std::string(100, 'b');
    const std::vector<std::string> lines = pagedSubPageLines(text.c_str(), kNewsShape, 0);
    ASSERT_EQ(lines.size(), 11u);
    EXPECT_EQ(lines[7], std::string(50, 'a'));
    EXPECT_EQ(lines[8], std::string(48, 'b'));
    EXPECT_EQ(lines[10], std::string(4, 'b'));
}

TEST(PagedSubPages, StopAtSixHundred)
{
    // 4802 one-byte lines would make far more sub-pages of one line each.
    const PagedShape oneLine { 1, 1, 74, 74 };
    std::string text;
    for (int i = 0; i < 2400; ++i)
        text += "a\n";
    EXPECT_EQ(pagedSubPageStarts(text.c_str(), oneLine).size(), size_t(kMaxSubPages));
}

TEST(GoalsSubPages, HeadingFollowsTheGoalsOrOpensASubPage)
{
    struct Case {
        const char* what;
        int goalLines;
        size_t pages;
        // Where the heading stands: sub-page and line.
        size_t headingPage;
        int headingLine;
    };
    const Case cases[] = {
        { "no goals: the heading opens the first sub-page", 0, 1, 0, 0 },
        { "5 goal lines: blank line 5, heading line 6", 5, 1, 0, 6 },
        { "13 goal lines still leave room", 13, 1, 0, 14 },
        { "14 goal lines: the heading moves on", 14, 2, 1, 0 },
        { "exactly 16 lines: heading at the top of the next sub-page", 16, 2, 1, 0 },
        { "17 lines: the second goals sub-page holds one line", 17, 2, 1, 2 },
    };
    for (const Case& c : cases) {
        const std::string goals = numberedLines(c.goalLines);
        const std::vector<GoalsSubPage> pages = goalsSubPages(goals.c_str(), "");
        ASSERT_EQ(pages.size(), c.pages) << c.what;
        EXPECT_EQ(pages[c.headingPage].headingLine, c.headingLine) << c.what;
        const std::vector<GoalsLine> lines = goalsSubPageLines(goals.c_str(), "", pages[c.headingPage]);
        ASSERT_EQ(lines.size(), size_t(c.headingLine + 1)) << c.what;
        EXPECT_TRUE(lines.back().heading) << c.what;
        EXPECT_EQ(lines.back().text, cp("参戦陣営")) << c.what;
        if (c.headingLine > 0 && pages[c.headingPage].field == 0) {
            EXPECT_TRUE(lines[size_t(c.headingLine - 1)].text.empty()) << c.what << ": the blank line";
        }
    }
}

TEST(GoalsSubPages, CampsFollowTheHeadingAndFillFurtherSubPages)
{
    const std::string goals = numberedLines(3);
    const std::string camps = numberedLines(30);
    const std::vector<GoalsSubPage> pages = goalsSubPages(goals.c_str(), camps.c_str());
    // Sub-page 0: 3 goals, blank, heading, 11 camps lines; then 16 and 3 more.
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[1].field, 1);
    const std::vector<GoalsLine> first = goalsSubPageLines(goals.c_str(), camps.c_str(), pages[0]);
    ASSERT_EQ(first.size(), 16u);
    EXPECT_EQ(first[5].text, "line0");
    EXPECT_EQ(first[15].text, "line10");
    const std::vector<GoalsLine> second = goalsSubPageLines(goals.c_str(), camps.c_str(), pages[1]);
    ASSERT_EQ(second.size(), 16u);
    EXPECT_EQ(second[0].text, "line11");
    EXPECT_EQ(goalsSubPageLines(goals.c_str(), camps.c_str(), pages[2]).back().text, "line29");
}

TEST(ScrolledLayout, FirstScreenThenFurtherLinesAndItsPictureHeight)
{
    const std::string text = numberedLines(20);
    const ScrolledLayout news = scrolledLayout(text.c_str(), kNewsShape);
    EXPECT_EQ(news.firstScreen.size(), 15u);
    ASSERT_EQ(news.further.size(), 5u);
    EXPECT_EQ(news.further[0], "line15");
    EXPECT_EQ(news.pictureHeight(), 5 * 20 + 350);
    EXPECT_EQ(scrolledLayout(text.c_str(), kMissionShape).further.size(), 6u);
}

TEST(ScrolledLayout, ATextOfOneCharacterLinesIsTooTallToDraw)
{
    std::string text;
    for (int i = 0; i < 2400; ++i)
        text += "a\n";
    EXPECT_GT(scrolledLayout(text.c_str(), kNewsShape).pictureHeight(), kMaxScrolledPictureHeight);
}
