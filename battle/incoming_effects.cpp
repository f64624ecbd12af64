// The shot arriving at a target figure, drawn into the target side's buffer from the firing side's
// sprites (turned round, so that it flies to the right). One table row per firing weapon kind drives
// the horizontal painter or one of the few special ones; each answers whether the shot has arrived.
#include "battle/effect_painters.h"

#include <algorithm>
#include <map>

namespace {

constexpr int kUnderWater = 58;
constexpr uint16_t kParticleGrey = 0x6318;

enum class Incoming { Horizontal, Bomb, Rain, Drop, Sink, Beam, NoProjectile, AtOnce, Overlay, Never };
// How the projectile's height follows its front d.
enum class Path { Level, Dive32, Climb66, Descend, Dive56, Dive58, DiveMissile, Rising };
// clipped: cut at the target; hits stop: full width until it passes; all stop: even a miss stops;
// dive: drawn while above the target.
enum class Rule { Clipped, HitsStop, AllStop, Dive };
enum class Sheet { Weapon, Extra1, Extra4, Unit };

struct IncomingEntry {
    Incoming painter = Incoming::Horizontal;
    Sheet sheet = Sheet::Weapon;
    // The front moves speed hundredths of a pixel a frame.
    int speed = 0;
    int w = 0, h = 0;
    Path path = Path::Level;
    // Level: ty + lift; rising: the speed pair.
    int lift = 0, vx = 0, vy = 0;
    // Source (x0 + step / stepDiv × xStep + parity × xAlt, y0 + parity × yAlt).
    int x0 = 0, xStep = 0, xAlt = 0, y0 = 0, yAlt = 0;
    int stepCap = 3, stepDiv = 1;
    Rule rule = Rule::Clipped;
    // Under the relative flag (the kind-31 painter) the path starts from the target and climbs
    // relativeClimb hundredths of a pixel a frame.
    int relativeClimb = 0;
    // Sinking charges and particle rain.
    int sinkSpeed = 0, sinkW = 0, sinkH = 0, sinkDiv = 0, sinkLead = 0;
    bool threeBlasts = false;
};

std::map<int, IncomingEntry> makeIncomingTable()
{
    std::map<int, IncomingEntry> table;
    auto set = [&table](std::initializer_list<int> kinds, const IncomingEntry& entry) {
        for (int k : kinds)
            table[k] = entry;
    };
    set({ 1, 2, 3 }, { .speed = 3120, .w = 60, .h = 16, .lift = 8, .xStep = 60, .y0 = 64, .yAlt = 16 });
    set({ 7 }, { .speed = 1820, .w = 60, .h = 38, .path = Path::DiveMissile, .xStep = 60, .y0 = 64, .yAlt = 38, .rule = Rule::Dive });
    set({ 6, 8 }, { .speed = 1820, .w = 60, .h = 56, .path = Path::DiveMissile, .xStep = 60, .y0 = 336, .yAlt = 56, .rule = Rule::Dive });
    set({ 9 }, { .speed = 1820, .w = 60, .h = 44, .path = Path::DiveMissile, .xStep = 60, .y0 = 48, .yAlt = 44, .rule = Rule::Dive });
    set({ 11, 12 }, { .painter = Incoming::Bomb });
    set({ 16, 17, 18, 19, 22, 23, 24, 25, 26, 27, 61, 63 }, { .painter = Incoming::NoProjectile });
    set({ 13, 72, 73, 75, 76, 77 }, { .painter = Incoming::NoProjectile });
    set({ 21 }, { .sheet = Sheet::Extra1, .speed = 3640, .w = 4, .h = 4, .lift = 2 });
    set({ 31 }, { .speed = 2600, .w = 60, .h = 16, .lift = 8, .xStep = 60, .y0 = 32, .yAlt = 16, .stepCap = 1 });
    set({ 32 }, { .speed = 2210, .w = 80, .h = 40, .path = Path::Dive32, .xStep = 80, .y0 = 80, .yAlt = 40, .stepCap = 1,
                    .rule = Rule::HitsStop });
    set({ 33 }, { .painter = Incoming::AtOnce });
    const IncomingEntry rising { .speed = 0, .w = 80, .h = 80, .path = Path::Rising, .xStep = 80, .y0 = 160, .yAlt = 80, .stepDiv = 2 };
    auto rise = [&](std::initializer_list<int> kinds, int vx, int vy) {
        IncomingEntry r = rising;
        r.speed = 130 * vx;
        r.relativeClimb = 130 * vy;
        r.vx = vx;
        r.vy = vy;
        set(kinds, r);
    };
    rise({ 36, 37 }, 15, 10);
    rise({ 38, 39, 42, 43 }, 18, 6);
    rise({ 40, 41 }, 16, 8);
    rise({ 44, 45 }, 18, 18);
    set({ 51, 52 }, { .painter = Incoming::Rain });
    set({ 53, 54 }, { .painter = Incoming::Drop });
    set({ 56, 57 }, { .speed = 2600, .w = 80, .h = 80, .path = Path::Dive56, .x0 = 160, .xAlt = 80, .rule = Rule::AllStop });
    set({ 58, 59 }, { .speed = 2080, .w = 80, .h = 80, .path = Path::Dive58, .x0 = 160, .xAlt = 80, .rule = Rule::AllStop });
    set({ 62 }, { .painter = Incoming::Rain, .threeBlasts = true });
    set({ 64 }, { .painter = Incoming::Never });
    set({ 66, 67 }, { .speed = 1300, .w = 60, .h = 44, .path = Path::Climb66, .x0 = 120, .xAlt = 60, .rule = Rule::HitsStop,
                        .relativeClimb = 1300 });
    set({ 68, 69, 70, 71, 74, 78, 79, 80 }, { .speed = 1300, .w = 60, .h = 44, .path = Path::Descend, .x0 = 240, .xAlt = 60,
                                                .rule = Rule::AllStop });
    set({ 78, 79 }, { .sheet = Sheet::Extra1, .speed = 1300, .w = 60, .h = 44, .path = Path::Descend, .x0 = 240, .xAlt = 60,
                        .rule = Rule::AllStop });
    set({ 81 }, { .sheet = Sheet::Unit, .speed = 2400, .w = 18, .h = 18, .path = Path::Descend, .rule = Rule::AllStop });
    set({ 82 }, { .painter = Incoming::Beam });
    set({ 83 }, { .painter = Incoming::Overlay });
    return table;
}

// Against a side under water the torpedoes and charges are seen on their way.
std::map<int, IncomingEntry> makeUnderWaterTable()
{
    std::map<int, IncomingEntry> table;
    const IncomingEntry torpedo { .sheet = Sheet::Extra4, .speed = 1040, .w = 40, .h = 16, .lift = 8, .y0 = 360, .rule = Rule::HitsStop };
    for (int k : { 72, 73, 75 })
        table[k] = torpedo;
    IncomingEntry own = torpedo;
    own.sheet = Sheet::Weapon;
    table[13] = own;
    own.y0 = 0;
    table[76] = table[77] = own;
    table[62] = { .painter = Incoming::Sink, .sinkSpeed = 780, .sinkW = 60, .sinkH = 44, .sinkDiv = 6, .sinkLead = 5 };
    table[64] = { .painter = Incoming::Sink, .sinkSpeed = 520, .sinkW = 16, .sinkH = 16, .sinkDiv = 4, .sinkLead = 3 };
    return table;
}

const IncomingEntry* incomingEntry(int kind, int target_background)
{
    static const std::map<int, IncomingEntry> table = makeIncomingTable();
    static const std::map<int, IncomingEntry> under_water = makeUnderWaterTable();
    if (target_background == kUnderWater)
        if (const auto it = under_water.find(kind); it != under_water.end())
            return &it->second;
    const auto it = table.find(kind);
    return it == table.end() ? nullptr : &it->second;
}

struct Hit {
    const IncomingEntry& entry;
    int t, side, tx, ty, step;
    bool reach, relative;
    const SceneSide& target;
    SceneTarget buffer;
    ShotSprites sprites;

    const SpriteImage* sheet() const
    {
        switch (entry.sheet) {
        case Sheet::Weapon: return sprites.weapon;
        case Sheet::Extra1: return sprites.extra[0];
        case Sheet::Extra4: return sprites.extra[3];
        case Sheet::Unit: return sprites.unit;
        }
        return nullptr;
    }
    void blit(const SpriteImage* sprite, int x, int y, int w, int h, int src_x, int src_y) const
    {
        blitSprite(buffer, sprite, x, y, w, h, src_x, src_y, side, false);
    }
};

int pathY(const Hit& h, int d, int x)
{
    const IncomingEntry& s = h.entry;
    const int t = h.t;
    switch (s.path) {
    case Path::Level: return h.ty + s.lift;
    case Path::Dive32: return t * 1300 / 100 - (h.tx * 5 + 400) * 2 / 17 + h.ty;
    case Path::Climb66: return h.ty + h.tx - d + 60;
    case Path::Descend: return h.ty + d - h.tx - s.w;
    case Path::Dive56: return 10 * t * 130 / 100 - (h.tx + 80) * 10 / 20 + h.ty;
    case Path::Dive58: return 16 * t * 130 / 100 - (h.tx + 80) + h.ty - 40;
    case Path::DiveMissile: return s.h / 2 - h.tx + x + h.ty;
    case Path::Rising: return (h.tx + 80) * s.vy / s.vx - t * s.relativeClimb / 100 + h.ty;
    }
    return h.ty;
}

// Projectiles coming in from the left; the rule decides the cut, the stop and the arrival.
bool paintHorizontal(const Hit& h)
{
    const IncomingEntry& s = h.entry;
    const bool relative = h.relative && s.relativeClimb != 0;
    if (h.t < 0 && !relative)
        return false;
    const int d = h.t * s.speed / 100;
    int x = d - s.w;
    int y = pathY(h, d, x);
    int front = d;
    if (relative) {
        x += h.tx;
        front += h.tx;
        y = h.ty - h.t * s.relativeClimb / 100;
        if (x < -s.w)
            return false;
    }
    const bool passed = front > h.tx;
    const bool arrived = h.reach && passed;
    if (s.rule == Rule::Dive) {
        if (x <= kNarrowWidth && y <= h.ty)
            h.blit(h.sheet(), x, y, s.w, s.h, std::min(h.step, s.stepCap) * s.xStep, s.y0 + parity(h.t) * s.yAlt);
        return arrived;
    }
    if (h.tx > kNarrowWidth)
        return arrived;
    int w = s.w;
    switch (s.rule) {
    case Rule::Clipped:
        if (arrived)
            w = std::min(w, h.tx - x);
        break;
    case Rule::HitsStop:
        if (arrived && x >= h.tx)
            w = 0;
        break;
    case Rule::AllStop:
        if (passed && x >= h.tx)
            w = 0;
        break;
    case Rule::Dive: break;
    }
    if (w >= 1) {
        const int step = std::min(h.step, s.stepCap) / s.stepDiv;
        h.blit(h.sheet(), x, y, w, s.h, s.x0 + step * s.xStep + parity(h.t) * s.xAlt, s.y0 + parity(h.t) * s.yAlt);
    }
    return s.rule == Rule::AllStop ? passed && h.reach : arrived;
}

bool paintBomb(const Hit& h)
{
    if (h.t < 0)
        return false;
    const int y = 13 * h.t - 22;
    const int x = h.tx + 4 * (h.t - (h.ty + 44) / 13) - 30;
    const bool arrived = h.reach && y + 44 > h.ty + 22;
    const int rows = arrived ? std::min(44, h.ty + 22 - y) : 44;
    if (x <= kNarrowWidth && y <= h.ty && rows >= 1)
        h.blit(h.sprites.weapon, x, y, 60, rows, (3 * std::min(h.step, 1) + 6) * 20, 132);
    return arrived;
}

// Thirty grey particles falling in a spray onto the target, then the blasts.
bool paintRain(const Hit& h)
{
    static constexpr int kDelay[10] = { 0, 1, 2, 3, 4, 5, 4, 3, 2, 1 };
    for (int k = 0; k < 30; ++k) {
        const int tk = h.t - kDelay[k / 3] * (k % 10);
        if (tk < 0 || tk > 20)
            continue;
        const int j = h.target.figures[size_t(k / 3)].jitterA % 10;
        const int px = (j + 4) * tk * 130 / 100 - 180 + h.tx;
        const int py = (25 - j) * tk * 130 / 100 - 400 + h.ty;
        if (px < 0 || py < 0 || px + 2 >= kNarrowWidth || py + 2 >= kSceneHeight)
            continue;
        // fillRect writes the buffer unmirrored; the attacker's particles fall where its blits land.
        const int left = h.side == 0 ? h.buffer.width - (px + 2) : px;
        fillRect(left, py, left + 2, py + 2, kParticleGrey, h.side);
    }
    if (h.entry.threeBlasts) {
        const int b = (h.t - 20) / 2;
        const int qs[3] = { h.target.figures[0].jitterA, h.target.figures[3].jitterB, h.target.figures[6].jitterC };
        for (int q : qs)
            drawStackedFrame(h.buffer, h.sprites.extra[2], 28, 28, b, 8, q - 50 + h.tx, 240, h.side);
        return h.reach && b > 2;
    }
    const int b = (h.t - 20) / 3;
    drawStackedFrame(h.buffer, h.sprites.extra[1], 138, 48, b, 8, h.step == 0 ? h.tx - 80 : h.tx - 55, h.ty - 10, h.side);
    return h.reach && b > 2;
}

bool paintDrop(const Hit& h)
{
    if (h.t < 0)
        return false;
    const int y = h.t * 2600 / 100;
    if (y < h.ty && h.ty <= kSceneHeight)
        h.blit(h.sprites.weapon, h.tx - 40, y, 80, 80, (parity(h.t) + 2) * 80, 0);
    return h.reach && y + 80 > h.ty;
}

bool paintSink(const Hit& h)
{
    if (h.t < 0)
        return false;
    const IncomingEntry& s = h.entry;
    const int y = h.t * s.sinkSpeed / 100;
    if (y < h.ty) {
        h.blit(h.sprites.weapon, h.tx, y, s.sinkW, s.sinkH, 0, 0);
        return false;
    }
    const int b = (h.t - (h.ty + s.sinkLead) / s.sinkDiv) / 2;
    drawStackedFrame(h.buffer, h.sprites.extra[2], 136, 110, b, 8, h.tx, h.ty - 55, h.side);
    return h.reach && b > 7;
}

bool paintBeam(const Hit& h)
{
    if (h.t < 0)
        return false;
    if (h.t >= 32)
        return h.reach;
    int v = h.t % 32;
    if (v > 16)
        v = 32 - v;
    blitSpriteTranslucent(h.buffer, h.sprites.weapon, 0, h.ty, 480, 3, 0, 0, v, h.side, false);
    return h.reach && h.t >= 16;
}

} // namespace

bool paintIncoming(int kind, int t, int side, int tx, int ty, int step, int reach, bool relative)
{
    SceneState& st = sceneState();
    const SceneSide& target = st.sides[size_t(side)];
    const IncomingEntry* entry = incomingEntry(kind, target.background);
    if (!entry)
        return false;
    const Hit h { *entry, t, side, tx, ty, std::clamp(step, 0, 3), reach != 0, relative, target, LiveClashWindow::target(side),
        shotSprites(st.sides[size_t(1 - side)]) };
    switch (entry->painter) {
    case Incoming::Horizontal: return paintHorizontal(h);
    case Incoming::Bomb: return paintBomb(h);
    case Incoming::Rain: return t >= 0 && paintRain(h);
    case Incoming::Drop: return paintDrop(h);
    case Incoming::Sink: return paintSink(h);
    case Incoming::Beam: return paintBeam(h);
    case Incoming::NoProjectile: return h.reach && t >= 10;
    case Incoming::AtOnce: return h.reach && t >= 0;
    case Incoming::Overlay: return h.reach && t >= 30;
    case Incoming::Never: return false;
    }
    return false;
}
