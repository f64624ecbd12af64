// Byte-counting reads and checked writes of saved games.
#include "state/saved_game_stream.h"

#include "lib/error.h"

#include <algorithm>

DWORD SavedGameInput::Read(void* buffer, DWORD count)
{
    DWORD done = m_inner.Read(buffer, count);
    m_offset += done;
    return done;
}

DWORD SavedGameInput::Write(const void*, DWORD)
{
    return 0;
}

DWORD SavedGameInput::Seek(LONG offset, int origin)
{
    // Only forward skips relative to here are needed; they are read so the offset stays true.
    if (origin == 1 && offset >= 0)
        skip(size_t(offset));
    return DWORD(m_offset);
}

bool SavedGameInput::readExact(void* buffer, size_t count)
{
    return count == 0 || Read(buffer, DWORD(count)) == count;
}

bool SavedGameInput::skip(size_t count)
{
    uint8_t scratch[4096];
    while (count > 0) {
        size_t step = std::min(count, sizeof scratch);
        if (!readExact(scratch, step))
            return false;
        count -= step;
    }
    return true;
}

DWORD SavedGameOutput::Read(void*, DWORD)
{
    return 0;
}

DWORD SavedGameOutput::Write(const void* buffer, DWORD count)
{
    writeExact(m_inner, buffer, count);
    for (DWORD i = 0; i < count; ++i)
        m_digest = (m_digest ^ static_cast<const uint8_t*>(buffer)[i]) * 0x100000001b3ull;
    return count;
}

DWORD SavedGameOutput::Seek(LONG, int)
{
    // The digest follows the bytes in order; a writer never moves back.
    throw new swCFileError(3);
}

void writeExact(swCFile& stream, const void* buffer, size_t count)
{
    if (count > 0 && stream.Write(buffer, DWORD(count)) != count)
        throw new swCFileError(2);
}
