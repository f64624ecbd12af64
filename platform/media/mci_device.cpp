// MCI device behaviour: play, stop, pause, seek and the end-of-play notices.
#include "platform/media/mci_device.h"
#include "platform/kernel/file_bytes.h"
#include "platform/media/notify.h"
#include "platform/media/wave_file.h"

namespace platform::media {

MciDevice::MciDevice(Kind kind)
    : m_kind(kind)
{
}

MCIERROR MciDevice::open(Kind kind, std::string_view element, std::shared_ptr<MciDevice>& out)
{
    auto bytes = readGameFile(element, kMaxMediaFileBytes);
    if (!bytes)
        return MCIERR_FILE_NOT_FOUND;
    auto device = std::shared_ptr<MciDevice>(new MciDevice(kind));
    if (kind == Kind::Sequencer) {
        auto song = parseMidiFile(*bytes);
        if (!song)
            return MCIERR_INVALID_FILE;
        device->m_midi = MidiSequence::create(std::move(*song));
    } else {
        auto wave = parseWave(*bytes);
        if (!wave)
            return MCIERR_INVALID_FILE;
        device->m_wave = PcmVoice::create(wave.image.format, {wave.image.samples.begin(), wave.image.samples.end()});
    }
    std::weak_ptr<MciDevice> weak = device;
    auto handler = [weak] {
        if (auto alive = weak.lock())
            alive->onEnded();
    };
    if (device->m_midi)
        device->m_midi->setEndHandler(handler);
    else
        device->m_wave->setEndHandler(handler);
    out = std::move(device);
    return 0;
}

void MciDevice::settlePending(bool superseded)
{
    HWND window = nullptr;
    {
        std::lock_guard lock(m_mutex);
        if (!m_pending)
            return;
        m_pending = false;
        window = m_notify;
    }
    postNotice(window, MM_MCINOTIFY, superseded ? MCI_NOTIFY_SUPERSEDED : MCI_NOTIFY_ABORTED, LPARAM(m_id));
}

DWORD MciDevice::lengthMs() const
{
    if (m_midi)
        return DWORD(m_midi->lengthUs() / 1000);
    const auto& f = m_wave->format();
    return DWORD(uint64_t(m_wave->sizeBytes() / f.nBlockAlign) * 1000 / f.nSamplesPerSec);
}

DWORD MciDevice::positionMs() const
{
    if (m_midi)
        return DWORD(m_midi->positionUs() / 1000);
    const auto& f = m_wave->format();
    return DWORD(uint64_t(m_wave->positionBytes() / f.nBlockAlign) * 1000 / f.nSamplesPerSec);
}

DWORD MciDevice::mode() const
{
    bool playing = m_midi ? m_midi->isPlaying() : m_wave->isPlaying();
    std::lock_guard lock(m_mutex);
    if (playing)
        return MCI_MODE_PLAY;
    return m_paused ? MCI_MODE_PAUSE : MCI_MODE_STOP;
}

MCIERROR MciDevice::play(bool hasFrom, DWORD from, bool hasTo, DWORD to, HWND notify, bool wait)
{
    DWORD length = lengthMs();
    if ((hasFrom && from > length) || (hasTo && to > length) || (hasFrom && hasTo && to < from))
        return MCIERR_OUTOFRANGE;
    if (m_wave && hasTo && to != length)
        return MCIERR_UNSUPPORTED_FUNCTION;
    settlePending(notify != nullptr);
    uint64_t generation;
    {
        std::lock_guard lock(m_mutex);
        generation = ++m_generation;
        m_paused = false;
        m_pending = notify != nullptr;
        m_notify = notify;
    }
    if (m_midi) {
        if (hasFrom)
            m_midi->seek(uint64_t(from) * 1000);
        m_midi->play(hasTo ? uint64_t(to) * 1000 : m_midi->lengthUs(), 0);
    } else {
        if (hasFrom) {
            const auto& f = m_wave->format();
            m_wave->setPositionBytes(uint32_t(uint64_t(from) * f.nSamplesPerSec / 1000 * f.nBlockAlign));
        }
        m_wave->play(false);
    }
    if (!wait)
        return 0;
    std::unique_lock lock(m_mutex);
    while (m_generation == generation && (m_midi ? m_midi->isPlaying() : m_wave->isPlaying()))
        m_changed.wait_for(lock, std::chrono::milliseconds(20));
    return 0;
}

void MciDevice::onEnded()
{
    HWND window = nullptr;
    bool post = false;
    {
        std::lock_guard lock(m_mutex);
        if (m_pending) {
            m_pending = false;
            post = true;
            window = m_notify;
        }
    }
    m_changed.notify_all();
    if (post)
        postNotice(window, MM_MCINOTIFY, MCI_NOTIFY_SUCCESSFUL, LPARAM(m_id));
}

MCIERROR MciDevice::stop()
{
    settlePending(false);
    {
        std::lock_guard lock(m_mutex);
        ++m_generation;
        m_paused = false;
    }
    if (m_midi)
        m_midi->stop();
    else
        m_wave->stop();
    m_changed.notify_all();
    return 0;
}

MCIERROR MciDevice::pause()
{
    bool playing = m_midi ? m_midi->isPlaying() : m_wave->isPlaying();
    if (m_midi)
        m_midi->stop();
    else
        m_wave->stop();
    std::lock_guard lock(m_mutex);
    if (playing)
        m_paused = true;
    return 0;
}

MCIERROR MciDevice::resume()
{
    {
        std::lock_guard lock(m_mutex);
        if (!m_paused)
            return 0;
        m_paused = false;
    }
    if (m_midi)
        m_midi->play(m_midi->lengthUs(), 0);
    else
        m_wave->play(false);
    return 0;
}

MCIERROR MciDevice::seek(DWORD to)
{
    if (to > lengthMs())
        return MCIERR_OUTOFRANGE;
    stop();
    if (m_midi) {
        m_midi->seek(uint64_t(to) * 1000);
    } else {
        const auto& f = m_wave->format();
        m_wave->setPositionBytes(uint32_t(uint64_t(to) * f.nSamplesPerSec / 1000 * f.nBlockAlign));
    }
    return 0;
}

void MciDevice::close()
{
    stop();
    if (m_midi)
        m_midi->setEndHandler(nullptr);
    else
        m_wave->setEndHandler(nullptr);
}

} // namespace platform::media
