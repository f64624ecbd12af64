// swCDirectSound: one DirectSound device from "dsound.dll" and one static buffer per numbered slot.
#pragma once

#include "platform/media/dsound.h"
#include "platform/kernel/winbase.h"

#include <mutex>
#include <vector>

class WaveData;

// Safe to use from the UI thread and the game thread at once.
class swCDirectSound {
public:
    // Loads "dsound.dll" for the first object; throws swCDirectSoundError code 5 when it is absent.
    swCDirectSound();
    virtual ~swCDirectSound();
    swCDirectSound(const swCDirectSound&) = delete;
    swCDirectSound& operator=(const swCDirectSound&) = delete;

    // Creates the device; throws swCDirectSoundError code 0 when it cannot start.
    void dsoundInit(HWND window);
    // Loads a wave file into a slot, replacing the slot's buffer if it has one.
    void dsoundLoadSlot(int slot, const char* fileName);
    void dsoundCreateBuffer(const WaveData& wave, int slot);
    // Modes: 0 stop, 1 stop and play once from the current position, 2 play looping,
    // 3 rewind and play once; others only set the frequency (0 = the wave's own).
    HRESULT dsoundPlay(int slot, int mode, DWORD frequency);
    HRESULT dsoundSetVolume(int slot, LONG volume);
    DWORD dsoundStatus(int slot);
    void dsoundReleaseSlot(int slot);
    int dsoundFindSlot(int slot);
    void dsoundReleaseAll();

    // Program-wide "dsound.dll" loads, for tests of the shared module.
    static int useCount();
    static HMODULE moduleHandle();

private:
    struct Slot {
        IDirectSoundBuffer* buffer;
        DWORD id;
    };
    void releaseEntry(Slot& entry);
    int findLocked(int slot) const;

    IDirectSound* m_directSound = nullptr;
    IDirectSoundBuffer* m_primary = nullptr;
    std::vector<Slot> m_slots;
    mutable std::recursive_mutex m_mutex;
};
