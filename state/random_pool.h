// RandomPool: the recorded random bytes every rule draws from, saved with the game.
#pragma once

#include <cstdint>

class swCFile;

class RandomPool {
public:
    static constexpr int kPoolSize = 16384;
    static constexpr uint32_t kGroups = kPoolSize / 4;
    static constexpr uint32_t kOrderRows = 24;

    struct Cursor {
        uint32_t position = 0;
        uint32_t row = 0;
    };

    // A fresh pool from the runtime generator; cursors at the start.
    void fill();
    // A number in [lo, hi]; the full 32-bit range divides by 65535.
    uint32_t draw(uint32_t lo, uint32_t hi);

    // Stream form: the inUse byte, then (only when it is 1) the pool and both cursors.
    // A short stream leaves an unused, zeroed pool and answers false.
    void save(swCFile& stream) const;
    bool load(swCFile& stream);
    bool skip(swCFile& stream);

    bool inUse() const { return m_inUse == 1; }
    const Cursor& cursor() const { return m_cursor[0]; }
    const uint8_t* bytes() const { return m_pool; }

    // The byte positions, most significant first, of each order row.
    static const uint8_t kOrder[kOrderRows][4];

private:
    void reset();

    uint8_t m_pool[kPoolSize] = {};
    uint8_t m_inUse = 0;
    // Cursor 1 is saved and restored with cursor 0 but never drawn from.
    Cursor m_cursor[2];
};
