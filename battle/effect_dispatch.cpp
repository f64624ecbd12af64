// The weapon effect dispatchers. The launch and incoming painters of each weapon family come with
// the scene's effects; until then nothing is drawn, a shot arrives ten frames after it is fired
// (with its reach flag), and each figure's firing and impact sounds play once.
#include "battle/scene_painters.h"

#include "battle/battle_sound.h"

namespace {

constexpr int kFiringSoundFlag = 1;
constexpr int kImpactSoundFlag = 4;

} // namespace

void drawLaunchEffect(int t, int side, int, int, int, int figure)
{
    SceneSide& s = sceneState().sides[size_t(side)];
    if (s.weaponKind < 1 || s.weaponKind > 82 || figure < 0 || figure >= kFigureCount)
        return;
    int& flags = s.figures[size_t(figure)].soundFlags;
    if (t >= 0 && !(flags & kFiringSoundFlag)) {
        playSideSound(side, 1);
        flags |= kFiringSoundFlag;
    }
}

bool drawIncomingEffect(int t, int side, int, int, int, int reach, int figure, bool)
{
    SceneSide& firing = sceneState().sides[size_t(1 - side)];
    const int kind = firing.weaponKind;
    if (kind < 1 || kind > 83 || figure < 0 || figure >= kFigureCount)
        return false;
    bool arrived = false;
    if (kind == 33)
        arrived = t >= 0 && reach;
    else if (kind == 83)
        arrived = t >= 30 && reach;
    else
        arrived = t >= 10 && reach;
    int& flags = firing.figures[size_t(figure)].soundFlags;
    if (t >= 0 && !(flags & kImpactSoundFlag)) {
        playSideSound(1 - side, 3);
        flags |= kImpactSoundFlag;
    }
    return arrived;
}

void drawKind83Overlay(int, int)
{
    // The white flash of weapon kind 83 comes with the scene's effects.
}
