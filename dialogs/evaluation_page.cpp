// EvaluationBuildUp: the evaluation page's pictures, stages and drawing.
#include "dialogs/evaluation_page.h"

#include "dialogs/ending_backdrop.h"
#include "infowin/game_fonts.h"
#include "infowin/panel_text.h"
#include "lib/error.h"
#include "state/game_state.h"
#include "ui/presentation.h"
#include "ui/palette_colours.h"

namespace {

constexpr int kFigureX = 152;
constexpr int kFigureDigits = 8;
constexpr int kRankX = 232;
constexpr int kRankSize = 64;
constexpr int kGroupPitch = 100;
constexpr int kLastFadeLevel = 16;
// The emblem panel: where it stands on the page, and the caption and emblem within it.
constexpr RECT kEmblemArea { 320, 136, 640, 440 };
constexpr int kCaptionHeight = 64;
constexpr int kEmblemWidth = 320;
constexpr int kEmblemHeight = 240;

const char* backgroundOf(int resultKind)
{
    return resultKind == 0 ? "end1_bg2.bmp" : resultKind == 2 ? "end2_bg2.bmp" : "end3_bg2.bmp";
}

} // namespace

EvaluationBuildUp::EvaluationBuildUp(GameState& game, const Presentation& look, EndingBackdrop& backdrop, HWND window)
    : m_game(game)
    , m_look(look)
    , m_backdrop(backdrop)
    , m_window(window)
{
}

EvaluationBuildUp::~EvaluationBuildUp() { release(); }

bool EvaluationBuildUp::prepare(int resultKind, int resultCountry)
{
    release();
    m_stage = kDone;
    const RECT all { 0, 0, EndingBackdrop::kWidth, EndingBackdrop::kHeight };
    m_backdrop.ddrawGrabToSurface(0, POINT { 0, 0 }, EndingBackdrop::kPreviousPage, all, 0);
    m_held = true;
    try {
        m_backdrop.ddrawCreateSurface(kEmblemPanel, kEmblemArea.right - kEmblemArea.left, kEmblemArea.bottom - kEmblemArea.top);
        m_backdrop.ddrawAddSurface(kBackground, m_look.bitmapPath(backgroundOf(resultKind)).c_str());
        m_backdrop.ddrawLoadSurface(kCaption, m_look.bitmapPath("evaluation.bmp").c_str(), kPictureKey);
        m_backdrop.ddrawLoadSurface(kEmblems, m_look.bitmapPath("emblem.bmp").c_str(), kPictureKey);
        m_ranks = std::make_unique<swCBitmap>();
        m_ranks->bitmapLoadFile(m_look.bitmapPath("rank.bmp").c_str());
    } catch (swCError* error) {
        delete error;
        release();
        return false;
    }
    m_scores = computeEvaluationScores(m_game, resultKind, resultCountry);
    // Stage 0 is the caller's start of the timer.
    m_stage = 1;
    m_step = 0;
    return true;
}

void EvaluationBuildUp::release()
{
    if (!m_held)
        return;
    m_ranks.reset();
    for (int id : { kBackground, kEmblemPanel, kCaption, kEmblems })
        m_backdrop.ddrawFreeSurface(id);
    m_held = false;
    ++m_releases;
}

void EvaluationBuildUp::nextStage()
{
    ++m_stage;
    m_step = -1;
}

void EvaluationBuildUp::repaint()
{
    if (m_window)
        InvalidateRect(m_window, nullptr, FALSE);
}

bool EvaluationBuildUp::tick()
{
    const RECT all { 0, 0, EndingBackdrop::kWidth, EndingBackdrop::kHeight };
    switch (m_stage) {
    case 1:
        if (m_step > kLastFadeLevel) {
            nextStage();
            break;
        }
        m_backdrop.ddrawCompose(-1, all, EndingBackdrop::kPreviousPage, all, kBackground, all, m_step, false);
        repaint();
        break;
    case 2:
    case 3:
    case 4:
    case 5:
        if (m_step >= 10) {
            nextStage();
            break;
        }
        // Each item is drawn once, on the first of its two ticks.
        if (m_step % 2 == 0)
            drawGroupStep(m_stage - 2, m_step / 2);
        repaint();
        break;
    case 6:
        if (m_scores.overall == -1 || m_step >= kLastFadeLevel + 2) {
            nextStage();
            break;
        }
        if (m_step == 0) {
            prepareEmblem();
            break;
        }
        m_backdrop.ddrawCompose(-1, kEmblemArea, kBackground, kEmblemArea, kEmblemPanel,
            RECT { 0, 0, kEmblemArea.right - kEmblemArea.left, kEmblemArea.bottom - kEmblemArea.top }, m_step - 1, false);
        repaint();
        break;
    default:
        release();
        m_stage = kDone;
        return false;
    }
    ++m_step;
    return true;
}

void EvaluationBuildUp::drawGroupStep(int group, int item)
{
    if (item > 3)
        return;
    const int top = 126 + kGroupPitch * group;
    HDC dc = m_backdrop.beginDraw();
    if (!dc)
        return;
    if (item < 3) {
        drawFigure(dc, kFigureX, top + 20 * item, m_scores.figure(group, item));
    } else if (m_scores.rate(group) != -1 && m_ranks && m_ranks->handle()) {
        const int rank = rankOf(m_scores.rate(group));
        PaletteHolder(dc).blitTransparent(kRankX, 112 + kGroupPitch * group, m_ranks->handle(),
            RECT { 0, kRankSize * rank, kRankSize, kRankSize * (rank + 1) }, kPictureKey);
    }
    m_backdrop.endDraw(dc);
}

void EvaluationBuildUp::drawFigure(HDC dc, int x, int y, int64_t value)
{
    TextHolder textState(dc, m_look.font(kFigureFont).handle(), kWhite);
    const std::string text = panel::cappedFigure(value, kFigureDigits);
    panel::text(dc, x, y, x + 80, y + 16, text.c_str());
}

void EvaluationBuildUp::prepareEmblem()
{
    m_backdrop.ddrawGrabToSurface(0, POINT { 0, 0 }, kEmblemPanel, kEmblemArea, 0);
    m_backdrop.ddrawBlitSurface(kEmblemPanel, POINT { 0, 0 }, kCaption, RECT { 0, 0, kEmblemWidth, kCaptionHeight },
        DDBLTFAST_SRCCOLORKEY);
    const int band = rankOf(m_scores.overall);
    m_backdrop.ddrawBlitSurface(kEmblemPanel, POINT { 0, kCaptionHeight }, kEmblems,
        RECT { 0, kEmblemHeight * band, kEmblemWidth, kEmblemHeight * (band + 1) }, DDBLTFAST_SRCCOLORKEY);
}
