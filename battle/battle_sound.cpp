// The battle scene's sound: the choice by scene and weapon kind, wave loading and round-robin play.
#include "battle/battle_sound.h"

#include "battle/scene_state.h"
#include "battle/scene_tables.h"
#include "lib/error.h"
#include "lib/media/wave_data.h"
#include "platform/media/dsound.h"
#include "platform/media/media.h"
#include "state/game_state.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr int kCopies[kSoundSlots] = { 1, 5, 1, 5, 5 };

struct SoundState {
    HMODULE module = nullptr;
    IDirectSound* device = nullptr;
    IDirectSoundBuffer* primary = nullptr;
    std::array<IDirectSoundBuffer*, kSoundBuffers> buffers {};
    // At a slot's first buffer: the copies it really has.
    std::array<int, kSoundBuffers> copies {};
    int inUse = 0;
    std::array<int, kSoundSlots> roundRobin {};
    int volume = 0;
};

SoundState& sound()
{
    static SoundState s;
    return s;
}

bool in(int v, std::initializer_list<int> list)
{
    for (int x : list)
        if (x == v)
            return true;
    return false;
}

} // namespace

SoundChoice chooseBattleSounds(int kind, int weapon, int other_weapon, int other_background)
{
    SoundChoice c { -1, -1, -1, -1, -1 };
    if (in(kind, { 0, 2, 3, 4, 9 }))
        c[0] = 0;
    else if (in(kind, { 1, 8, 36, 37 }))
        c[0] = 1;
    else if (in(kind, { 5, 38, 39 }))
        c[0] = 3;
    else if (in(kind, { 6, 7 }))
        c[0] = 2;
    if (in(kind, { 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 30, 32, 36, 37, 38, 39 }) || (kind >= 10 && kind <= 19))
        c[4] = 16;
    else if (in(kind, { 20, 22, 23, 24, 25, 26 }))
        c[4] = isDropWeaponKind(other_weapon) ? 14 : 16;
    else if (in(kind, { 21, 27, 28, 29 }))
        c[4] = 15;
    if (in(weapon, { 1, 2, 3, 6, 7, 8, 9, 31, 32, 53, 54, 56, 57, 58, 59, 66, 67, 68, 69, 70, 71, 81 }) || (weapon >= 36 && weapon <= 45))
        c[1] = 7;
    else if (in(weapon, { 11, 12 }))
        c[1] = 9;
    else if (in(weapon, { 16, 17, 18 }))
        c[1] = 6;
    else if (in(weapon, { 19, 21, 22, 26, 27, 61, 63 }))
        c[1] = 4;
    else if (in(weapon, { 23, 24, 25 }))
        c[1] = 5;
    else if (weapon == 33)
        c[1] = 18;
    else if (in(weapon, { 51, 52 }))
        c[1] = 8, c[3] = 13;
    else if (weapon == 62)
        c[1] = 7, c[3] = other_background == 58 ? -1 : 13;
    else if (in(weapon, { 72, 73 }))
        c[1] = 7, c[2] = 12;
    else if (in(weapon, { 74, 78, 79, 80 }))
        c[1] = 10, c[2] = 11;
    else if (weapon == 75)
        c[1] = 10, c[2] = 11, c[3] = 12;
    else if (in(weapon, { 76, 77 }))
        c[1] = 10;
    return c;
}

std::string battleSoundFileName(int id, int side)
{
    char name[16];
    if (id == 18)
        std::snprintf(name, sizeof name, "%02d.wav", id);
    else
        std::snprintf(name, sizeof name, "%02d%c.wav", id, side == 0 ? 'a' : 'b');
    return name;
}

int soundSlotCopies(int slot) { return slot >= 0 && slot < kSoundSlots ? kCopies[slot] : 1; }

bool initBattleSound(HWND window)
{
    SoundState& s = sound();
    platform::media::registerModules();
    if (!s.module)
        s.module = LoadLibraryA("dsound.dll");
    FARPROC entry = s.module ? GetProcAddress(s.module, "DirectSoundCreate") : nullptr;
    if (!entry)
        return false;
    auto create = reinterpret_cast<LPDIRECTSOUNDCREATE>(reinterpret_cast<void*>(entry));
    if (FAILED(create(nullptr, &s.device, nullptr)) || !s.device) {
        s.device = nullptr;
        return false;
    }
    if (FAILED(s.device->SetCooperativeLevel(window, DSSCL_NORMAL))) {
        s.device->Release();
        s.device = nullptr;
        return false;
    }
    DSBUFFERDESC desc {};
    desc.dwSize = sizeof desc;
    desc.dwFlags = DSBCAPS_PRIMARYBUFFER;
    if (FAILED(s.device->CreateSoundBuffer(&desc, &s.primary, nullptr))) {
        s.primary = nullptr;
        s.device->Release();
        s.device = nullptr;
        return true;
    }
    s.buffers.fill(nullptr);
    s.copies.fill(0);
    s.inUse = 0;
    return true;
}

void closeBattleSound()
{
    SoundState& s = sound();
    freeBattleSounds();
    if (s.primary)
        s.primary->Release();
    if (s.device)
        s.device->Release();
    s.primary = nullptr;
    s.device = nullptr;
    if (s.module)
        FreeLibrary(s.module);
    s.module = nullptr;
}

bool isBattleSoundReady() { return sound().device != nullptr; }

int loadWave(const std::string& path, int copies)
{
    SoundState& s = sound();
    if (!s.device || s.inUse >= kSoundBuffers)
        return -1;
    try {
        // Reads the chunks wherever they stand, with their sizes checked against the file.
        WaveData wave(path.c_str());
        WAVEFORMATEX format = wave.format();
        DSBUFFERDESC desc {};
        desc.dwSize = sizeof desc;
        desc.dwFlags = DSBCAPS_CTRLVOLUME | DSBCAPS_STATIC;
        desc.dwBufferBytes = wave.dataSize();
        desc.lpwfxFormat = &format;
        IDirectSoundBuffer* buffer = nullptr;
        if (FAILED(s.device->CreateSoundBuffer(&desc, &buffer, nullptr)) || !buffer)
            return -1;
        void* part1 = nullptr;
        void* part2 = nullptr;
        DWORD bytes1 = 0;
        DWORD bytes2 = 0;
        if (SUCCEEDED(buffer->Lock(0, wave.dataSize(), &part1, &bytes1, &part2, &bytes2, 0))) {
            std::memcpy(part1, wave.samples(), bytes1);
            if (part2)
                std::memcpy(part2, wave.samples() + bytes1, bytes2);
            buffer->Unlock(part1, bytes1, part2, bytes2);
        }
        const int first = s.inUse;
        s.buffers[size_t(s.inUse++)] = buffer;
        int made = 1;
        while (made < copies && s.inUse < kSoundBuffers) {
            IDirectSoundBuffer* copy = nullptr;
            if (FAILED(s.device->DuplicateSoundBuffer(buffer, &copy)) || !copy)
                break;
            s.buffers[size_t(s.inUse++)] = copy;
            ++made;
        }
        s.copies[size_t(first)] = made;
        return first;
    } catch (swCError* error) {
        delete error;
        return -1;
    }
}

int loadSoundSlot(int sound_id, int side, int slot)
{
    return loadWave(sceneState().folder + battleSoundFileName(sound_id, side), soundSlotCopies(slot));
}

bool loadBattleSounds(int volume)
{
    sound().volume = volume;
    SceneState& st = sceneState();
    for (int side = 0; side < 2; ++side) {
        SceneSide& s = st.sides[size_t(side)];
        const SceneSide& o = st.sides[size_t(1 - side)];
        s.soundSlots.fill(-1);
        const SoundChoice choice = chooseBattleSounds(s.sceneKind, s.weaponKind, o.weaponKind, o.background);
        for (int slot = 0; slot < kSoundSlots; ++slot) {
            if (choice[size_t(slot)] < 0)
                continue;
            s.soundSlots[size_t(slot)] = loadSoundSlot(choice[size_t(slot)], side, slot);
            if (s.soundSlots[size_t(slot)] < 0)
                return false;
        }
    }
    return true;
}

bool playBuffer(int index)
{
    SoundState& s = sound();
    if (!s.device || index < 0 || index >= kSoundBuffers || !s.buffers[size_t(index)])
        return false;
    IDirectSoundBuffer* buffer = s.buffers[size_t(index)];
    buffer->Stop();
    buffer->SetCurrentPosition(0);
    buffer->SetVolume(s.volume);
    return SUCCEEDED(buffer->Play(0, 0, 0));
}

bool isBattleBufferPlaying(int index)
{
    SoundState& s = sound();
    if (index < 0 || index >= kSoundBuffers || !s.buffers[size_t(index)])
        return false;
    DWORD status = 0;
    return SUCCEEDED(s.buffers[size_t(index)]->GetStatus(&status)) && (status & DSBSTATUS_PLAYING);
}

void playSideSound(int side, int slot)
{
    if (side < 0 || side > 1 || slot < 0 || slot >= kSoundSlots)
        return;
    const int first = sceneState().sides[size_t(side)].soundSlots[size_t(slot)];
    if (first < 0 || first >= kSoundBuffers)
        return;
    const int copies = soundBufferCopies(first);
    if (copies <= 1) {
        playBuffer(first);
        return;
    }
    int& counter = sound().roundRobin[size_t(slot)];
    counter %= copies;
    playBuffer(first + counter);
    counter = (counter + 1) % copies;
}

void freeBattleSounds()
{
    SoundState& s = sound();
    for (IDirectSoundBuffer*& buffer : s.buffers) {
        if (buffer) {
            buffer->Stop();
            buffer->Release();
        }
        buffer = nullptr;
    }
    s.copies.fill(0);
    s.inUse = 0;
    s.roundRobin.fill(0);
}

int soundBufferCopies(int index) { return index >= 0 && index < kSoundBuffers ? sound().copies[size_t(index)] : 0; }

int soundBuffersInUse() { return sound().inUse; }
