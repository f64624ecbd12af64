// MemoryReadStream: a read-only swCFile over a block already in memory (a saved block).
#pragma once

#include "lib/file.h"

#include <cstddef>
#include <cstdint>

class MemoryReadStream : public swCFile {
public:
    // The buffer is the caller's and must outlive the stream.
    MemoryReadStream(const void* buffer, size_t size);

    // All of count or nothing: a read past the end copies nothing and returns 0.
    DWORD Read(void* buffer, DWORD count) override;
    DWORD Write(const void* buffer, DWORD count) override;
    // Origin 0 sets the position, 1 moves it; others leave it. Returns offset.
    DWORD Seek(LONG offset, int origin) override;

    size_t position() const { return m_position; }
    size_t size() const { return m_size; }

private:
    const uint8_t* m_buffer;
    size_t m_size;
    size_t m_position = 0;
};
