// PCM voice: linear resampling to the device rate, gain from volume and pan.
#include "platform/media/pcm_voice.h"

#include <algorithm>
#include <cmath>

namespace platform::media {

std::shared_ptr<PcmVoice> PcmVoice::create(const WAVEFORMATEX& format, std::vector<uint8_t> bytes)
{
    return create(format, std::make_shared<std::vector<uint8_t>>(std::move(bytes)));
}

std::shared_ptr<PcmVoice> PcmVoice::create(const WAVEFORMATEX& format, std::shared_ptr<std::vector<uint8_t>> bytes)
{
    return std::shared_ptr<PcmVoice>(new PcmVoice(format, std::move(bytes)));
}

PcmVoice::PcmVoice(const WAVEFORMATEX& format, std::shared_ptr<std::vector<uint8_t>> bytes)
    : m_format(format)
    , m_bytes(std::move(bytes))
{
    m_format.nBlockAlign = WORD(m_format.nChannels * (m_format.wBitsPerSample / 8));
    if (m_format.nBlockAlign == 0)
        m_format.nBlockAlign = 1;
    m_frames = m_bytes->size() / m_format.nBlockAlign;
}

void PcmVoice::playRepeating(int repeats)
{
    auto& mixer = Mixer::instance();
    std::lock_guard lock(mixer.mutex());
    m_repeats = repeats;
    if (m_frames > 0)
        mixer.activate(shared_from_this());
}

void PcmVoice::stop() { Mixer::instance().deactivate(this); }

bool PcmVoice::isPlaying() const { return Mixer::instance().isActive(this); }

bool PcmVoice::isLooping() const
{
    std::lock_guard lock(Mixer::instance().mutex());
    return m_repeats < 0 && Mixer::instance().isActive(this);
}

void PcmVoice::setVolume(long hundredthsDb)
{
    std::lock_guard lock(Mixer::instance().mutex());
    m_volume = std::clamp(hundredthsDb, -10000L, 0L);
}

long PcmVoice::volume() const
{
    std::lock_guard lock(Mixer::instance().mutex());
    return m_volume;
}

void PcmVoice::setPan(long pan)
{
    std::lock_guard lock(Mixer::instance().mutex());
    m_pan = std::clamp(pan, -10000L, 10000L);
}

long PcmVoice::pan() const
{
    std::lock_guard lock(Mixer::instance().mutex());
    return m_pan;
}

void PcmVoice::setFrequency(uint32_t hz)
{
    std::lock_guard lock(Mixer::instance().mutex());
    m_frequency = hz;
}

uint32_t PcmVoice::frequency() const
{
    std::lock_guard lock(Mixer::instance().mutex());
    return m_frequency ? m_frequency : m_format.nSamplesPerSec;
}

uint32_t PcmVoice::positionBytes() const
{
    std::lock_guard lock(Mixer::instance().mutex());
    return uint32_t(size_t(m_position) * m_format.nBlockAlign);
}

void PcmVoice::setPositionBytes(uint32_t bytes)
{
    std::lock_guard lock(Mixer::instance().mutex());
    m_position = double(std::min<size_t>(bytes / m_format.nBlockAlign, m_frames ? m_frames - 1 : 0));
}

void PcmVoice::read(size_t offset, void* out, size_t count) const
{
    std::lock_guard lock(Mixer::instance().mutex());
    if (offset <= m_bytes->size() && count <= m_bytes->size() - offset)
        std::copy_n(m_bytes->data() + offset, count, static_cast<uint8_t*>(out));
}

void PcmVoice::write(size_t offset, const void* in, size_t count)
{
    std::lock_guard lock(Mixer::instance().mutex());
    if (offset <= m_bytes->size() && count <= m_bytes->size() - offset)
        std::copy_n(static_cast<const uint8_t*>(in), count, m_bytes->data() + offset);
}

void PcmVoice::setEndHandler(std::function<void()> handler)
{
    std::lock_guard lock(Mixer::instance().mutex());
    m_endHandler = std::move(handler);
}

float PcmVoice::sample(size_t frame, int channel) const
{
    const uint8_t* p = m_bytes->data() + frame * m_format.nBlockAlign;
    if (m_format.nChannels == 2)
        p += channel * (m_format.wBitsPerSample / 8);
    if (m_format.wBitsPerSample == 8)
        return float((int(p[0]) - 128) * 256);
    return float(int16_t(uint16_t(p[0] | p[1] << 8)));
}

bool PcmVoice::render(float* mix, size_t frames)
{
    float gain = gainOfVolume(m_volume);
    float left = gain * (m_pan > 0 ? gainOfVolume(-m_pan) : 1.0f);
    float right = gain * (m_pan < 0 ? gainOfVolume(m_pan) : 1.0f);
    uint32_t rate = m_frequency ? m_frequency : m_format.nSamplesPerSec;
    double step = double(rate) / kDeviceRate;
    for (size_t out = 0; out < frames; ++out) {
        size_t frame = size_t(m_position);
        float fraction = float(m_position - double(frame));
        size_t next = frame + 1 < m_frames ? frame + 1 : (m_repeats != 0 ? 0 : frame);
        float l0 = sample(frame, 0), l1 = sample(next, 0);
        float r0 = sample(frame, 1), r1 = sample(next, 1);
        mix[out * 2] += left * (l0 + (l1 - l0) * fraction);
        mix[out * 2 + 1] += right * (r0 + (r1 - r0) * fraction);
        m_position += step;
        if (m_position >= double(m_frames)) {
            if (m_repeats == 0) {
                m_position = 0;
                return false;
            }
            if (m_repeats > 0)
                --m_repeats;
            m_position = std::fmod(m_position, double(m_frames));
        }
    }
    return true;
}

void PcmVoice::ended()
{
    std::function<void()> handler;
    {
        std::lock_guard lock(Mixer::instance().mutex());
        handler = m_endHandler;
    }
    if (handler)
        handler();
}

} // namespace platform::media
