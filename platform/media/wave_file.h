// Reading PCM wave files: RIFF chunks walked with every size checked against the bytes present.
#pragma once

#include "platform/media/mmsystem.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace platform::media {

// The largest sound or music file the media area reads whole.
constexpr size_t kMaxMediaFileBytes = size_t(512) << 20;

enum class WaveError { None, NotRiff, NotWave, Truncated, MissingFormat, MissingData, UnsupportedFormat };

struct WaveImage {
    WAVEFORMATEX format {};           // as stored, cbSize forced to 0
    std::span<const uint8_t> samples; // whole frames inside the file's bytes
};

struct WaveParse {
    WaveError error = WaveError::None;
    WaveImage image;
    explicit operator bool() const { return error == WaveError::None; }
};

// Accepts 8- or 16-bit PCM, one or two channels, 100 to 200000 frames per second. Chunks are
// word-aligned (an odd size is followed by a pad byte); a chunk reaching past the end is refused.
WaveParse parseWave(std::span<const uint8_t> bytes);

const char* waveErrorText(WaveError error);

} // namespace platform::media
