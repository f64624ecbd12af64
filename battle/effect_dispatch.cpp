// The weapon effect dispatchers, with each figure's firing and impact sounds played once, and the
// white flash that weapon kind 83 lays over the side under fire.
#include "battle/effect_painters.h"

#include "battle/battle_sound.h"

#include <algorithm>

namespace {

constexpr int kFiringSoundFlag = 1;
constexpr int kImpactSoundFlag = 4;
constexpr int kOverlayWidth = 404;
constexpr int kOverlayHeight = 149;

} // namespace

void drawLaunchEffect(int t, int side, int x, int y, int step, int figure)
{
    SceneSide& s = sceneState().sides[size_t(side & 1)];
    if (s.weaponKind < 1 || s.weaponKind > 82 || figure < 0 || figure >= kFigureCount)
        return;
    paintLaunch(s.weaponKind, t, side & 1, x, y, step, figure);
    int& flags = s.figures[size_t(figure)].soundFlags;
    if (t >= 0 && !(flags & kFiringSoundFlag)) {
        playSideSound(side & 1, 1);
        flags |= kFiringSoundFlag;
    }
}

bool drawIncomingEffect(int t, int side, int target_x, int target_y, int step, int reach, int figure, bool relative)
{
    SceneSide& firing = sceneState().sides[size_t(1 - (side & 1))];
    const int kind = firing.weaponKind;
    if (kind < 1 || kind > 83 || figure < 0 || figure >= kFigureCount)
        return false;
    const bool arrived = paintIncoming(kind, t, side & 1, target_x, target_y, step, reach, relative);
    int& flags = firing.figures[size_t(figure)].soundFlags;
    if (t >= 0 && !(flags & kImpactSoundFlag)) {
        playSideSound(1 - (side & 1), 3);
        flags |= kImpactSoundFlag;
    }
    return arrived;
}

void drawKind83Overlay(int t, int side)
{
    side &= 1;
    const SceneTarget target = LiveClashWindow::target(side);
    if (!target.bits)
        return;
    const SpriteImage* overlay = spriteAt(sceneState().sides[size_t(1 - side)].weaponSpriteSlot);
    int c = 0;
    if (t < 35) {
        blitSprite(target, overlay, t * kOverlayWidth / 35 - kOverlayWidth, t * 270 / 35 - kOverlayHeight, kOverlayWidth,
            kOverlayHeight, 0, 0, side, false);
    } else if (t < 50) {
        blitSprite(target, overlay, 0, 121, kOverlayWidth, kOverlayHeight, 0, 0, side, false);
        if (t >= 39)
            c = std::min((t - 38) * 31 / 12, 31);
    } else {
        c = 31 - std::min((t - 50) * 31 / 24, 31);
    }
    if (c <= 0)
        return;
    // The whole target buffer: a side drawn wide into the shared buffer flashes there.
    const uint16_t grey = uint16_t(c << 10 | c << 5 | c);
    for (int y = 0; y < kSceneHeight; ++y)
        addColourRow(target.row(y), target.row(y), grey, target.width);
}
