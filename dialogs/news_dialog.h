// NewsDialog: the closing news of a map after play, a newspaper page with its title, the map's news
// picture and a text of several sub-pages. The end of play shows it before the end-of-game window.
#pragma once

#include "dialogs/paper_dialog.h"
#include "state/scenario_block.h"
#include "ui/window_context.h"

#include <memory>
#include <vector>

class GameState;

namespace news_id {
enum : int { kBack = 1000, kNext, kClose };
} // namespace news_id

// Whether the end of play shows the closing news: the map has one, and in a campaign the current
// stage asks for it after this outcome, elsewhere the player has won.
bool closingNewsDue(GameState& state);

class NewsDialog : public PaperDialog {
public:
    // A title wider than this in the large font is written in the small one.
    static constexpr int kTitleWidth = 528;

    NewsDialog(const WindowContext& context, swCWindow* owner);
    ~NewsDialog() override;

    int OnInitDialog() override;
    int OnCommand(MessageRecord& msg, UINT id, UINT code) override;

    int subPage() const { return m_subPage; }
    // At least 1.
    int subPageCount() const { return int(m_starts.size()); }
    // The height of the title font chosen for the title, 48 or 24.
    int titleFontHeight() const { return m_titleHeight; }

private:
    void drawPage();
    void drawText();
    void updateButtons();

    ScenarioBlock m_block {};
    std::vector<int> m_starts;
    int m_subPage = 0;
    int m_titleHeight = 48;
    std::unique_ptr<swCBitmap> m_page;
    std::unique_ptr<swCBitmap> m_titleBand;
    std::unique_ptr<swCBitmap> m_picture;
    std::unique_ptr<swCFont> m_largeFont;
    std::unique_ptr<swCFont> m_smallFont;
};
