// MIDI song playback through libfluidsynth, events dispatched at sample accuracy by the mixer.
#include "platform/media/midi_sequence.h"

#include "platform/media/fluid_library.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

namespace platform::media {

// One synthesiser per sequence, so two songs (music and a preview) never share channel state.
class Synthesiser {
public:
    static std::unique_ptr<Synthesiser> open()
    {
        const FluidLibrary* fluid = fluidLibrary();
        std::string font = soundFontPath();
        if (!fluid || font.empty())
            return nullptr;
        auto synth = std::unique_ptr<Synthesiser>(new Synthesiser(*fluid));
        if (!synth->m_synth || fluid->loadSoundFont(synth->m_synth, font.c_str(), 1) == FLUID_FAILED)
            return nullptr;
        return synth;
    }
    ~Synthesiser()
    {
        if (m_synth)
            m_fluid.deleteSynth(m_synth);
        m_fluid.deleteSettings(m_settings);
    }
    fluid_synth_t* get() const { return m_synth; }
    const FluidLibrary& fluid() const { return m_fluid; }

private:
    explicit Synthesiser(const FluidLibrary& library)
        : m_fluid(library)
    {
        static bool quiet = [this] {
            // Missing presets are reported per note; the game has no use for that chatter.
            m_fluid.setLogFunction(FLUID_WARN, nullptr, nullptr);
            m_fluid.setLogFunction(FLUID_INFO, nullptr, nullptr);
            m_fluid.setLogFunction(FLUID_DBG, nullptr, nullptr);
            return true;
        }();
        (void)quiet;
        m_settings = m_fluid.newSettings();
        m_fluid.settingsSetNumber(m_settings, "synth.sample-rate", kDeviceRate);
        m_fluid.settingsSetNumber(m_settings, "synth.gain", 0.5);
        m_synth = m_fluid.newSynth(m_settings);
    }
    const FluidLibrary& m_fluid;
    fluid_settings_t* m_settings = nullptr;
    fluid_synth_t* m_synth = nullptr;
};

std::string soundFontPath()
{
    if (const char* chosen = std::getenv("DERAZODO_SOUNDFONT"))
        return std::filesystem::exists(chosen) ? chosen : "";
    for (const char* candidate : {"/usr/share/sounds/sf2/TimGM6mb.sf2", "/usr/share/sounds/sf2/default-GM.sf2",
                                  "/usr/share/sounds/sf2/FluidR3_GM.sf2"})
        if (std::filesystem::exists(candidate))
            return candidate;
    return "";
}

namespace {
uint64_t usToSamples(uint64_t us) { return us * kDeviceRate / 1000000; }
uint64_t samplesToUs(uint64_t samples) { return samples * 1000000 / kDeviceRate; }
} // namespace

std::shared_ptr<MidiSequence> MidiSequence::create(MidiSong song)
{
    return std::shared_ptr<MidiSequence>(new MidiSequence(std::move(song)));
}

MidiSequence::MidiSequence(MidiSong song)
    : m_song(std::move(song))
    , m_synth(Synthesiser::open())
{
    m_endSample = usToSamples(m_song.lengthUs);
}

MidiSequence::~MidiSequence() = default;

void MidiSequence::play(uint64_t endUs, int repeats)
{
    auto& mixer = Mixer::instance();
    std::lock_guard lock(mixer.mutex());
    m_endSample = usToSamples(std::min(endUs, m_song.lengthUs));
    m_repeats = repeats;
    mixer.activate(shared_from_this());
}

void MidiSequence::stop()
{
    auto& mixer = Mixer::instance();
    std::lock_guard lock(mixer.mutex());
    mixer.deactivate(this);
    if (m_synth)
        m_synth->fluid().allSoundsOff(m_synth->get(), -1);
}

bool MidiSequence::isPlaying() const { return Mixer::instance().isActive(this); }

uint64_t MidiSequence::positionUs() const
{
    std::lock_guard lock(Mixer::instance().mutex());
    return std::min(samplesToUs(m_sample), m_song.lengthUs);
}

void MidiSequence::seek(uint64_t us)
{
    std::lock_guard lock(Mixer::instance().mutex());
    seekLocked(usToSamples(std::min(us, m_song.lengthUs)));
}

void MidiSequence::setVolume(long hundredthsDb)
{
    std::lock_guard lock(Mixer::instance().mutex());
    m_gain = gainOfVolume(hundredthsDb);
}

void MidiSequence::setEndHandler(std::function<void()> handler)
{
    std::lock_guard lock(Mixer::instance().mutex());
    m_endHandler = std::move(handler);
}

// Jumps without sounding the notes passed over, keeping the programs and controllers they set.
void MidiSequence::seekLocked(uint64_t sample)
{
    m_sample = sample;
    m_next = 0;
    if (m_synth)
        m_synth->fluid().systemReset(m_synth->get());
    while (m_next < m_song.events.size() && usToSamples(m_song.events[m_next].timeUs) < sample) {
        uint8_t kind = m_song.events[m_next].status & 0xF0;
        if (kind != 0x80 && kind != 0x90)
            send(m_song.events[m_next]);
        ++m_next;
    }
}

void MidiSequence::send(const MidiEvent& event)
{
    if (!m_synth)
        return;
    fluid_synth_t* s = m_synth->get();
    const FluidLibrary& fluid = m_synth->fluid();
    int channel = event.status & 0x0F;
    switch (event.status & 0xF0) {
    case 0x80: fluid.noteOff(s, channel, event.data1); break;
    case 0x90:
        if (event.data2)
            fluid.noteOn(s, channel, event.data1, event.data2);
        else
            fluid.noteOff(s, channel, event.data1);
        break;
    case 0xA0: fluid.keyPressure(s, channel, event.data1, event.data2); break;
    case 0xB0: fluid.controlChange(s, channel, event.data1, event.data2); break;
    case 0xC0: fluid.programChange(s, channel, event.data1); break;
    case 0xD0: fluid.channelPressure(s, channel, event.data1); break;
    case 0xE0: fluid.pitchBend(s, channel, event.data1 | event.data2 << 7); break;
    }
}

void MidiSequence::renderSynth(float* mix, size_t frames)
{
    if (!m_synth || frames == 0)
        return;
    m_buffer.assign(frames * 2, 0.0f);
    m_synth->fluid().writeFloat(m_synth->get(), int(frames), m_buffer.data(), 0, 2, m_buffer.data(), 1, 2);
    float scale = 32768.0f * m_gain;
    for (size_t i = 0; i < frames * 2; ++i)
        mix[i] += m_buffer[i] * scale;
}

bool MidiSequence::render(float* mix, size_t frames)
{
    if (m_endSample == 0)
        return false;
    size_t done = 0;
    while (done < frames) {
        if (m_sample >= m_endSample) {
            if (m_repeats == 0) {
                renderSynth(mix + done * 2, frames - done); // let the last notes ring out this block
                return false;
            }
            if (m_repeats > 0)
                --m_repeats;
            seekLocked(0);
        }
        while (m_next < m_song.events.size() && usToSamples(m_song.events[m_next].timeUs) <= m_sample)
            send(m_song.events[m_next++]);
        uint64_t until = m_endSample;
        if (m_next < m_song.events.size())
            until = std::min(until, usToSamples(m_song.events[m_next].timeUs));
        size_t chunk = size_t(std::min<uint64_t>(frames - done, std::max<uint64_t>(until - m_sample, 1)));
        renderSynth(mix + done * 2, chunk);
        m_sample += chunk;
        done += chunk;
    }
    return true;
}

void MidiSequence::ended()
{
    std::function<void()> handler;
    {
        std::lock_guard lock(Mixer::instance().mutex());
        if (m_synth)
            m_synth->fluid().allNotesOff(m_synth->get(), -1);
        handler = m_endHandler;
    }
    if (handler)
        handler();
}

} // namespace platform::media
