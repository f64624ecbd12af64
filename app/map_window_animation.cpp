// MapWindow's animations: blinks, explosions, hex effects, shots and level changes, drawn frame by
// frame from the calling thread and erased by redrawing the hexes under them.
#include "app/map_window.h"

#include "rules/current_action_marks.h"
#include "rules/links.h"
#include "rules/main_window_link.h"
#include "rules/visibility.h"
#include "state/game_state.h"
#include "state/map_sheet_layout.h"
#include "state/sound_codes.h"

namespace {

constexpr DWORD kFrameDelay = 50;
constexpr DWORD kBlinkDelay = 100;
constexpr int kBlinks = 2;
constexpr int kShotSteps = 8;
constexpr int kNoHexEnd = 65535;


} // namespace

bool MapWindow::animationsShown() const { return handle() && IsWindowVisible(handle()); }

bool MapWindow::animatesAt(int x, int y) const
{
    return m_state.isOnMap(x, y) && animationsShown() && ViewerView(m_state).seesHex(x, y);
}

bool MapWindow::animatesOver(const RECT& mapArea) const
{
    int x0, y0, x1, y1;
    if (!geometry().hexesIn(mapArea, x0, y0, x1, y1))
        return false;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            if (!animatesAt(x, y))
                return false;
    return true;
}

bool MapWindow::hexInView(int x, int y) const
{
    const HexView view = visibleHexRange();
    return x >= view.firstColumn && y >= view.firstRow && x < view.firstColumn + view.columns
        && y < view.firstRow + view.rows;
}

void MapWindow::playSound(int slot)
{
    if (m_state.settings().playSe)
        mainWindowLink().playSound(slot);
}

void MapWindow::blinkHex(int x, int y)
{
    if (!animatesAt(x, y))
        return;
    ensureVisible(x, y);
    for (int i = 0; i < kBlinks; ++i) {
        setHexMark(m_state, x, y, kMarkBlink);
        updateHex(x, y);
        Sleep(kBlinkDelay);
        clearHexMark(m_state, x, y, kMarkBlink);
        updateHex(x, y);
        Sleep(kBlinkDelay);
    }
}

void MapWindow::playEffect(const std::vector<HexPos>& hexes, MapEffect effect)
{
    for (int frame = 0; frame < map_sheet::kEffectFrames; ++frame) {
        {
            std::lock_guard lock(m_drawLock);
            for (const HexPos& hex : hexes) {
                m_renderer->drawHex(hex.x, hex.y);
                m_renderer->drawEffect(hex.x, hex.y, effect, frame);
                presentHex(hex.x, hex.y);
            }
        }
        Sleep(kFrameDelay);
    }
    std::lock_guard lock(m_drawLock);
    for (const HexPos& hex : hexes)
        drawHexLocked(hex.x, hex.y);
}

void MapWindow::animateExplosion(int x, int y)
{
    if (!animatesAt(x, y))
        return;
    playSound(sound_slot::kExplosion);
    if (m_state.settings().mapOnBombAnim && hexInView(x, y))
        playEffect({ { x, y } }, MapEffect::Explosion);
}

void MapWindow::showHexEffect(int x, int y, int a, int b)
{
    if (!animatesAt(x, y) || !m_state.settings().mapOnBombAnim || !hexInView(x, y))
        return;
    MapEffect effect = MapEffect::Demolition;
    if (a == 1)
        effect = MapEffect::MineBlast;
    else if (b == 1)
        effect = MapEffect::DemolitionB;
    playEffect({ { x, y } }, effect);
}

void MapWindow::animateAreaBlast(int x, int y)
{
    if (!m_state.isOnMap(x, y))
        return;
    std::vector<HexPos> hexes;
    for (int d = -1; d < kHexDirections; ++d) {
        const HexPos n = d < 0 ? HexPos { x, y } : m_state.hexNeighbour(x, y, d);
        if (n.valid() && animatesAt(n.x, n.y))
            hexes.push_back(n);
    }
    if (hexes.empty())
        return;
    playSound(sound_slot::kAreaBlast);
    if (m_state.settings().mapOnBombAnim)
        playEffect(hexes, MapEffect::AreaBlast);
}

void MapWindow::animateLevelChange(const LevelChange& change)
{
    const int x = int(change.x);
    const int y = int(change.y);
    if (!m_state.settings().levelEffect || !animatesAt(x, y))
        return;
    // The game thread asks whether the acting country sees the unit; the screen shows the viewing
    // country's fog, which may hide it.
    {
        std::lock_guard lock(m_drawLock);
        if (!m_renderer->showsUnit(int(change.side), int(change.index), x, y))
            return;
    }
    playSound(change.up ? sound_slot::kLevelUp : sound_slot::kLevelDown);
    if (hexInView(x, y))
        playEffect({ { x, y } }, change.up ? MapEffect::LevelUp : MapEffect::LevelDown);
}

void MapWindow::animateAttackPath(int fromX, int fromY, int toX, int toY)
{
    if (!m_state.isOnMap(fromX, fromY) || !animationsShown() || !m_state.settings().mapOnBombAnim)
        return;
    if (toX == kNoHexEnd || toY == kNoHexEnd || !m_state.isOnMap(toX, toY)) {
        if (hexInView(fromX, fromY) && animatesAt(fromX, fromY))
            playEffect({ { fromX, fromY } }, MapEffect::Projectile);
        return;
    }
    const HexGeometry g = geometry();
    const POINT from = g.hexCentre(fromX, fromY);
    const POINT to = g.hexCentre(toX, toY);
    const SIZE map = g.mapPixelSize();
    const int half = g.cell() / 2;
    for (int step = 0; step <= kShotSteps; ++step) {
        const POINT at { from.x + (to.x - from.x) * step / kShotSteps, from.y + (to.y - from.y) * step / kShotSteps };
        const RECT area { at.x - half, at.y - half, at.x + half, at.y + half };
        if (area.left < 0 || area.top < 0 || area.right > map.cx || area.bottom > map.cy || !animatesOver(area))
            continue;
        {
            std::lock_guard lock(m_drawLock);
            m_renderer->drawEffectAt(at, MapEffect::Projectile, step % map_sheet::kEffectFrames);
            presentMapRect(area);
        }
        Sleep(kFrameDelay);
        std::lock_guard lock(m_drawLock);
        m_renderer->drawMapRect(area);
        presentMapRect(area);
    }
}
