// A MIDI song as a mixer source: rendered by the General MIDI synthesiser when one is available,
// otherwise silent with the song's own timing.
#pragma once

#include "platform/media/midi_file.h"
#include "platform/media/mixer.h"

#include <functional>

namespace platform::media {

class Synthesiser;

// Thread-safe: every method takes the mixer's lock.
class MidiSequence final : public Source, public std::enable_shared_from_this<MidiSequence> {
public:
    static std::shared_ptr<MidiSequence> create(MidiSong song);
    ~MidiSequence() override;

    uint64_t lengthUs() const { return m_song.lengthUs; }
    bool hasSynthesiser() const { return m_synth != nullptr; }

    // Plays from the current position up to `endUs` (clamped to the length); `repeats` more
    // passes from the start follow, -1 for endless.
    void play(uint64_t endUs, int repeats);
    // Stops sounding and keeps the position.
    void stop();
    bool isPlaying() const;
    uint64_t positionUs() const;
    void seek(uint64_t us);
    void setVolume(long hundredthsDb);

    // Runs on the mixing thread, unlocked, when the last pass reaches its end.
    void setEndHandler(std::function<void()> handler);

protected:
    bool render(float* mix, size_t frames) override;
    void ended() override;

private:
    explicit MidiSequence(MidiSong song);
    void seekLocked(uint64_t sample);
    void renderSynth(float* mix, size_t frames);
    void send(const MidiEvent& event);

    MidiSong m_song;
    std::unique_ptr<Synthesiser> m_synth;
    std::vector<float> m_buffer;
    uint64_t m_sample = 0;   // position in device frames
    size_t m_next = 0;       // next event to send
    uint64_t m_endSample = 0;
    int m_repeats = 0;
    float m_gain = 1.0f;
    std::function<void()> m_endHandler;
};

// The General MIDI SoundFont used for rendering, or empty when none is installed.
std::string soundFontPath();

} // namespace platform::media
