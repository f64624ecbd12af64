// The mixer: sums active sources with clipping and feeds the chosen output.
#include "platform/media/mixer.h"
#include "platform/media/output.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace platform::media {

float gainOfVolume(long hundredthsDb)
{
    if (hundredthsDb <= -10000)
        return 0.0f;
    if (hundredthsDb >= 0)
        return 1.0f;
    return float(std::pow(10.0, double(hundredthsDb) / 2000.0));
}

Mixer& Mixer::instance()
{
    // Never destroyed: sources and notices may still run while the program exits.
    static Mixer* mixer = [] {
        auto* created = new Mixer;
        std::atexit([] { Mixer::instance().useManualClock(); });
        return created;
    }();
    return *mixer;
}

Mixer::Mixer()
{
    const char* headless = std::getenv("DERAZODO_HEADLESS");
    m_deviceWanted = !(headless && *headless && std::string_view(headless) != "0");
    openOutput(m_deviceWanted);
}

void Mixer::openOutput(bool preferDevice)
{
    std::lock_guard lock(m_outputMutex);
    m_output.reset();
    if (preferDevice) {
        m_output = openDeviceOutput(*this);
        if (m_output) {
            m_kind = OutputKind::Device;
            return;
        }
    }
    m_output = openSilentOutput(*this);
    m_kind = OutputKind::Silent;
}

void Mixer::activate(std::shared_ptr<Source> source)
{
    std::lock_guard lock(m_mutex);
    if (std::find(m_active.begin(), m_active.end(), source) == m_active.end())
        m_active.push_back(std::move(source));
}

void Mixer::deactivate(const Source* source)
{
    std::lock_guard lock(m_mutex);
    std::erase_if(m_active, [source](auto& active) { return active.get() == source; });
}

void Mixer::deactivateAll()
{
    std::lock_guard lock(m_mutex);
    m_active.clear();
}

bool Mixer::isActive(const Source* source) const
{
    std::lock_guard lock(m_mutex);
    return std::any_of(m_active.begin(), m_active.end(), [source](auto& active) { return active.get() == source; });
}

Mixer::OutputKind Mixer::outputKind() const { return m_kind; }

void Mixer::useManualClock()
{
    std::lock_guard lock(m_outputMutex);
    m_output.reset();
    m_kind = OutputKind::Manual;
}

void Mixer::useRealTimeClock() { openOutput(m_deviceWanted); }

void Mixer::renderFrames(int16_t* out, size_t frames)
{
    std::vector<std::shared_ptr<Source>> finished;
    {
        std::lock_guard lock(m_mutex);
        m_scratch.assign(frames * kDeviceChannels, 0.0f);
        // A copy: a source's render may not touch the list, but an ended one is removed below.
        auto active = m_active;
        for (auto& source : active) {
            if (!source->render(m_scratch.data(), frames)) {
                std::erase(m_active, source);
                finished.push_back(source);
            }
        }
        for (size_t i = 0; i < frames * kDeviceChannels; ++i)
            out[i] = int16_t(std::clamp(std::lround(m_scratch[i]), -32768L, 32767L));
        if (m_recording) {
            size_t room = m_recordLimit - std::min(m_recordLimit, m_record.size());
            m_record.insert(m_record.end(), out, out + std::min(room, frames * kDeviceChannels));
        }
    }
    for (auto& source : finished)
        source->ended();
}

void Mixer::startRecording(double maxSeconds)
{
    std::lock_guard lock(m_mutex);
    m_record.clear();
    m_recordLimit = size_t(maxSeconds * kDeviceRate) * kDeviceChannels;
    m_recording = true;
}

std::vector<int16_t> Mixer::stopRecording()
{
    std::lock_guard lock(m_mutex);
    m_recording = false;
    return std::move(m_record);
}

} // namespace platform::media
