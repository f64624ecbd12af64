// One PCM voice of the mixer: 8/16-bit, mono/stereo, any rate, with volume, pan, frequency and looping.
#pragma once

#include "platform/media/mixer.h"
#include "platform/media/mmsystem.h"

#include <functional>
#include <vector>

namespace platform::media {

// Thread-safe: every method takes the mixer's lock.
class PcmVoice final : public Source, public std::enable_shared_from_this<PcmVoice> {
public:
    // `format` must be 8- or 16-bit PCM with one or two channels; bytes are cut to whole frames.
    static std::shared_ptr<PcmVoice> create(const WAVEFORMATEX& format, std::vector<uint8_t> bytes);
    // Shares the samples with other voices (segments played several times at once).
    static std::shared_ptr<PcmVoice> create(const WAVEFORMATEX& format, std::shared_ptr<std::vector<uint8_t>> bytes);

    const WAVEFORMATEX& format() const { return m_format; }
    size_t sizeBytes() const { return m_bytes->size(); }

    // Plays from the current position; at the end a one-shot voice stops and rewinds to 0.
    void play(bool looping) { playRepeating(looping ? -1 : 0); }
    // `repeats` more passes from the start after the first; -1 for endless.
    void playRepeating(int repeats);
    void stop();
    bool isPlaying() const;
    bool isLooping() const;

    void setVolume(long hundredthsDb);
    long volume() const;
    void setPan(long pan);
    long pan() const;
    // Frames per second the data is played at; 0 restores the format's own rate.
    void setFrequency(uint32_t hz);
    uint32_t frequency() const;

    uint32_t positionBytes() const;
    void setPositionBytes(uint32_t bytes);

    void read(size_t offset, void* out, size_t count) const;
    void write(size_t offset, const void* in, size_t count);

    // Runs on the mixing thread, unlocked, when a one-shot play reaches the end.
    void setEndHandler(std::function<void()> handler);

protected:
    bool render(float* mix, size_t frames) override;
    void ended() override;

private:
    PcmVoice(const WAVEFORMATEX& format, std::shared_ptr<std::vector<uint8_t>> bytes);
    float sample(size_t frame, int channel) const;

    WAVEFORMATEX m_format;
    std::shared_ptr<std::vector<uint8_t>> m_bytes;
    size_t m_frames = 0;
    double m_position = 0; // in frames, fractional while resampling
    int m_repeats = 0;
    long m_volume = 0;
    long m_pan = 0;
    uint32_t m_frequency = 0;
    std::function<void()> m_endHandler;
};

} // namespace platform::media
