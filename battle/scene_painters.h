// Shared pieces of the battle scene's painters: pixel routines, explosions, hit bookkeeping and the
// effect dispatchers the phase painters call.
#pragma once

#include "battle/live_clash_window.h"

#include <cstdint>

void fillRect(int left, int top, int right, int bottom, uint16_t colour, int side);
// Adds a colour to each word, every 5-bit channel saturating at 31.
void addColourRow(uint16_t* destination, const uint16_t* source, uint16_t colour, int count);
// Every pixel of the side's buffer moves percent of the way to white.
void fadeToWhite(int percent, int side);

enum class Explosion { First, Second, Third, Burst, SpreadBurst, Stepped, Wide };
// Frames stacked vertically in one of the side's two effect sprites; nothing for t below 0.
void drawExplosion(Explosion kind, int t, int x, int y, int side, int effect_slot);

const SpriteImage* spriteAt(int slot);
// The side's phase in that cut.
int phaseOf(int side, int cut);
// What each phase painter starts from, taken as one binding:
//     auto [st, s, o, target, unit, phase] = paintContext(side, cut);
struct PaintContext {
    SceneState& st;
    SceneSide& own;
    SceneSide& other;
    SceneTarget target;
    const SpriteImage* unit;
    int phase;
};
PaintContext paintContext(int side, int cut);
// The side's figure hit by the other side's figure j, once: impact mark, strength, hit frame, sound.
// hit is the figure whose strength falls, record the figure that keeps the hit frame.
void landShot(int side, int f, int j, int hit, int record);
// A figure's slow rise and fall, frozen once it is hit.
int figureBob(const SceneFigure& fig, int f);
// The size step's scale: 100, 85, 70, 55 percent.
int stepScale(int step);

// Effect dispatchers: the launch of the firing figure's weapon and the other side's arriving shot.
void drawLaunchEffect(int t, int side, int x, int y, int step, int figure);
// True once the shot has reached its target.
bool drawIncomingEffect(int t, int side, int target_x, int target_y, int step, int reach, int figure, bool relative);
// Under fire of weapon kind 83, over a side taking hits.
void drawKind83Overlay(int t, int side);
// A flight of small objects under a beam weapon (kind 82).
void drawKind82Scene(int f, int side, int cut);

// The phase painters by scene kind.
void drawFormation(int f, int side, int cut);
void drawKind3Formation(int f, int side, int cut);
void drawKind5(int f, int side, int cut);
void drawFixedFormation(int f, int side, int cut);
void drawSingleSprite(int f, int side, int cut);
void drawShip(int f, int side, int cut);
void drawLargeSprite(int f, int side, int cut);
void drawStandingLargeSprite(int f, int side, int cut);
void drawFlight(int f, int side, int cut);
// The painter of a scene kind, null for none.
using PhasePainter = void (*)(int f, int side, int cut);
PhasePainter phasePainter(int scene_kind, int other_weapon_kind);
