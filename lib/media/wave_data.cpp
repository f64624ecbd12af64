// Wave file reading for the sound-effect player.
#include "lib/media/wave_data.h"
#include "lib/error.h"
#include "lib/file.h"
#include "platform/media/wave_file.h"

namespace {
// Larger than any effect or piece of wave music the game plays.
constexpr DWORD kMaxWaveBytes = 256u << 20;
}

WaveData::WaveData(const char* fileName)
{
    swCFile file(fileName, 0);
    DWORD size = file.fileGetSize();
    if (size > kMaxWaveBytes)
        throw new swCFileError(5);
    m_bytes.resize(size);
    if (file.fileRead(m_bytes.data(), size) != size)
        throw new swCFileError(1);
    locate();
}

WaveData::WaveData(std::vector<uint8_t> bytes)
    : m_bytes(std::move(bytes))
{
    locate();
}

void WaveData::locate()
{
    auto parsed = platform::media::parseWave(m_bytes);
    if (!parsed)
        throw new swCFileError(parsed.error == platform::media::WaveError::Truncated ? 5 : 1);
    m_format = parsed.image.format;
    m_dataOffset = size_t(parsed.image.samples.data() - m_bytes.data());
    m_dataSize = DWORD(parsed.image.samples.size());
}
