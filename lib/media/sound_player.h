// SoundPlayer: numbered sound slots played through DirectSound, or PlaySoundA when there is none.
#pragma once

#include "platform/kernel/windef.h"

#include <memory>
#include <mutex>
#include <string>
#include <vector>

class swCDirectSound;

// Modes: DirectSound (a device), PlaySoundA (no "dsound.dll"), silent (a device that cannot
// start). Safe to use from the UI thread and the game thread at once.
class SoundPlayer {
public:
    // Shows the start-up error (owned by `owner`) when DirectSound is missing or cannot start.
    explicit SoundPlayer(HWND owner);
    virtual ~SoundPlayer();
    SoundPlayer(const SoundPlayer&) = delete;
    SoundPlayer& operator=(const SoundPlayer&) = delete;

    // DirectSound errors while loading pass to the caller as swCError pointers.
    void soundLoad(const char* fileName, int slot);
    // Play modes as swCDirectSound::dsoundPlay; returns its result, or PlaySoundA's, -1 for an
    // unknown slot.
    int soundPlay(int slot, int mode);
    void soundUnload(int slot);
    void soundUnloadAll();
    bool soundIsPlaying(int slot);
    void soundSetVolume(int slot, long volume);
    int soundFind(int slot);

    bool usesDirectSound() const { return m_directSound != nullptr; }
    bool isSilent() const { return m_silent != 0; }

private:
    struct Entry {
        std::string fileName;
        DWORD slot;
    };
    int playLocked(int slot, int mode);
    int findLocked(int slot) const;

    swCDirectSound* m_directSound = nullptr;
    std::vector<Entry> m_entries;
    uint8_t m_silent = 0;
    mutable std::recursive_mutex m_mutex;
};
