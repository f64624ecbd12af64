// Wave file reader with bounded chunk walking.
#include "platform/media/wave_file.h"

#include <cstring>

namespace platform::media {
namespace {

uint32_t readU32(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24; }
uint16_t readU16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }

bool isSupported(const WAVEFORMATEX& f)
{
    return f.wFormatTag == WAVE_FORMAT_PCM && (f.nChannels == 1 || f.nChannels == 2)
        && (f.wBitsPerSample == 8 || f.wBitsPerSample == 16) && f.nSamplesPerSec >= 100
        && f.nSamplesPerSec <= 200000;
}

} // namespace

WaveParse parseWave(std::span<const uint8_t> bytes)
{
    WaveParse result;
    if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0) {
        result.error = bytes.size() < 12 ? WaveError::Truncated : WaveError::NotRiff;
        return result;
    }
    if (std::memcmp(bytes.data() + 8, "WAVE", 4) != 0) {
        result.error = WaveError::NotWave;
        return result;
    }
    // The RIFF size is often wrong in files written by simple tools; the file's end bounds the walk.
    size_t end = bytes.size();
    uint64_t riffEnd = uint64_t(readU32(bytes.data() + 4)) + 8;
    if (riffEnd >= 12 && riffEnd < end)
        end = size_t(riffEnd);

    bool haveFormat = false;
    const uint8_t* data = nullptr;
    size_t dataSize = 0;
    size_t at = 12;
    while (end - at >= 8) {
        const uint8_t* header = bytes.data() + at;
        uint64_t size = readU32(header + 4);
        if (size > end - at - 8) {
            result.error = WaveError::Truncated;
            return result;
        }
        const uint8_t* body = header + 8;
        if (std::memcmp(header, "fmt ", 4) == 0 && !haveFormat) {
            if (size < 16) {
                result.error = WaveError::Truncated;
                return result;
            }
            WAVEFORMATEX& f = result.image.format;
            f.wFormatTag = readU16(body);
            f.nChannels = readU16(body + 2);
            f.nSamplesPerSec = readU32(body + 4);
            f.wBitsPerSample = readU16(body + 14);
            f.nBlockAlign = WORD(f.nChannels * (f.wBitsPerSample / 8));
            f.nAvgBytesPerSec = f.nSamplesPerSec * f.nBlockAlign;
            f.cbSize = 0;
            if (!isSupported(f)) {
                result.error = WaveError::UnsupportedFormat;
                return result;
            }
            haveFormat = true;
        } else if (std::memcmp(header, "data", 4) == 0 && !data) {
            data = body;
            dataSize = size_t(size);
        }
        at += 8 + size_t(size);
        if (size & 1) {
            if (at == end)
                break;
            ++at;
        }
    }
    if (!haveFormat) {
        result.error = WaveError::MissingFormat;
        return result;
    }
    if (!data) {
        result.error = WaveError::MissingData;
        return result;
    }
    size_t frameBytes = result.image.format.nBlockAlign;
    result.image.samples = {data, dataSize - dataSize % frameBytes};
    return result;
}

const char* waveErrorText(WaveError error)
{
    switch (error) {
    case WaveError::None: return "no error";
    case WaveError::NotRiff: return "not a RIFF file";
    case WaveError::NotWave: return "not a WAVE file";
    case WaveError::Truncated: return "chunk reaches past the end of the file";
    case WaveError::MissingFormat: return "no fmt chunk";
    case WaveError::MissingData: return "no data chunk";
    case WaveError::UnsupportedFormat: return "not 8- or 16-bit PCM with one or two channels";
    }
    return "unknown";
}

} // namespace platform::media
