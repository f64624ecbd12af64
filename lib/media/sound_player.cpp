// SoundPlayer: the choice between DirectSound, PlaySoundA and silence, and the slot operations.
#include "lib/media/sound_player.h"
#include "lib/error.h"
#include "lib/media/direct_sound.h"
#include "platform/media/mmsystem.h"

SoundPlayer::SoundPlayer(HWND owner)
{
    try {
        m_directSound = new swCDirectSound;
        m_directSound->dsoundInit(owner);
    } catch (swCError* error) {
        if (error->code() != 5)
            m_silent = 1;
        delete m_directSound;
        m_directSound = nullptr;
        error->Show(owner, nullptr);
        delete error;
    }
}

SoundPlayer::~SoundPlayer()
{
    soundUnloadAll();
    delete m_directSound;
}

void SoundPlayer::soundLoad(const char* fileName, int slot)
{
    std::lock_guard lock(m_mutex);
    if (m_silent)
        return;
    if (m_directSound)
        m_directSound->dsoundLoadSlot(slot, fileName);
    // A slot loaded again names the new file (PlaySoundA reads it at play time).
    int index = findLocked(slot);
    if (index >= 0)
        m_entries[size_t(index)].fileName = fileName;
    else
        m_entries.push_back({fileName, DWORD(slot)});
}

int SoundPlayer::soundPlay(int slot, int mode)
{
    std::lock_guard lock(m_mutex);
    return playLocked(slot, mode);
}

int SoundPlayer::playLocked(int slot, int mode)
{
    if (m_silent)
        return 0;
    if (m_directSound)
        return m_directSound->dsoundPlay(slot, mode, 0);
    int index = findLocked(slot);
    if (index < 0)
        return -1;
    const char* name = m_entries[size_t(index)].fileName.c_str();
    switch (mode) {
    case 0:
        return PlaySoundA(nullptr, nullptr, SND_PURGE);
    case 2:
        return PlaySoundA(name, nullptr, SND_FILENAME | SND_LOOP | SND_ASYNC);
    default:
        return PlaySoundA(name, nullptr, SND_FILENAME | SND_ASYNC);
    }
}

void SoundPlayer::soundUnload(int slot)
{
    std::lock_guard lock(m_mutex);
    if (m_silent)
        return;
    if (m_directSound)
        m_directSound->dsoundReleaseSlot(slot);
    else
        playLocked(slot, 0);
    int index = findLocked(slot);
    if (index >= 0)
        m_entries.erase(m_entries.begin() + index);
}

void SoundPlayer::soundUnloadAll()
{
    std::lock_guard lock(m_mutex);
    if (m_silent)
        return;
    for (auto& entry : m_entries) {
        if (m_directSound)
            m_directSound->dsoundReleaseSlot(int(entry.slot));
        else
            playLocked(int(entry.slot), 0);
    }
    m_entries.clear();
}

bool SoundPlayer::soundIsPlaying(int slot)
{
    std::lock_guard lock(m_mutex);
    return m_directSound && (m_directSound->dsoundStatus(slot) & 1);
}

void SoundPlayer::soundSetVolume(int slot, long volume)
{
    std::lock_guard lock(m_mutex);
    if (m_directSound)
        m_directSound->dsoundSetVolume(slot, LONG(volume));
}

int SoundPlayer::soundFind(int slot)
{
    std::lock_guard lock(m_mutex);
    return m_silent ? -1 : findLocked(slot);
}

int SoundPlayer::findLocked(int slot) const
{
    for (size_t i = 0; i < m_entries.size(); ++i)
        if (m_entries[i].slot == DWORD(slot))
            return int(i);
    return -1;
}
