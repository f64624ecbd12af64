// EvaluationBuildUp: the end-of-game window's last page, built up step by step on a 50 ms timer:
// a fade from the previous page to the background, the four groups' figures and ranks one after
// another, and the emblem fading in. It owns the page's pictures from preparing until the build-up
// ends, the page is prepared again, or the object goes, and releases them once.
#pragma once

#include "dialogs/evaluation_scores.h"
#include "lib/media/bitmap.h"
#include "platform/windows.h"

#include <memory>

class EndingBackdrop;
class GameState;
class Presentation;

class EvaluationBuildUp {
public:
    // Surface ids of the page's pictures.
    static constexpr int kBackground = 8;
    static constexpr int kEmblemPanel = 9;
    static constexpr int kCaption = 5;
    static constexpr int kEmblems = 6;
    // Stages: 0 start, 1 fade in, 2..5 the groups, 6 the emblem, 7 done.
    static constexpr int kDone = 7;

    // Draws on the backdrop and repaints the window after each step.
    EvaluationBuildUp(GameState& game, const Presentation& look, EndingBackdrop& backdrop, HWND window);
    ~EvaluationBuildUp();
    EvaluationBuildUp(const EvaluationBuildUp&) = delete;
    EvaluationBuildUp& operator=(const EvaluationBuildUp&) = delete;

    // Releases what an earlier showing left, keeps the page shown now as the fade's start, loads
    // the page's pictures and computes the scores; the caller then starts the timer (stage 0) and
    // the ticks go on from stage 1. False, with nothing held, when a picture cannot be read.
    bool prepare(int resultKind, int resultCountry);
    // One tick of the timer; false once the build-up has ended and the timer is to stop.
    bool tick();
    // Frees the page's pictures when they are held.
    void release();

    int stage() const { return m_stage; }
    bool holdsPictures() const { return m_held; }
    // How many times pictures were freed: once per preparing.
    int releaseCount() const { return m_releases; }
    const EvaluationScores& scores() const { return m_scores; }

private:
    void nextStage();
    void drawGroupStep(int group, int item);
    void drawFigure(HDC dc, int x, int y, int64_t value);
    void prepareEmblem();
    void repaint();

    GameState& m_game;
    const Presentation& m_look;
    EndingBackdrop& m_backdrop;
    HWND m_window = nullptr;
    EvaluationScores m_scores;
    std::unique_ptr<swCBitmap> m_ranks;
    int m_stage = kDone;
    int m_step = 0;
    bool m_held = false;
    int m_releases = 0;
};
