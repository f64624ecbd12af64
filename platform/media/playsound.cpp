// PlaySoundA: one voice for the whole program; a new sound replaces the one playing.
#include "platform/kernel/file_bytes.h"
#include "platform/media/mmsystem.h"
#include "platform/media/pcm_voice.h"
#include "platform/media/wave_file.h"

#include <condition_variable>

namespace {

struct PlaySoundState {
    std::mutex mutex;
    std::shared_ptr<platform::media::PcmVoice> voice;
};

PlaySoundState& state()
{
    static auto* instance = new PlaySoundState;
    return *instance;
}

std::shared_ptr<platform::media::PcmVoice> takeVoice()
{
    std::lock_guard lock(state().mutex);
    return std::move(state().voice);
}

} // namespace

BOOL PlaySoundA(LPCSTR sound, HMODULE, DWORD flags)
{
    using namespace platform::media;
    if (!sound || (flags & SND_PURGE)) {
        if (auto old = takeVoice())
            old->stop();
        return TRUE;
    }
    if (flags & SND_NOSTOP) {
        std::lock_guard lock(state().mutex);
        if (state().voice && state().voice->isPlaying())
            return FALSE;
    }
    std::vector<uint8_t> bytes;
    // A memory image carries no length of its own, so it could not be read safely; system
    // sounds (aliases) are not installed.
    if (flags & (SND_MEMORY | SND_ALIAS))
        return FALSE;
    {
        auto file = platform::readGameFile(sound, kMaxMediaFileBytes);
        if (!file)
            return FALSE;
        bytes = std::move(*file);
    }
    auto parsed = parseWave(bytes);
    if (!parsed)
        return FALSE;
    auto voice = PcmVoice::create(parsed.image.format, {parsed.image.samples.begin(), parsed.image.samples.end()});

    if (auto old = takeVoice())
        old->stop();
    bool looping = (flags & SND_LOOP) && (flags & SND_ASYNC);
    if (flags & SND_ASYNC) {
        {
            std::lock_guard lock(state().mutex);
            state().voice = voice;
        }
        voice->play(looping);
        return TRUE;
    }
    // Synchronous: wait for the end, or for another PlaySoundA that takes the voice away.
    auto done = std::make_shared<std::pair<std::mutex, std::condition_variable>>();
    voice->setEndHandler([done] {
        std::lock_guard lock(done->first);
        done->second.notify_all();
    });
    {
        std::lock_guard lock(state().mutex);
        state().voice = voice;
    }
    voice->play(false);
    std::unique_lock lock(done->first);
    while (voice->isPlaying())
        done->second.wait_for(lock, std::chrono::milliseconds(20));
    std::lock_guard stateLock(state().mutex);
    if (state().voice == voice)
        state().voice.reset();
    return TRUE;
}
