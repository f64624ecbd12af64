// BriefingDialog: the mission briefing of a scenario or campaign map, a drawn 640 x 480 window of
// three pages (news, mission with its overview map, goals and camps) leafed through with bitmap
// buttons. Before play it ends with the start button (result 1); during play it is read again from
// the orders command and closed with its close button.
#pragma once

#include "dialogs/briefing_text.h"
#include "dialogs/overview_map.h"
#include "dialogs/paper_dialog.h"
#include "ui/window_context.h"

#include <memory>
#include <vector>

class BriefBitmapWindow;
class GameState;

namespace briefing_id {
enum : int { kBack = 1000, kNext, kStart, kMapSettings };
} // namespace briefing_id

enum class BriefingMode { BeforePlay = 0, DuringPlay = 1 };
enum class BriefingPage { News = 0, Mission = 1, Goals = 2 };

class BriefingDialog : public PaperDialog {
public:
    static constexpr UINT_PTR kBlinkTimer = 1;
    static constexpr UINT kBlinkIntervalMs = 100;

    BriefingDialog(const WindowContext& context, swCWindow* owner, BriefingMode mode);
    ~BriefingDialog() override;

    int OnInitDialog() override;
    int OnMessage(MessageRecord& msg) override;
    void destroying() override;
    int OnCommand(MessageRecord& msg, UINT id, UINT code) override;

    BriefingMode mode() const { return m_mode; }
    BriefingPage page() const { return m_page; }
    int subPage() const { return m_subPage; }
    // 0 for a scrolled page.
    int subPageCount() const { return subPageCount(m_page); }
    PageKind kindOf(BriefingPage page) const;
    bool blinking() const { return m_timerRunning; }
    int blinkCounter() const { return m_blinkCounter; }
    const OverviewMap* missionOverview() const { return m_missionOverview.get(); }
    BriefBitmapWindow* scrollWindow() const { return m_scroll; }

private:
    int subPageCount(BriefingPage page) const;
    bool hasPage(BriefingPage page) const;
    BriefingPage startPage() const;
    void layOut();
    // Falls back to sub-pages when the text picture of a scrolled page is too tall to make.
    void prepareScrolled(BriefingPage page);
    void fallBackToPaged(BriefingPage page);
    void enterPage(BriefingPage page, int subPage);
    void lastSubPageOf(BriefingPage page);
    void updateButtons();
    void back();
    void next();
    void openMapSettings();
    void playButtonSound(int slot) const;
    void blink();

    // Drawing (briefing_pages.cpp).
    void drawPage();
    void drawNewsPage();
    void drawMissionPage();
    void drawGoalsPage();
    void drawOverview(const OverviewMap* map, POINT square);
    std::unique_ptr<swCBitmap> makeScrolledText(BriefingPage page) const;
    void showScrolled(BriefingPage page);
    const swCBitmap* pagePicture(BriefingPage page) const;

    BriefingMode m_mode = BriefingMode::BeforePlay;
    ScenarioBlock m_block {};
    PageKind m_newsKind = PageKind::None;
    PageKind m_missionKind = PageKind::None;
    std::vector<int> m_newsStarts;
    std::vector<int> m_missionStarts;
    std::vector<GoalsSubPage> m_goalsPages;

    std::unique_ptr<swCBitmap> m_newsPicture;
    std::unique_ptr<swCBitmap> m_missionPicture;
    std::unique_ptr<swCBitmap> m_goalsPicture;
    std::unique_ptr<swCBitmap> m_titleBand;
    std::unique_ptr<swCBitmap> m_mapPicture;
    std::unique_ptr<swCFont> m_titleFont;
    std::unique_ptr<swCFont> m_headingFont;

    std::unique_ptr<OverviewMap> m_newsOverview;
    std::unique_ptr<OverviewMap> m_missionOverview;
    BriefBitmapWindow* m_scroll = nullptr;

    BriefingPage m_page = BriefingPage::News;
    int m_subPage = 0;
    int m_blinkCounter = 0;
    bool m_timerRunning = false;
};
