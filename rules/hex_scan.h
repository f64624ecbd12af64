// HexScan: a ring-by-ring walk over the hexes around a centre, with a sortable hit list.
#pragma once

#include <cstdint>
#include <vector>

class GameState;

// One hit of a scan; the extra word is a subclass's third value (a building index + 1, an access hex).
struct HexScanHit {
    int16_t x = 0;
    int16_t y = 0;
    uint32_t key = 0;
    uint32_t extra = 0;
};
static_assert(sizeof(HexScanHit) == 12);

// The comparison of HexScan::sortAscending.
inline bool lessByCost(const HexScanHit& a, const HexScanHit& b) { return a.key < b.key; }

// Walks ring 1, 2, ... radius around the centre, nearest first, visiting each hex on the map once.
// A ring starts with the hex north-west of its south-west corner and ends with that corner.
class HexScan {
public:
    explicit HexScan(GameState& state);
    virtual ~HexScan() = default;
    HexScan(const HexScan&) = delete;
    HexScan& operator=(const HexScan&) = delete;

    // Stores the centre and radius, then begin, the walk, finish.
    void scan(int x, int y, int radius);

    const std::vector<HexScanHit>& hits() const { return m_hits; }
    int hitCount() const { return int(m_hits.size()); }
    // False when i is outside the hit list.
    bool hitAt(int i, int& x, int& y) const;

    // Finishing steps for the subclasses.
    // Shuffles the run of hits at the front that share the first hit's key, from the game's pool.
    void shuffleTopTies();
    // Selection sorts by key; of equal keys the last one is taken first.
    void sortAscending();
    void sortDescending();

    int centreX() const { return m_centreX; }
    int centreY() const { return m_centreY; }
    int radius() const { return m_radius; }

protected:
    virtual void visit(int x, int y) = 0;
    virtual void begin() {}
    virtual void finish() {}

    // Grows the list in steps of ten entries.
    void addHit(int x, int y, uint32_t key, uint32_t extra = 0);
    void clearHits() { m_hits.clear(); }
    std::vector<HexScanHit>& mutableHits() { return m_hits; }

    // Ends the scan after the current visit.
    void stop() { m_stop = true; }
    bool stopped() const { return m_stop; }
    // Rings below it are walked but not visited; 0 visits the centre.
    void setMinimumRadius(int r) { m_minimumRadius = r; }
    // The scan ends after a ring unless a visit in it called keepGoing.
    void setRingEndMode(bool on) { m_ringEndMode = on; }
    void keepGoing() { m_ringFlag = true; }

    // Where the walk stands: ring 1..radius (0 at the centre), side 0..5, step 0..ring - 1.
    int ring() const { return m_ring; }
    int side() const { return m_side; }
    int step() const { return m_step; }

    GameState& state() const { return m_state; }

private:
    void walkRings();

    GameState& m_state;
    std::vector<HexScanHit> m_hits;
    int m_centreX = 0;
    int m_centreY = 0;
    int m_radius = 0;
    int m_ring = 0;
    int m_side = 0;
    int m_step = 0;
    bool m_stop = false;
    int m_minimumRadius = 0;
    bool m_ringEndMode = false;
    bool m_ringFlag = false;
};

