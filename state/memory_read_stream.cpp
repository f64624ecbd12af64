// Reads of a block in memory, refusing any read past its end.
#include "state/memory_read_stream.h"

#include <cstring>

MemoryReadStream::MemoryReadStream(const void* buffer, size_t size)
    : m_buffer(static_cast<const uint8_t*>(buffer))
    , m_size(size)
{
}

DWORD MemoryReadStream::Read(void* buffer, DWORD count)
{
    if (m_position > m_size || count > m_size - m_position)
        return 0;
    if (count)
        std::memcpy(buffer, m_buffer + m_position, count);
    m_position += count;
    return count;
}

DWORD MemoryReadStream::Write(const void*, DWORD)
{
    return 0;
}

DWORD MemoryReadStream::Seek(LONG offset, int origin)
{
    if (origin == 0)
        m_position = size_t(uint32_t(offset));
    else if (origin == 1)
        m_position = size_t(uint32_t(uint32_t(m_position) + uint32_t(offset)));
    return DWORD(offset);
}
