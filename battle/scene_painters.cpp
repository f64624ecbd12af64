// Pixel routines, background, labels, explosions and the hit bookkeeping of the battle scene.
#include "battle/scene_painters.h"

#include "battle/battle_sound.h"

#include <algorithm>
#include <cstring>

namespace {

struct FrameSize {
    int w, h;
};

} // namespace

int stepScale(int step)
{
    static constexpr int kScale[4] = { 100, 85, 70, 55 };
    return kScale[std::clamp(step, 0, 3)];
}

const SpriteImage* spriteAt(int slot)
{
    if (slot < 0 || slot >= kSpriteSlots)
        return nullptr;
    const SpriteImage& sprite = sceneState().sprites[size_t(slot)];
    return sprite.empty() ? nullptr : &sprite;
}

int phaseOf(int side, int cut) { return sceneState().plan.phases[size_t(side & 1)][size_t(std::clamp(cut, 0, 4))]; }

PaintContext paintContext(int side, int cut)
{
    SceneState& st = sceneState();
    SceneSide& own = st.sides[size_t(side & 1)];
    return { st, own, st.sides[size_t(1 - (side & 1))], LiveClashWindow::target(side), spriteAt(own.unitSpriteSlot), phaseOf(side, cut) };
}

SceneTarget LiveClashWindow::target(int side)
{
    SceneState& st = sceneState();
    const SceneBitmap& b = st.wide[size_t(side & 1)] ? st.wideBuffer : st.buffers[size_t(side & 1)];
    return { b.bits(), b.stride() };
}

HDC LiveClashWindow::targetDC(int side)
{
    SceneState& st = sceneState();
    return st.wide[size_t(side & 1)] ? st.wideBuffer.dc() : st.buffers[size_t(side & 1)].dc();
}

void fillRect(int left, int top, int right, int bottom, uint16_t colour, int side)
{
    const SceneTarget t = LiveClashWindow::target(side);
    if (!t.bits)
        return;
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, t.width);
    bottom = std::min(bottom, kSceneHeight);
    for (int y = top; y < bottom; ++y)
        std::fill(t.row(y) + left, t.row(y) + std::max(left, right), colour);
}

void addColourRow(uint16_t* destination, const uint16_t* source, uint16_t colour, int count)
{
    const int cr = colour >> 10 & 31, cg = colour >> 5 & 31, cb = colour & 31;
    for (int i = 0; i < count; ++i) {
        const uint16_t w = source[i];
        const int r = std::min(31, (w >> 10 & 31) + cr);
        const int g = std::min(31, (w >> 5 & 31) + cg);
        const int b = std::min(31, (w & 31) + cb);
        destination[i] = uint16_t(r << 10 | g << 5 | b);
    }
}

void fadeToWhite(int percent, int side)
{
    const SceneTarget t = LiveClashWindow::target(side);
    if (!t.bits)
        return;
    auto fade = [percent](int c5) {
        const int c = c5 << 3;
        return (c + (248 - c) * percent / 100) >> 3;
    };
    for (int y = 0; y < kSceneHeight; ++y) {
        uint16_t* row = t.row(y);
        for (int x = 0; x < t.width; ++x) {
            const uint16_t w = row[x];
            row[x] = uint16_t(fade(w >> 10 & 31) << 10 | fade(w >> 5 & 31) << 5 | fade(w & 31));
        }
    }
}

void drawExplosion(Explosion kind, int t, int x, int y, int side, int effect_slot)
{
    if (t < 0)
        return;
    const SceneSide& s = sceneState().sides[size_t(side)];
    const SceneTarget target = LiveClashWindow::target(side);
    const int slot = s.effectSlots[size_t(std::clamp(effect_slot, 0, 1))];
    const SpriteImage* sprite = spriteAt(slot);
    const bool second = effect_slot == 1;
    FrameSize size {};
    int frame = t / 3;
    switch (kind) {
    case Explosion::First: size = second ? FrameSize { 110, 120 } : FrameSize { 140, 160 }; break;
    case Explosion::Second: size = second ? FrameSize { 70, 70 } : FrameSize { 110, 120 }; break;
    case Explosion::Third: size = second ? FrameSize { 152, 95 } : FrameSize { 200, 120 }; break;
    case Explosion::Wide: size = { 156, 88 }; sprite = spriteAt(s.effectSlots[0]); break;
    case Explosion::Burst: size = { 136, 110 }; frame = t / 4; sprite = spriteAt(s.effectSlots[0]); break;
    case Explosion::SpreadBurst:
        for (int i = 0; i < kFigureCount; ++i) {
            const SceneFigure& fig = s.figures[size_t(i)];
            drawExplosion(Explosion::Burst, t - (fig.jitterA % 15) - i, x + 2 * fig.jitterB - 100, y + fig.jitterC - 50, side, 0);
        }
        return;
    case Explosion::Stepped: {
        static constexpr int kSteps[8] = { 4, 8, 12, 16, 21, 26, 31, 36 };
        frame = 8;
        for (int k = 0; k < 8; ++k)
            if (t < kSteps[k]) {
                frame = k;
                break;
            }
        size = { 76, 105 };
        sprite = spriteAt(s.effectSlots[0]);
        break;
    }
    }
    if (frame >= 8)
        return;
    blitSprite(target, sprite, x, y, size.w, size.h, 0, frame * size.h, side);
}

void LiveClashWindow::markImpact(int side, int frame)
{
    SceneSide& s = sceneState().sides[size_t(side & 1)];
    if (s.impactFrame == 0)
        s.impactFrame = frame + 1;
}

void landShot(int side, int f, int j, int hit, int record)
{
    SceneState& st = sceneState();
    SceneSide& s = st.sides[size_t(side)];
    SceneFigure& shooter = st.sides[size_t(1 - side)].figures[size_t(j)];
    if (shooter.impactDone)
        return;
    LiveClashWindow::markImpact(side, f);
    shooter.impactDone = 1;
    SceneFigure& target = s.figures[size_t(hit)];
    if (target.hitCount > 0) {
        target.hitCount -= shooter.fires;
        s.figures[size_t(record)].hitFrame = f;
        playSideSound(side, 4);
    }
}

void LiveClashWindow::drawBackground(int frame, int side, bool scroll, bool sea_waves, int slot)
{
    SceneState& st = sceneState();
    const SceneSide& own = st.sides[size_t(side)];
    const int index = slot >= 0 ? own.backgroundSlot : st.sides[size_t(1 - side)].backgroundSlot;
    if (index < 0 || index >= kBackgroundSlots)
        return;
    const BackgroundSlot& bg = st.backgrounds[size_t(index)];
    const SceneTarget t = target(side);
    if (bg.bitmap.empty() || !t.bits)
        return;
    const int n = bg.number;
    if (sea_waves && (n == 53 || n == 54 || n == 55 || n == 56 || n == 57 || n == 63)) {
        static constexpr int kWave[4] = { 0, 1, 2, 1 };
        const int k = kWave[((frame + own.figures[0].jitterA % 15 + side * 12) / 6) % 4];
        copyPicture(t, bg.bitmap, 0, 0, kNarrowWidth, kSceneHeight, k * kNarrowWidth, 0, side);
        return;
    }
    if (scroll && bg.bitmap.width() > 0) {
        // The attacker's buffer is mirrored, so its land runs the other way.
        const int width = bg.bitmap.width();
        const int speed = st.wide[size_t(side)] ? 5 : 20;
        int from = int((int64_t(frame) * speed) % width);
        for (int x = 0; x < t.width;) {
            const int run = std::min(width - from, t.width - x);
            copyPicture(t, bg.bitmap, x, 0, run, kSceneHeight, from, 0, side);
            x += run;
            from = 0;
        }
        return;
    }
    copyPicture(t, bg.bitmap, 0, 0, t.width, kSceneHeight, 0, 0, side);
}

void LiveClashWindow::drawEmptySide(int side)
{
    SceneState& st = sceneState();
    const SceneTarget t = target(side);
    if (!t.bits)
        return;
    const SceneBitmap& frame = st.framePictures[size_t(side)];
    if (frame.empty()) {
        fillRect(0, 0, t.width, kSceneHeight, 0, side);
        return;
    }
    // Not mirrored: the frame picture reads the same on both sides.
    copyPicture(t, frame, 0, 0, kNarrowWidth, kSceneHeight, 0, 0, 1);
}

void LiveClashWindow::drawLabels(int side, int frame)
{
    SceneState& st = sceneState();
    const SceneSide& s = st.sides[size_t(side)];
    const SceneSide& other = st.sides[size_t(1 - side)];
    HDC dc = targetDC(side);
    if (!dc)
        return;
    const int x0 = st.wide[size_t(side)] ? 190 : 0;
    COLORREF colour = RGB(255, 255, 255);
    if (other.impactFrame >= 1) {
        const int t = (frame - other.impactFrame) / 2;
        if (t < 16 && t % 2 == 0)
            colour = RGB(255, 0, 0);
    }
    const struct {
        const char* text;
        int y;
    } lines[2] = { { s.typeName, 256 }, { s.unitName, 25 } };
    for (const auto& line : lines) {
        const int length = int(strnlen(line.text, 32));
        SetTextColor(dc, RGB(16, 16, 16));
        TextOutA(dc, x0 + 151, line.y + 1, line.text, length);
        TextOutA(dc, x0 + 152, line.y + 2, line.text, length);
        SetTextColor(dc, colour);
        TextOutA(dc, x0 + 150, line.y, line.text, length);
    }
    copyPicture(target(side), st.category, x0 + 130, 26, 16, 16, s.unitIcon * 16, s.country * 16, 1);
}
