// Loading one scene's pictures into the sprite and background caches.
#include "battle/live_clash_window.h"

#include "battle/scene_tables.h"

#include <cstdio>

namespace {

bool isHoverKind(int kind) { return kind == 5 || kind == 38 || kind == 39; }

} // namespace

int LiveClashWindow::loadSprite(SpriteKind kind, int number, int& counter, int variant, bool darken, int side)
{
    SceneState& st = sceneState();
    const BattleUnitEntry& entry = st.sides[size_t(side & 1)].unitEntry;
    char name[32] = {};
    int cache_number = number;
    switch (kind) {
    case SpriteKind::Unit:
        if ((variant == 1 || variant == 2) && entry.sheetFlag == 0) {
            std::snprintf(name, sizeof name, "%04d%c.dat", number, 'a' + variant - 1);
            cache_number = variant * 10001 + number;
        } else if (number < 20000) {
            std::snprintf(name, sizeof name, "%04d.dat", number);
        } else {
            std::snprintf(name, sizeof name, "g%05d.dat", number);
        }
        break;
    case SpriteKind::Weapon:
        if (const char* file = weaponFileName(number))
            std::snprintf(name, sizeof name, "%s", file);
        break;
    case SpriteKind::Effect:
        if (const char* file = effectFileName(number))
            std::snprintf(name, sizeof name, "%s", file);
        break;
    }
    for (int i = 0; i < kSpriteSlots; ++i) {
        const SpriteImage& slot = st.sprites[size_t(i)];
        if (!slot.empty() && slot.kind == int(kind) && slot.number == cache_number)
            return i;
    }
    // A scene that needs more sprites than the cache holds goes on without the rest.
    if (counter < 0 || counter >= kSpriteSlots)
        return -1;
    const int index = counter++;
    SpriteImage& slot = st.sprites[size_t(index)];
    if (name[0] == 0 || !readSpriteFile(st.folder, name, slot, darken && kind == SpriteKind::Unit)) {
        slot = SpriteImage {};
        return -1;
    }
    slot.kind = int(kind);
    slot.number = cache_number;
    if (kind == SpriteKind::Unit && entry.sheetFlag == 1)
        composeSheet(slot, st.sides[size_t(side & 1)].sceneKind);
    return index;
}

int LiveClashWindow::loadBackground(int number, bool darken)
{
    SceneState& st = sceneState();
    int free_slot = -1;
    for (int i = 0; i < kBackgroundSlots; ++i) {
        if (st.backgrounds[size_t(i)].number == number && number >= 0)
            return i;
        if (free_slot < 0 && st.backgrounds[size_t(i)].number < 0)
            free_slot = i;
    }
    const char* file = backgroundFileName(number);
    if (free_slot < 0 || !file)
        return -1;
    BackgroundSlot& slot = st.backgrounds[size_t(free_slot)];
    if (!slot.bitmap.loadFile(st.folder + file, darken))
        return -1;
    slot.number = number;
    return free_slot;
}

bool LiveClashWindow::loadFrameImage(int side, int country)
{
    if (country != kNoCountry)
        return true;
    SceneState& st = sceneState();
    return st.framePictures[size_t(side & 1)].loadFile(st.folder + "frame2.dat", false);
}

bool LiveClashWindow::loadWeaponSprites(int side, int& counter, bool darken)
{
    SceneState& st = sceneState();
    SceneSide& s = st.sides[size_t(side)];
    if (s.weaponKind == 0)
        return true;
    const WeaponExtras extras = weaponExtras(s.weaponKind, st.sides[size_t(1 - side)].background);
    for (size_t i = 0; i < extras.backgrounds.size() && i < 2; ++i)
        if ((s.extraBackgroundSlots[i] = loadBackground(extras.backgrounds[i], darken)) < 0)
            return false;
    if ((s.weaponSpriteSlot = loadSprite(SpriteKind::Weapon, s.weaponKind, counter, 0, darken, side)) < 0)
        return false;
    for (size_t i = 0; i < extras.sprites.size() && i < 4; ++i)
        if ((s.extraSpriteSlots[i] = loadSprite(SpriteKind(extras.sprites[i].kind), extras.sprites[i].number, counter, 0,
                 darken, side))
            < 0)
            return false;
    return true;
}

bool LiveClashWindow::loadSceneData(bool darken)
{
    SceneState& st = sceneState();
    int counter = 0;
    bool all = true;
    for (int side = 0; side < 2; ++side) {
        SceneSide& s = st.sides[size_t(side)];
        const SceneSide& other = st.sides[size_t(1 - side)];
        all = loadFrameImage(side, s.country) && all;
        int background = s.background;
        if (background == 60 && !st.wide[size_t(side)] && isHoverKind(s.sceneKind))
            background = 59;
        s.backgroundSlot = loadBackground(background, darken);
        all = s.backgroundSlot >= 0 && all;
        int variant = 0;
        if (isHoverKind(s.sceneKind))
            variant = side + 1;
        else if (s.sceneKind == 23)
            variant = side == 0 ? 2 : 1;
        s.unitSpriteSlot = loadSprite(SpriteKind::Unit, int(s.unitEntry.spriteNumber), counter, variant, darken, side);
        all = s.unitSpriteSlot >= 0 && all;
        all = loadWeaponSprites(side, counter, darken) && all;
        const EffectPair effects = sceneEffects(s.sceneKind, other.weaponKind);
        if (effects.first >= 0) {
            s.effectSlots[0] = loadSprite(SpriteKind::Effect, effects.first, counter, 0, darken, side);
            s.effectSlots[1] = loadSprite(SpriteKind::Effect, effects.second, counter, 0, darken, side);
            all = s.effectSlots[0] >= 0 && s.effectSlots[1] >= 0 && all;
        }
    }
    all = st.category.loadFile(st.folder + "category.dat", darken) && all;
    return all;
}
