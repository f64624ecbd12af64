// The battle scene's file tables.
#include "battle/scene_tables.h"

#include <array>
#include <cstddef>

namespace {

constexpr const char* kBackgrounds[kBackgroundCount] = { "bg00.dat", "bg03.dat", "bg01.dat", "bg02.dat", "bg59.dat",
    "bg05.dat", "bg58.dat", "bg04.dat", "bg06.dat", "bg39.dat", "bg07.dat", "bg08.dat", "bg09.dat", "bg10.dat",
    "bg41.dat", "bg11.dat", "bg12.dat", "bg15.dat", "bg13.dat", "bg14.dat", "bg16.dat", "bg17.dat", "bg18.dat",
    "bg19.dat", "bg40.dat", "bg20.dat", "bg21.dat", "bg22.dat", "bg61.dat", "bg23.dat", "bg24.dat", "bg25.dat",
    "bg26.dat", "bg27.dat", "bg29.dat", "bg30.dat", "bg33.dat", "bg34.dat", "bg31.dat", "bg32.dat", "bg35.dat",
    "bg44.dat", "bg48.dat", "bg47.dat", "bg43.dat", "bg42.dat", "bg45.dat", "bg46.dat", "bg36.dat", "bg38.dat",
    "bg28.dat", "bg37.dat", "bg36.dat", "bg49.dat", "bg50.dat", "bg51.dat", "bg52.dat", "bg53.dat", "bg54.dat",
    "bg55.dat", "bg56.dat", "bg57.dat", "bg60.dat", "bg62.dat" };

constexpr const char* kEffects[kEffectCount] = { "ef02a.dat", "ef02b.dat", "ef02c.dat", "ef02d.dat", "ef02g.dat",
    "ef02e.dat", "ef02f.dat", "ef03a.dat", "ef03b.dat", "ef03c.dat", "ef03d.dat", "ef03e.dat", "ef03g.dat",
    "ef04a.dat", "ef04b.dat", "ef04c.dat", "ef05a.dat", "ef05b.dat", "ef06.dat", "ef07.dat", "ef08a.dat",
    "ef08b.dat", "ef09a.dat", "ef09b.dat", "ef10b.dat", "ef11.dat", "wp16.dat", "wp34.dat" };

const std::array<const char*, kWeaponAnimationKinds>& weaponTable()
{
    static const std::array<const char*, kWeaponAnimationKinds> table = [] {
        std::array<const char*, kWeaponAnimationKinds> t {};
        auto set = [&t](std::initializer_list<int> kinds, const char* name) {
            for (int k : kinds)
                t[std::size_t(k)] = name;
        };
        set({ 1 }, "wp01.dat");
        set({ 2 }, "wp02.dat");
        set({ 3 }, "wp03.dat");
        set({ 6 }, "wp07.dat");
        set({ 7, 31 }, "wp12.dat");
        set({ 8 }, "wp25.dat");
        set({ 9 }, "wp04.dat");
        set({ 11 }, "wp05.dat");
        set({ 12 }, "wp06.dat");
        set({ 13 }, "wp16.dat");
        set({ 16, 17, 23, 24, 25, 26 }, "wp22.dat");
        set({ 18 }, "wp28.dat");
        set({ 19 }, "wp29.dat");
        set({ 21 }, "wp23.dat");
        set({ 22, 27, 61, 63 }, "wp24.dat");
        set({ 32 }, "wp27.dat");
        set({ 36, 37 }, "wp08.dat");
        set({ 38, 39 }, "wp09.dat");
        set({ 40, 41 }, "wp10.dat");
        set({ 42, 43 }, "wp11.dat");
        set({ 44, 45 }, "wp33.dat");
        set({ 51 }, "wp13.dat");
        set({ 52 }, "wp14.dat");
        set({ 53, 54 }, "wp32.dat");
        set({ 56, 57 }, "wp30.dat");
        set({ 58, 59 }, "wp31.dat");
        set({ 62 }, "wp26.dat");
        set({ 64 }, "wp40.dat");
        set({ 66, 67 }, "wp18.dat");
        set({ 68, 69 }, "wp19.dat");
        set({ 70, 71 }, "wp20.dat");
        set({ 72, 73 }, "wp21.dat");
        set({ 74 }, "wp37.dat");
        set({ 75 }, "wp38.dat");
        set({ 76 }, "wp15.dat");
        set({ 77, 78, 79 }, "wp17.dat");
        set({ 80 }, "wp35.dat");
        set({ 82 }, "wp36.dat");
        set({ 83 }, "wp39.dat");
        return t;
    }();
    return table;
}

WeaponExtra effect(int n) { return { 3, n }; }

} // namespace

const char* backgroundFileName(int number)
{
    return number >= 0 && number < kBackgroundCount ? kBackgrounds[number] : nullptr;
}

const char* effectFileName(int number) { return number >= 0 && number < kEffectCount ? kEffects[number] : nullptr; }

const char* weaponFileName(int weapon_kind)
{
    return weapon_kind >= 0 && weapon_kind < kWeaponAnimationKinds ? weaponTable()[std::size_t(weapon_kind)] : nullptr;
}

WeaponExtras weaponExtras(int kind, int other_background)
{
    switch (kind) {
    case 1: case 2: case 3: case 6: case 7: case 8: case 31: case 57: case 59: return { { effect(0) }, {} };
    case 9: return { { effect(0), effect(8) }, {} };
    case 21: return { { effect(27) }, {} };
    case 32: return { { effect(4) }, {} };
    case 36: return { { effect(3) }, {} };
    case 37: case 39: case 41: case 43: case 45: case 54: return { { effect(1) }, {} };
    case 38: case 42: return { { effect(6) }, {} };
    case 40: case 53: case 58: return { { effect(5) }, {} };
    case 44: case 56: return { { effect(2) }, {} };
    case 51: return { { effect(5), effect(22), effect(12) }, {} };
    case 52: return { { effect(4), effect(22), effect(12) }, {} };
    case 62: return { { effect(2), effect(11), effect(other_background == 58 ? 19 : 25) }, {} };
    case 66: case 68: case 70: return { { effect(2), effect(11) }, {} };
    case 67: case 69: case 71: return { { effect(1), effect(10) }, {} };
    case 72: return { { effect(2), effect(11), effect(25), effect(26) }, { 61 } };
    case 73: return { { effect(1), effect(10), effect(25), effect(26) }, { 61 } };
    case 74: return { { { 2, 74 }, effect(24) }, { 55 } };
    case 75: return { { { 2, 75 }, effect(24), effect(25), effect(26) }, { 55, 61 } };
    case 78: return { { { 2, 68 }, effect(24) }, { 55 } };
    case 79: return { { { 2, 70 }, effect(24) }, { 55 } };
    case 80: return { { effect(24) }, { 55 } };
    default: return {};
    }
}

bool isDropWeaponKind(int kind) { return kind == 13 || kind == 72 || kind == 73 || kind == 76 || kind == 77; }

EffectPair sceneEffects(int kind, int other_weapon_kind)
{
    switch (kind) {
    case 0: case 2: case 3: case 4: case 6: case 31: return { 13, 14 };
    case 1: case 7: case 8: case 9: case 36: case 37: return { 13, 13 };
    case 5: case 38: case 39: return { 14, 15 };
    case 20: case 23: case 24: case 25: case 26: {
        const int e = isDropWeaponKind(other_weapon_kind) ? 18 : 16;
        return { e, e };
    }
    case 21: case 27: case 28: case 29: return { 19, 19 };
    case 22: case 30: case 32: return { 16, 16 };
    default:
        if (kind >= 10 && kind <= 19)
            return { 20, 21 };
        return { -1, -1 };
    }
}
