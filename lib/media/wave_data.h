// WaveData: a wave file read whole, with its format block and sample data located inside it.
#pragma once

#include "platform/media/mmsystem.h"

#include <cstdint>
#include <vector>

class WaveData {
public:
    // Reads and checks the file. Throws swCFileError: from the file itself, code 1 when it is
    // not a PCM wave file with a "fmt " and a "data" chunk, code 5 when a chunk's size reaches
    // past the end of the file.
    explicit WaveData(const char* fileName);
    // The same checks on bytes already in memory.
    explicit WaveData(std::vector<uint8_t> bytes);

    const WAVEFORMATEX& format() const { return m_format; }
    const uint8_t* samples() const { return m_bytes.data() + m_dataOffset; }
    DWORD dataSize() const { return m_dataSize; }

private:
    void locate();

    std::vector<uint8_t> m_bytes;
    WAVEFORMATEX m_format {};
    size_t m_dataOffset = 0;
    DWORD m_dataSize = 0;
};
