// The texts of a map's briefing and closing news: where they lie in the scenario block, how a text
// breaks into lines, and how its lines fill the sub-pages of a page. Pure functions; the dialogs
// draw what they return.
#pragma once

#include "state/scenario_block.h"

#include <cstdint>
#include <string>
#include <vector>

// The nine text fields of the scenario block and the two page kinds; every field ends with a
// terminating byte once GameState::copyScenarioBlock has copied the block.
namespace scenario_text {
constexpr int kNewspaper = 0;
constexpr int kHeadline = 24;
constexpr int kNews = 66;
constexpr int kMissionTitle = 4868;
constexpr int kMission = 4930;
constexpr int kGoals = 9732;
constexpr int kCamps = 10294;
constexpr int kClosingTitle = 11196;
constexpr int kClosingNews = 11258;
constexpr int kNewsKind = 16061;
constexpr int kMissionKind = 16062;

inline const char* field(const ScenarioBlock& block, int offset) { return reinterpret_cast<const char*>(block.bytes) + offset; }
} // namespace scenario_text

// What a news or mission page shows: nothing, sub-pages to leaf through, or one long scrolled text.
enum class PageKind : uint8_t { None = 0, Paged = 1, Scrolled = 2 };
PageKind pageKindOf(uint8_t stored);

// Copies at most `width` bytes of the text from `position` into `line` and answers where the next
// line starts, or -1 when the text has no further line. A double-byte character is never split;
// carriage returns are dropped; a line feed ends a line that holds something and is skipped before
// one that holds nothing, so blank lines vanish. A lead byte right before the terminator counts as
// the end of the text.
int takeTextLine(std::string& line, const char* text, int position, int width);
// The same for the closing news, which keeps carriage returns in its lines (they count toward the
// width).
int takeNewsTextLine(std::string& line, const char* text, int position, int width);

using TextLineTaker = int (*)(std::string& line, const char* text, int position, int width);

// A paged sub-page: `lines` lines, those from `splitLine` on narrower than the ones before.
struct PagedShape {
    int lines;
    int splitLine;
    int firstWidth;
    int secondWidth;
    int widthOf(int line) const { return line < splitLine ? firstWidth : secondWidth; }
};

constexpr PagedShape kNewsShape { 15, 8, 50, 48 };
constexpr PagedShape kMissionShape { 14, 7, 74, 48 };
constexpr PagedShape kGoalsShape { 16, 16, 74, 74 };
// The lines of a scrolled text after its first screen.
constexpr int kScrolledLineWidth = 74;
constexpr int kMaxSubPages = 600;

// The start offsets of the text's sub-pages, at most kMaxSubPages; empty for an empty text.
std::vector<int> pagedSubPageStarts(const char* text, const PagedShape& shape, TextLineTaker take = takeTextLine);
// The lines of the sub-page that starts at `start` (fewer than the shape's when the text ends).
std::vector<std::string> pagedSubPageLines(const char* text, const PagedShape& shape, int start,
    TextLineTaker take = takeTextLine);

// A sub-page of the mission's second page: goals text, then a blank line and the heading
// "参戦陣営", then the camps text. `field` is 0 when the sub-page opens with goals text, 1 when it
// opens with the heading or camps text; `start` is the offset of its first line in that text.
// When `headingLine` is 0 or more the heading stands on that line and the camps text follows it
// from its beginning.
struct GoalsSubPage {
    uint8_t field = 0;
    int start = 0;
    int headingLine = -1;
};
// Always at least one sub-page (the heading); at most kMaxSubPages.
std::vector<GoalsSubPage> goalsSubPages(const char* goals, const char* camps);

// One line of a goals sub-page as it is drawn; an empty text is a blank line.
struct GoalsLine {
    std::string text;
    bool heading = false;
};
std::vector<GoalsLine> goalsSubPageLines(const char* goals, const char* camps, const GoalsSubPage& page);

// A scrolled text: its first screen keeps the paged layout of the first sub-page, every further
// line holds up to kScrolledLineWidth bytes.
struct ScrolledLayout {
    std::vector<std::string> firstScreen;
    std::vector<std::string> further;
    // Pixels of the text picture: 20 per further line below the first screen's 350.
    int pictureHeight() const { return int(further.size()) * 20 + 350; }
};
ScrolledLayout scrolledLayout(const char* text, const PagedShape& firstScreen);
// Taller text pictures are not made: the page falls back to sub-pages.
constexpr int kMaxScrolledPictureHeight = 32767;
