// Byte-counting reads and checked writes over a swCFile, shared by the saved-game reader and writer.
#pragma once

#include "lib/file.h"

#include <cstddef>
#include <cstdint>
#include <string>

// Forwards to another stream and keeps the offset of the next byte, so a refusal can say where.
class SavedGameInput : public swCFile {
public:
    explicit SavedGameInput(swCFile& inner) : m_inner(inner) { }

    DWORD Read(void* buffer, DWORD count) override;
    DWORD Write(const void* buffer, DWORD count) override;
    DWORD Seek(LONG offset, int origin) override;

    // Exactly count bytes, or false.
    bool readExact(void* buffer, size_t count);
    bool readU32(uint32_t& value) { return readExact(&value, sizeof value); }
    bool skip(size_t count);
    uint64_t offset() const { return m_offset; }

private:
    swCFile& m_inner;
    uint64_t m_offset = 0;
};

// Forwards writes to another stream, refusing short ones as writeExact does, and keeps a 64-bit
// FNV-1a digest of every byte: the two files of a save are marked with one digest of both.
class SavedGameOutput : public swCFile {
public:
    explicit SavedGameOutput(swCFile& inner) : m_inner(inner) { }

    DWORD Read(void* buffer, DWORD count) override;
    DWORD Write(const void* buffer, DWORD count) override;
    DWORD Seek(LONG offset, int origin) override;

    uint64_t digest() const { return m_digest; }

private:
    swCFile& m_inner;
    uint64_t m_digest = 0xcbf29ce484222325ull;
};

// Writes all of count bytes or throws swCFileError code 2 (a full disk answers short).
void writeExact(swCFile& stream, const void* buffer, size_t count);
inline void writeU32(swCFile& stream, uint32_t value) { writeExact(stream, &value, sizeof value); }
