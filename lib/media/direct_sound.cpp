// swCDirectSound: device start-up, slot buffers and their play modes.
#include "lib/media/direct_sound.h"
#include "lib/error.h"
#include "lib/media/wave_data.h"
#include "platform/media/media.h"

#include <cstring>

namespace {

std::mutex g_moduleMutex;
HMODULE g_module = nullptr;
int g_useCount = 0;

} // namespace

swCDirectSound::swCDirectSound()
{
    platform::media::registerModules();
    std::lock_guard lock(g_moduleMutex);
    if (g_useCount == 0)
        g_module = LoadLibraryA("dsound.dll");
    // Counted only once the module is there: a constructor that throws has no destructor to undo it.
    if (!g_module)
        throw new swCDirectSoundError(5);
    ++g_useCount;
}

swCDirectSound::~swCDirectSound()
{
    dsoundReleaseAll();
    std::lock_guard lock(g_moduleMutex);
    if (--g_useCount == 0 && g_module) {
        FreeLibrary(g_module);
        g_module = nullptr;
    }
}

int swCDirectSound::useCount()
{
    std::lock_guard lock(g_moduleMutex);
    return g_useCount;
}

HMODULE swCDirectSound::moduleHandle()
{
    std::lock_guard lock(g_moduleMutex);
    return g_module;
}

void swCDirectSound::dsoundInit(HWND window)
{
    std::lock_guard lock(m_mutex);
    dsoundReleaseAll();
    HMODULE module = moduleHandle();
    FARPROC entry = module ? GetProcAddress(module, "DirectSoundCreate") : nullptr;
    if (!entry)
        throw new swCDirectSoundError(0);
    auto create = reinterpret_cast<LPDIRECTSOUNDCREATE>(reinterpret_cast<void*>(entry));
    if (FAILED(create(nullptr, &m_directSound, nullptr)) || !m_directSound) {
        m_directSound = nullptr;
        throw new swCDirectSoundError(0);
    }
    m_directSound->SetCooperativeLevel(window, DSSCL_NORMAL);
    DSBUFFERDESC desc {};
    desc.dwSize = sizeof desc;
    desc.dwFlags = DSBCAPS_PRIMARYBUFFER;
    if (FAILED(m_directSound->CreateSoundBuffer(&desc, &m_primary, nullptr)))
        m_primary = nullptr;
}

void swCDirectSound::dsoundLoadSlot(int slot, const char* fileName)
{
    WaveData wave(fileName);
    dsoundCreateBuffer(wave, slot);
}

void swCDirectSound::dsoundCreateBuffer(const WaveData& wave, int slot)
{
    std::lock_guard lock(m_mutex);
    if (!m_directSound)
        throw new swCDirectSoundError(4);
    WAVEFORMATEX format = wave.format();
    DSBUFFERDESC desc {};
    desc.dwSize = sizeof desc;
    desc.dwFlags = DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME;
    desc.dwBufferBytes = wave.dataSize();
    desc.lpwfxFormat = &format;
    IDirectSoundBuffer* buffer = nullptr;
    if (FAILED(m_directSound->CreateSoundBuffer(&desc, &buffer, nullptr)) || !buffer)
        throw new swCDirectSoundError(4);
    void* part1 = nullptr;
    void* part2 = nullptr;
    DWORD bytes1 = 0, bytes2 = 0;
    if (FAILED(buffer->Lock(0, wave.dataSize(), &part1, &bytes1, &part2, &bytes2, 0))) {
        buffer->Release();
        throw new swCDirectSoundError(4);
    }
    std::memcpy(part1, wave.samples(), bytes1);
    if (part2)
        std::memcpy(part2, wave.samples() + bytes1, bytes2);
    buffer->Unlock(part1, bytes1, part2, bytes2);
    // A slot loaded again gets the new sound; the old buffer goes.
    int index = findLocked(slot);
    if (index >= 0) {
        releaseEntry(m_slots[size_t(index)]);
        m_slots[size_t(index)].buffer = buffer;
    } else {
        m_slots.push_back({buffer, DWORD(slot)});
    }
}

HRESULT swCDirectSound::dsoundPlay(int slot, int mode, DWORD frequency)
{
    std::lock_guard lock(m_mutex);
    int index = findLocked(slot);
    if (index < 0)
        return -1;
    IDirectSoundBuffer* buffer = m_slots[size_t(index)].buffer;
    buffer->SetFrequency(frequency);
    switch (mode) {
    case 0:
        return buffer->Stop();
    case 1:
        buffer->Stop();
        return buffer->Play(0, 0, 0);
    case 2:
        return buffer->Play(0, 0, DSBPLAY_LOOPING);
    case 3:
        buffer->Stop();
        buffer->SetCurrentPosition(0);
        return buffer->Play(0, 0, 0);
    }
    return mode;
}

HRESULT swCDirectSound::dsoundSetVolume(int slot, LONG volume)
{
    std::lock_guard lock(m_mutex);
    if (slot == -1) {
        HRESULT result = DS_OK;
        for (auto& entry : m_slots)
            result = entry.buffer->SetVolume(volume);
        return result;
    }
    int index = findLocked(slot);
    return index < 0 ? -1 : m_slots[size_t(index)].buffer->SetVolume(volume);
}

DWORD swCDirectSound::dsoundStatus(int slot)
{
    std::lock_guard lock(m_mutex);
    int index = findLocked(slot);
    DWORD status = 0;
    if (index < 0 || FAILED(m_slots[size_t(index)].buffer->GetStatus(&status)))
        return 0;
    return status;
}

// Stops a buffer that plays once or is only marked looping, then releases it; a looping
// buffer that plays (status 5) ends with its release.
void swCDirectSound::releaseEntry(Slot& entry)
{
    DWORD status = 0;
    if (SUCCEEDED(entry.buffer->GetStatus(&status)) && (status == DSBSTATUS_PLAYING || status == DSBSTATUS_LOOPING))
        entry.buffer->Stop();
    entry.buffer->Release();
    entry.buffer = nullptr;
}

void swCDirectSound::dsoundReleaseSlot(int slot)
{
    std::lock_guard lock(m_mutex);
    int index = findLocked(slot);
    if (index < 0)
        return;
    releaseEntry(m_slots[size_t(index)]);
    m_slots.erase(m_slots.begin() + index);
}

int swCDirectSound::dsoundFindSlot(int slot)
{
    std::lock_guard lock(m_mutex);
    return findLocked(slot);
}

int swCDirectSound::findLocked(int slot) const
{
    for (size_t i = 0; i < m_slots.size(); ++i)
        if (m_slots[i].id == DWORD(slot))
            return int(i);
    return -1;
}

void swCDirectSound::dsoundReleaseAll()
{
    std::lock_guard lock(m_mutex);
    for (auto& entry : m_slots)
        releaseEntry(entry);
    m_slots.clear();
    if (m_primary) {
        m_primary->Release();
        m_primary = nullptr;
    }
    if (m_directSound) {
        m_directSound->Release();
        m_directSound = nullptr;
    }
}
