// The battle scene's file tables: backgrounds, effect and weapon sprites, and what each weapon kind
// and scene kind loads besides its unit sprite.
#pragma once

#include <vector>

constexpr int kBackgroundCount = 64;
constexpr int kEffectCount = 28;
constexpr int kWeaponAnimationKinds = 84;

// Null beyond the table or for an empty entry.
const char* backgroundFileName(int number);
const char* effectFileName(int number);
const char* weaponFileName(int weapon_kind);

struct WeaponExtra {
    // Kind 2 (weapon table) or 3 (effect table).
    int kind;
    int number;
};
struct WeaponExtras {
    std::vector<WeaponExtra> sprites;
    std::vector<int> backgrounds;
};
// What a weapon kind loads besides its weapon sprite; other_background picks kind 62's last effect.
WeaponExtras weaponExtras(int weapon_kind, int other_background);

// The side's two effect sprites by scene kind; -1 none.
struct EffectPair {
    int first;
    int second;
};
EffectPair sceneEffects(int scene_kind, int other_weapon_kind);
// Weapon kinds whose shells fall into water: they change the ship and sound choices.
bool isDropWeaponKind(int weapon_kind);
