// EndingWindow ("戦果報告"): when play has ended, page after page, the summary of the finished game,
// seven graphs of the per-turn statistics of every country, and the evaluation of the result
// country, drawn on a 640 x 520 backdrop and animated by window timers.
#pragma once

#include "lib/dialog.h"
#include "lib/media/bitmap.h"
#include "ui/window_context.h"
#include "ui/window_kit.h"

#include <array>
#include <cstdint>
#include <memory>

namespace turn_graph {
struct Graph;
}

class CheckMarkButton;
class EndButton88x32;
class EndingBackdrop;
class GameState;
class EvaluationBuildUp;

namespace ending_id {
enum : UINT {
    kNext = 1001, kPrevious,
    // Shown instead of kNext on the evaluation page.
    kFinish = 1003,
    // Country c's graph button is 1004 + c.
    kFirstCountry = 1004,
};
} // namespace ending_id

class EndingWindow : public ui::KitWindow<swCDialog> {
public:
    static constexpr int kSummaryPage = 0;
    static constexpr int kEvaluationPage = 8;
    // Timers 0..4; the graph reveal runs on timer 1 and the evaluation on timer 4.
    static constexpr int kTimerCount = 5;
    static constexpr UINT_PTR kRevealTimer = 1;
    static constexpr UINT_PTR kBuildUpTimer = 4;
    static constexpr UINT kTickMs = 50;
    static constexpr int kChartWidth = 500;
    static constexpr int kChartHeight = 400;

    // Takes the result of the game that ended.
    EndingWindow(const WindowContext& context, swCWindow* owner);
    ~EndingWindow() override;

    // Runs modally: 1 after the last page, 0 when closed.
    INT_PTR run();

    int OnInitDialog() override;
    int OnMessage(MessageRecord& msg) override;
    void destroying() override;
    // Drawn by its backdrop; the close box and a right click end it with 0.
    const ui::WindowDescription& description() const override
    {
        static constexpr ui::WindowDescription kDescription { .drawn = true };
        return kDescription;
    }
    void showPicture(HDC dc, const RECT& area) override;
    int OnCommand(MessageRecord& msg, UINT id, UINT code) override;

    // 0 the player won, 1 neither won nor lost, 2 the player lost.
    int resultKind() const { return m_resultKind; }
    int resultCountry() const { return m_resultCountry; }
    int page() const { return m_page; }
    uint8_t countryMask() const { return m_countryMask; }
    int revealWidth() const { return m_revealWidth; }
    bool revealRunning() const { return m_revealRunning; }
    bool timerActive(int id) const { return id >= 0 && id < kTimerCount && m_timerActive[size_t(id)]; }
    const EvaluationBuildUp* evaluation() const { return m_evaluation.get(); }
    EndingBackdrop* backdrop() const { return m_backdrop.get(); }

private:
    void startTimer(UINT_PTR id, UINT ms);
    void killTimer(UINT_PTR id);
    void killAllTimers();
    void stopReveal();
    void showPage();
    void nextPage();
    void previousPage();
    void toggleCountry(int country);
    void placeWindow();
    void createButtons();

    // The pages (ending_pages.cpp).
    void drawSummary();
    // The graph of the field for the countries switched on, on the axis of the game's countries.
    turn_graph::Graph computeGraph(int field) const;
    void drawGraph();
    void renderChart();
    void showChart();
    void revealStep();

    GameState& m_game;
    MainWindowServices& m_main;
    const Presentation& m_look;
    int m_resultKind = 1;
    int m_resultCountry = -1;
    int m_page = kSummaryPage;
    uint8_t m_countryMask = 0;
    // The countries of the game, shown or switched off: they set the graphs' value axis.
    uint8_t m_gameCountries = 0;
    int m_revealWidth = 0;
    bool m_revealRunning = false;
    std::array<bool, kTimerCount> m_timerActive {};
    std::unique_ptr<EndingBackdrop> m_backdrop;
    std::unique_ptr<EvaluationBuildUp> m_evaluation;
    // The graph pages' background, and the current graph's lines over it, revealed column by column.
    swCBitmap m_graphBackground;
    swCBitmap m_chart;
    std::array<CheckMarkButton*, 8> m_countryButtons {};
    EndButton88x32* m_next = nullptr;
    EndButton88x32* m_finish = nullptr;
    EndButton88x32* m_previous = nullptr;
};
