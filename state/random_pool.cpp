// The random pool's fill, draw order and stream form.
#include "state/random_pool.h"

#include "lib/file.h"
#include "platform/kernel/host.h"

#include <cstring>

const uint8_t RandomPool::kOrder[kOrderRows][4] = {
    { 0, 1, 2, 3 }, { 0, 1, 3, 2 }, { 0, 2, 1, 3 }, { 0, 2, 3, 1 }, { 0, 3, 1, 2 }, { 0, 3, 2, 1 },
    { 1, 0, 2, 3 }, { 1, 0, 3, 2 }, { 1, 2, 0, 3 }, { 1, 2, 3, 0 }, { 1, 3, 0, 2 }, { 1, 3, 2, 0 },
    { 2, 1, 0, 3 }, { 2, 1, 3, 0 }, { 2, 0, 1, 3 }, { 2, 0, 3, 1 }, { 2, 3, 1, 0 }, { 2, 3, 0, 1 },
    { 3, 1, 2, 0 }, { 3, 1, 0, 2 }, { 3, 2, 1, 0 }, { 3, 2, 0, 1 }, { 3, 0, 1, 2 }, { 3, 0, 2, 1 },
};

void RandomPool::reset()
{
    std::memset(m_pool, 0, sizeof m_pool);
    m_inUse = 0;
    m_cursor[0] = m_cursor[1] = Cursor{};
}

void RandomPool::fill()
{
    m_inUse = 1;
    for (uint8_t& byte : m_pool)
        byte = uint8_t(platform::crtRand());
    m_cursor[0] = Cursor{};
    m_cursor[1] = m_cursor[0];
}

uint32_t RandomPool::draw(uint32_t lo, uint32_t hi)
{
    uint32_t n = hi - lo + 1;
    if (n == 0)
        n = 65535;
    if (m_inUse != 1)
        return uint32_t(platform::crtRand()) % n + lo;

    Cursor& c = m_cursor[0];
    const uint8_t* group = m_pool + 4 * c.position;
    const uint8_t* order = kOrder[c.row];
    uint32_t v = uint32_t(group[order[0]]) << 24 | uint32_t(group[order[1]]) << 16
        | uint32_t(group[order[2]]) << 8 | group[order[3]];
    if (++c.position == kGroups) {
        c.position = 0;
        if (++c.row == kOrderRows)
            c.row = 0;
    }
    return v % n + lo;
}

namespace {

void putU32(uint8_t* out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out[i] = uint8_t(v >> (8 * i));
}

uint32_t getU32(const uint8_t* in)
{
    return uint32_t(in[0]) | uint32_t(in[1]) << 8 | uint32_t(in[2]) << 16 | uint32_t(in[3]) << 24;
}

} // namespace

void RandomPool::save(swCFile& stream) const
{
    stream.fileWrite(&m_inUse, 1);
    if (m_inUse != 1)
        return;
    stream.fileWrite(m_pool, kPoolSize);
    uint8_t cursors[16];
    putU32(cursors, m_cursor[0].position);
    putU32(cursors + 4, m_cursor[0].row);
    putU32(cursors + 8, m_cursor[1].position);
    putU32(cursors + 12, m_cursor[1].row);
    stream.fileWrite(cursors, sizeof cursors);
}

bool RandomPool::load(swCFile& stream)
{
    uint8_t flag = 0;
    if (stream.fileRead(&flag, 1) != 1) {
        reset();
        return false;
    }
    if (flag != 1) {
        reset();
        return true;
    }
    uint8_t cursors[16];
    if (stream.fileRead(m_pool, kPoolSize) != DWORD(kPoolSize) || stream.fileRead(cursors, 16) != 16) {
        reset();
        return false;
    }
    Cursor loaded[2] = { { getU32(cursors), getU32(cursors + 4) }, { getU32(cursors + 8), getU32(cursors + 12) } };
    // A cursor out of range would read past the pool or the order table.
    for (const Cursor& c : loaded)
        if (c.position >= kGroups || c.row >= kOrderRows) {
            reset();
            return false;
        }
    m_inUse = 1;
    m_cursor[0] = loaded[0];
    m_cursor[1] = loaded[1];
    return true;
}

bool RandomPool::skip(swCFile& stream)
{
    uint8_t flag = 0;
    if (stream.fileRead(&flag, 1) != 1)
        return false;
    if (flag == 1)
        stream.fileSeek(kPoolSize + 16, 1);
    return true;
}
