// DirectSound-style objects: the device, its primary buffer and static secondary buffers over mixer voices.
#include "platform/media/dsound.h"
#include "platform/media/com_object.h"
#include "platform/media/direct_sound_device.h"
#include "platform/media/pcm_voice.h"

#include <cstring>
#include <mutex>
#include <vector>

const IID IID_IDirectSound = {0x5d7b3a01, 0x41c2, 0x4e86, {0x9a, 0x1e, 0x2b, 0x60, 0x11, 0xd3, 0x7c, 0x01}};
const IID IID_IDirectSoundBuffer = {0x5d7b3a02, 0x41c2, 0x4e86, {0x9a, 0x1e, 0x2b, 0x60, 0x11, 0xd3, 0x7c, 0x01}};

namespace platform::media {
namespace {

bool isPlayableFormat(const WAVEFORMATEX& f)
{
    return f.wFormatTag == WAVE_FORMAT_PCM && (f.nChannels == 1 || f.nChannels == 2)
        && (f.wBitsPerSample == 8 || f.wBitsPerSample == 16) && f.nSamplesPerSec >= DSBFREQUENCY_MIN
        && f.nSamplesPerSec <= DSBFREQUENCY_MAX;
}

// The primary buffer only carries the device format; it is never mixed from.
class PrimaryBuffer final : public com::RefCounted<IDirectSoundBuffer> {
public:
    PrimaryBuffer()
    {
        m_format = {WAVE_FORMAT_PCM, 2, 44100, 44100 * 4, 4, 16, 0};
    }
    HRESULT QueryInterface(REFIID riid, void** object) override { return answer(riid, IID_IDirectSoundBuffer, object); }
    HRESULT GetCurrentPosition(LPDWORD play, LPDWORD write) override
    {
        if (play)
            *play = 0;
        if (write)
            *write = 0;
        return DS_OK;
    }
    HRESULT GetFormat(LPWAVEFORMATEX format, DWORD size, LPDWORD written) override
    {
        return copyFormat(m_format, format, size, written);
    }
    HRESULT GetVolume(LPLONG volume) override { return get(volume, LONG(m_volume)); }
    HRESULT GetPan(LPLONG pan) override { return get(pan, LONG(0)); }
    HRESULT GetFrequency(LPDWORD) override { return DSERR_CONTROLUNAVAIL; }
    HRESULT GetStatus(LPDWORD status) override { return get(status, DWORD(m_playing ? DSBSTATUS_PLAYING | DSBSTATUS_LOOPING : 0)); }
    HRESULT Lock(DWORD, DWORD, LPVOID*, LPDWORD, LPVOID*, LPDWORD, DWORD) override { return DSERR_PRIOLEVELNEEDED; }
    HRESULT Play(DWORD, DWORD, DWORD flags) override
    {
        if (!(flags & DSBPLAY_LOOPING))
            return DSERR_INVALIDPARAM;
        m_playing = true;
        return DS_OK;
    }
    HRESULT SetCurrentPosition(DWORD) override { return DSERR_INVALIDCALL; }
    HRESULT SetFormat(LPCWAVEFORMATEX format) override
    {
        if (!format || !isPlayableFormat(*format))
            return DSERR_BADFORMAT;
        m_format = *format;
        m_format.cbSize = 0;
        return DS_OK;
    }
    HRESULT SetVolume(LONG volume) override
    {
        if (volume < DSBVOLUME_MIN || volume > DSBVOLUME_MAX)
            return DSERR_INVALIDPARAM;
        m_volume = volume;
        return DS_OK;
    }
    HRESULT SetPan(LONG) override { return DSERR_CONTROLUNAVAIL; }
    HRESULT SetFrequency(DWORD) override { return DSERR_CONTROLUNAVAIL; }
    HRESULT Stop() override
    {
        m_playing = false;
        return DS_OK;
    }
    HRESULT Unlock(LPVOID, DWORD, LPVOID, DWORD) override { return DSERR_INVALIDCALL; }
    HRESULT Restore() override { return DS_OK; }

    template <class T>
    static HRESULT get(T* out, T value)
    {
        if (!out)
            return DSERR_INVALIDPARAM;
        *out = value;
        return DS_OK;
    }
    static HRESULT copyFormat(const WAVEFORMATEX& from, LPWAVEFORMATEX to, DWORD size, LPDWORD written)
    {
        if (!to && !written)
            return DSERR_INVALIDPARAM;
        if (written)
            *written = sizeof(WAVEFORMATEX);
        if (to) {
            if (size < sizeof(WAVEFORMATEX))
                return DSERR_INVALIDPARAM;
            std::memcpy(to, &from, sizeof(WAVEFORMATEX));
        }
        return DS_OK;
    }

private:
    WAVEFORMATEX m_format;
    std::atomic<LONG> m_volume { 0 };
    std::atomic<bool> m_playing { false };
};

// A static secondary buffer: one mixer voice. Lock hands out a staging copy that Unlock writes back,
// so the mixing thread never reads half-written memory.
class SecondaryBuffer final : public com::RefCounted<IDirectSoundBuffer> {
public:
    SecondaryBuffer(DWORD flags, std::shared_ptr<PcmVoice> voice)
        : m_flags(flags)
        , m_voice(std::move(voice))
    {
    }
    ~SecondaryBuffer() override { m_voice->stop(); }

    const std::shared_ptr<PcmVoice>& voice() const { return m_voice; }
    DWORD flags() const { return m_flags; }

    HRESULT QueryInterface(REFIID riid, void** object) override { return answer(riid, IID_IDirectSoundBuffer, object); }
    HRESULT GetCurrentPosition(LPDWORD play, LPDWORD write) override
    {
        DWORD position = m_voice->positionBytes();
        if (play)
            *play = position;
        if (write)
            *write = position;
        return DS_OK;
    }
    HRESULT GetFormat(LPWAVEFORMATEX format, DWORD size, LPDWORD written) override
    {
        return PrimaryBuffer::copyFormat(m_voice->format(), format, size, written);
    }
    HRESULT GetVolume(LPLONG volume) override
    {
        if (!(m_flags & DSBCAPS_CTRLVOLUME))
            return DSERR_CONTROLUNAVAIL;
        return PrimaryBuffer::get(volume, LONG(m_voice->volume()));
    }
    HRESULT GetPan(LPLONG pan) override
    {
        if (!(m_flags & DSBCAPS_CTRLPAN))
            return DSERR_CONTROLUNAVAIL;
        return PrimaryBuffer::get(pan, LONG(m_voice->pan()));
    }
    HRESULT GetFrequency(LPDWORD frequency) override
    {
        if (!(m_flags & DSBCAPS_CTRLFREQUENCY))
            return DSERR_CONTROLUNAVAIL;
        return PrimaryBuffer::get(frequency, DWORD(m_voice->frequency()));
    }
    HRESULT GetStatus(LPDWORD status) override
    {
        if (!status)
            return DSERR_INVALIDPARAM;
        std::lock_guard lock(Mixer::instance().mutex());
        *status = m_voice->isPlaying() ? DSBSTATUS_PLAYING | (m_voice->isLooping() ? DSBSTATUS_LOOPING : 0) : 0;
        return DS_OK;
    }
    HRESULT Lock(DWORD offset, DWORD bytes, LPVOID* part1, LPDWORD bytes1, LPVOID* part2, LPDWORD bytes2, DWORD flags) override
    {
        DWORD size = DWORD(m_voice->sizeBytes());
        if (!part1 || !bytes1)
            return DSERR_INVALIDPARAM;
        if (flags & DSBLOCK_FROMWRITECURSOR)
            offset = m_voice->positionBytes();
        if (flags & DSBLOCK_ENTIREBUFFER)
            bytes = size;
        if (offset >= size || bytes == 0 || bytes > size)
            return DSERR_INVALIDPARAM;
        std::lock_guard lock(m_lockMutex);
        if (m_locked)
            return DSERR_INVALIDCALL;
        DWORD first = std::min(bytes, size - offset);
        DWORD second = bytes - first;
        if (second && (!part2 || !bytes2))
            return DSERR_INVALIDPARAM;
        m_staging.resize(bytes);
        m_voice->read(offset, m_staging.data(), first);
        m_voice->read(0, m_staging.data() + first, second);
        m_lockOffset = offset;
        m_lockFirst = first;
        m_locked = true;
        *part1 = m_staging.data();
        *bytes1 = first;
        if (part2)
            *part2 = second ? m_staging.data() + first : nullptr;
        if (bytes2)
            *bytes2 = second;
        return DS_OK;
    }
    HRESULT Unlock(LPVOID part1, DWORD bytes1, LPVOID part2, DWORD bytes2) override
    {
        std::lock_guard lock(m_lockMutex);
        if (!m_locked || part1 != m_staging.data() || bytes1 > m_lockFirst)
            return DSERR_INVALIDPARAM;
        DWORD second = DWORD(m_staging.size()) - m_lockFirst;
        if (bytes2 && (part2 != m_staging.data() + m_lockFirst || bytes2 > second))
            return DSERR_INVALIDPARAM;
        m_voice->write(m_lockOffset, m_staging.data(), bytes1);
        m_voice->write(0, m_staging.data() + m_lockFirst, bytes2);
        m_locked = false;
        return DS_OK;
    }
    HRESULT Play(DWORD, DWORD, DWORD flags) override
    {
        m_voice->play(flags & DSBPLAY_LOOPING);
        return DS_OK;
    }
    HRESULT SetCurrentPosition(DWORD position) override
    {
        if (position >= m_voice->sizeBytes())
            return DSERR_INVALIDPARAM;
        m_voice->setPositionBytes(position);
        return DS_OK;
    }
    HRESULT SetFormat(LPCWAVEFORMATEX) override { return DSERR_INVALIDCALL; }
    HRESULT SetVolume(LONG volume) override
    {
        if (!(m_flags & DSBCAPS_CTRLVOLUME))
            return DSERR_CONTROLUNAVAIL;
        if (volume < DSBVOLUME_MIN || volume > DSBVOLUME_MAX)
            return DSERR_INVALIDPARAM;
        m_voice->setVolume(volume);
        return DS_OK;
    }
    HRESULT SetPan(LONG pan) override
    {
        if (!(m_flags & DSBCAPS_CTRLPAN))
            return DSERR_CONTROLUNAVAIL;
        if (pan < DSBPAN_LEFT || pan > DSBPAN_RIGHT)
            return DSERR_INVALIDPARAM;
        m_voice->setPan(pan);
        return DS_OK;
    }
    HRESULT SetFrequency(DWORD frequency) override
    {
        if (!(m_flags & DSBCAPS_CTRLFREQUENCY))
            return DSERR_CONTROLUNAVAIL;
        if (frequency != DSBFREQUENCY_ORIGINAL && (frequency < DSBFREQUENCY_MIN || frequency > DSBFREQUENCY_MAX))
            return DSERR_INVALIDPARAM;
        m_voice->setFrequency(frequency);
        return DS_OK;
    }
    HRESULT Stop() override
    {
        m_voice->stop();
        return DS_OK;
    }
    HRESULT Restore() override { return DS_OK; }

private:
    DWORD m_flags;
    std::shared_ptr<PcmVoice> m_voice;
    std::mutex m_lockMutex;
    std::vector<uint8_t> m_staging;
    DWORD m_lockOffset = 0;
    DWORD m_lockFirst = 0;
    bool m_locked = false;
};

class DirectSound final : public com::RefCounted<IDirectSound> {
public:
    HRESULT QueryInterface(REFIID riid, void** object) override { return answer(riid, IID_IDirectSound, object); }

    HRESULT CreateSoundBuffer(LPCDSBUFFERDESC desc, LPDIRECTSOUNDBUFFER* buffer, LPUNKNOWN outer) override
    {
        if (!buffer)
            return DSERR_INVALIDPARAM;
        *buffer = nullptr;
        if (outer)
            return DSERR_NOAGGREGATION;
        if (!desc || desc->dwSize < offsetof(DSBUFFERDESC, guid3DAlgorithm))
            return DSERR_INVALIDPARAM;
        if (desc->dwFlags & DSBCAPS_PRIMARYBUFFER) {
            if (desc->dwBufferBytes != 0 || desc->lpwfxFormat)
                return DSERR_INVALIDPARAM;
            *buffer = new PrimaryBuffer;
            return DS_OK;
        }
        if (!desc->lpwfxFormat || desc->dwBufferBytes < DSBSIZE_MIN || desc->dwBufferBytes > DSBSIZE_MAX)
            return DSERR_INVALIDPARAM;
        WAVEFORMATEX format;
        std::memcpy(&format, desc->lpwfxFormat, sizeof format);
        if (!isPlayableFormat(format))
            return DSERR_BADFORMAT;
        format.cbSize = 0;
        std::vector<uint8_t> silence(desc->dwBufferBytes, format.wBitsPerSample == 8 ? 0x80 : 0);
        *buffer = new SecondaryBuffer(desc->dwFlags, PcmVoice::create(format, std::move(silence)));
        return DS_OK;
    }

    HRESULT DuplicateSoundBuffer(LPDIRECTSOUNDBUFFER original, LPDIRECTSOUNDBUFFER* duplicate) override
    {
        auto* source = dynamic_cast<SecondaryBuffer*>(original);
        if (!source || !duplicate)
            return DSERR_INVALIDPARAM;
        const auto& voice = source->voice();
        std::vector<uint8_t> bytes(voice->sizeBytes());
        voice->read(0, bytes.data(), bytes.size());
        auto copy = PcmVoice::create(voice->format(), std::move(bytes));
        copy->setVolume(voice->volume());
        copy->setPan(voice->pan());
        *duplicate = new SecondaryBuffer(source->flags(), std::move(copy));
        return DS_OK;
    }

    HRESULT SetCooperativeLevel(HWND, DWORD level) override
    {
        return level >= DSSCL_NORMAL && level <= DSSCL_WRITEPRIMARY ? DS_OK : DSERR_INVALIDPARAM;
    }
};

} // namespace

HRESULT directSoundCreate(LPCGUID, LPDIRECTSOUND* directSound, LPUNKNOWN outer)
{
    if (!directSound)
        return DSERR_INVALIDPARAM;
    *directSound = nullptr;
    if (outer)
        return DSERR_NOAGGREGATION;
    if (directSoundState() == DirectSoundState::Failing)
        return DSERR_NODRIVER;
    Mixer::instance();
    *directSound = new DirectSound;
    return DS_OK;
}

} // namespace platform::media
