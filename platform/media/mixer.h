// The one audio mixer: every playing source summed into 44100 Hz 16-bit stereo for the output.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace platform::media {

inline constexpr int kDeviceRate = 44100;
inline constexpr int kDeviceChannels = 2;

// Something the mixer adds to its output while active: a PCM voice, a MIDI sequence.
// Its state is guarded by the mixer's mutex.
class Source {
public:
    virtual ~Source() = default;

protected:
    friend class Mixer;
    // Mixing thread, mixer locked: adds up to `frames` stereo frames into `mix` (interleaved, full
    // scale 32768). Returns false once it has ended; the mixer then deactivates it.
    virtual bool render(float* mix, size_t frames) = 0;
    // Mixing thread, mixer unlocked: called once after render returned false.
    virtual void ended() { }
};

class Output;

class Mixer {
public:
    enum class OutputKind { Device, Silent, Manual };

    // Created on first use with the SDL device, or the silent real-time sink when
    // DERAZODO_HEADLESS is set or no device opens.
    static Mixer& instance();

    // Guards every source's state; recursive so a source's methods may call the mixer.
    std::recursive_mutex& mutex() { return m_mutex; }

    void activate(std::shared_ptr<Source> source);
    void deactivate(const Source* source);
    bool isActive(const Source* source) const;
    // Silences every source at once, without end notices (tests start from silence).
    void deactivateAll();

    OutputKind outputKind() const;
    // Tests: stops the real-time output; the mix then advances only through renderFrames.
    void useManualClock();
    // Back to the output chosen at start-up.
    void useRealTimeClock();

    // Mixes `frames` stereo frames into `out` and runs the end notices of sources that finished.
    void renderFrames(int16_t* out, size_t frames);

    // Keeps a copy of everything mixed from now on (at most `maxSeconds`).
    void startRecording(double maxSeconds = 120);
    std::vector<int16_t> stopRecording();

private:
    Mixer();
    void openOutput(bool preferDevice);

    mutable std::recursive_mutex m_mutex;
    std::vector<std::shared_ptr<Source>> m_active;
    std::vector<float> m_scratch;
    bool m_recording = false;
    size_t m_recordLimit = 0;
    std::vector<int16_t> m_record;

    std::mutex m_outputMutex; // held while the output is swapped, never by the mixing thread
    std::unique_ptr<Output> m_output;
    std::atomic<OutputKind> m_kind { OutputKind::Silent };
    bool m_deviceWanted = false;
};

// Gain of a volume in hundredths of a decibel (-10000 and below: silence).
float gainOfVolume(long hundredthsDb);

} // namespace platform::media
