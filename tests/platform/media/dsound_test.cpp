// DirectSound-style buffers: creation checks, two-part locks, play status and controls.
#include "platform/media/direct_sound_device.h"
#include "platform/media/mixer.h"
#include "platform/kernel/winbase.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace platform::media;

namespace {

class DirectSoundBuffers : public ::testing::Test {
protected:
    void SetUp() override
    {
        Mixer::instance().useManualClock();
        Mixer::instance().deactivateAll();
        ASSERT_EQ(directSoundCreate(nullptr, &m_device, nullptr), DS_OK);
        ASSERT_EQ(m_device->SetCooperativeLevel(nullptr, DSSCL_PRIORITY), DS_OK);
    }
    void TearDown() override
    {
        if (m_device)
            m_device->Release();
        Mixer::instance().deactivateAll();
    }

    IDirectSoundBuffer* make(DWORD bytes, DWORD flags, WAVEFORMATEX format)
    {
        DSBUFFERDESC desc {};
        desc.dwSize = sizeof desc;
        desc.dwFlags = flags;
        desc.dwBufferBytes = bytes;
        desc.lpwfxFormat = &format;
        IDirectSoundBuffer* buffer = nullptr;
        EXPECT_EQ(m_device->CreateSoundBuffer(&desc, &buffer, nullptr), DS_OK);
        return buffer;
    }
    static WAVEFORMATEX mono16() { return {WAVE_FORMAT_PCM, 1, 44100, 88200, 2, 16, 0}; }
    int16_t firstLeft()
    {
        int16_t out[2];
        Mixer::instance().renderFrames(out, 1);
        return out[0];
    }

    IDirectSound* m_device = nullptr;
};

TEST_F(DirectSoundBuffers, CreationRefusesBadDescriptions)
{
    DSBUFFERDESC desc {};
    IDirectSoundBuffer* buffer = nullptr;
    EXPECT_EQ(m_device->CreateSoundBuffer(&desc, &buffer, nullptr), DSERR_INVALIDPARAM); // no size
    desc.dwSize = sizeof desc;
    desc.dwBufferBytes = 100;
    EXPECT_EQ(m_device->CreateSoundBuffer(&desc, &buffer, nullptr), DSERR_INVALIDPARAM); // no format
    WAVEFORMATEX format = {WAVE_FORMAT_PCM, 1, 44100, 44100 * 3, 3, 24, 0};
    desc.lpwfxFormat = &format;
    EXPECT_EQ(m_device->CreateSoundBuffer(&desc, &buffer, nullptr), DSERR_BADFORMAT);
    format = mono16();
    desc.dwBufferBytes = 0;
    EXPECT_EQ(m_device->CreateSoundBuffer(&desc, &buffer, nullptr), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer, nullptr);
}

TEST_F(DirectSoundBuffers, PrimaryBufferTakesTheDeviceFormatButCannotBeLocked)
{
    DSBUFFERDESC desc {};
    desc.dwSize = sizeof desc;
    desc.dwFlags = DSBCAPS_PRIMARYBUFFER;
    IDirectSoundBuffer* primary = nullptr;
    ASSERT_EQ(m_device->CreateSoundBuffer(&desc, &primary, nullptr), DS_OK);
    WAVEFORMATEX format = {WAVE_FORMAT_PCM, 2, 22050, 88200, 4, 16, 0};
    EXPECT_EQ(primary->SetFormat(&format), DS_OK);
    WAVEFORMATEX read {};
    EXPECT_EQ(primary->GetFormat(&read, sizeof read, nullptr), DS_OK);
    EXPECT_EQ(read.nSamplesPerSec, 22050u);
    void* p1;
    DWORD n1;
    EXPECT_EQ(primary->Lock(0, 4, &p1, &n1, nullptr, nullptr, 0), DSERR_PRIOLEVELNEEDED);
    primary->Release();
}

TEST_F(DirectSoundBuffers, LockWrapsIntoTwoPartsAndUnlockWritesThemBack)
{
    IDirectSoundBuffer* buffer = make(8, DSBCAPS_STATIC, mono16());
    void *p1, *p2;
    DWORD n1, n2;
    ASSERT_EQ(buffer->Lock(6, 4, &p1, &n1, &p2, &n2, 0), DS_OK);
    EXPECT_EQ(n1, 2u);
    EXPECT_EQ(n2, 2u);
    EXPECT_EQ(buffer->Lock(0, 2, &p1, &n1, nullptr, nullptr, 0), DSERR_INVALIDCALL); // already locked
    int16_t tail = 3000, head = 1000;
    std::memcpy(p1, &tail, 2);
    std::memcpy(p2, &head, 2);
    ASSERT_EQ(buffer->Unlock(p1, n1, p2, n2), DS_OK);
    EXPECT_EQ(buffer->Unlock(p1, n1, p2, n2), DSERR_INVALIDPARAM); // not locked now
    buffer->Play(0, 0, 0);
    int16_t out[8];
    Mixer::instance().renderFrames(out, 4);
    EXPECT_EQ(out[0], 1000);
    EXPECT_EQ(out[6], 3000);
    EXPECT_EQ(buffer->Lock(8, 1, &p1, &n1, &p2, &n2, 0), DSERR_INVALIDPARAM);
    buffer->Release();
}

TEST_F(DirectSoundBuffers, StatusFollowsPlayLoopStopAndTheEnd)
{
    IDirectSoundBuffer* buffer = make(200, 0, mono16());
    DWORD status = 9;
    buffer->GetStatus(&status);
    EXPECT_EQ(status, 0u);
    buffer->Play(0, 0, DSBPLAY_LOOPING);
    buffer->GetStatus(&status);
    EXPECT_EQ(status, DWORD(DSBSTATUS_PLAYING | DSBSTATUS_LOOPING));
    buffer->Play(0, 0, 0);
    buffer->GetStatus(&status);
    EXPECT_EQ(status, DWORD(DSBSTATUS_PLAYING));
    int16_t out[2 * 200];
    Mixer::instance().renderFrames(out, 200);
    buffer->GetStatus(&status);
    EXPECT_EQ(status, 0u);
    DWORD play = 1, write = 1;
    buffer->GetCurrentPosition(&play, &write);
    EXPECT_EQ(play, 0u);
    buffer->Release();
}

TEST_F(DirectSoundBuffers, ControlsNeedTheirCapabilityAndARange)
{
    IDirectSoundBuffer* plain = make(100, 0, mono16());
    EXPECT_EQ(plain->SetVolume(-100), DSERR_CONTROLUNAVAIL);
    EXPECT_EQ(plain->SetFrequency(22050), DSERR_CONTROLUNAVAIL);
    EXPECT_EQ(plain->SetPan(100), DSERR_CONTROLUNAVAIL);
    plain->Release();

    IDirectSoundBuffer* buffer = make(100, DSBCAPS_CTRLVOLUME | DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPAN, mono16());
    EXPECT_EQ(buffer->SetVolume(-10001), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer->SetVolume(-1234), DS_OK);
    LONG volume = 0;
    buffer->GetVolume(&volume);
    EXPECT_EQ(volume, -1234);
    EXPECT_EQ(buffer->SetFrequency(50), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer->SetFrequency(11025), DS_OK);
    EXPECT_EQ(buffer->SetFrequency(DSBFREQUENCY_ORIGINAL), DS_OK);
    DWORD frequency = 0;
    buffer->GetFrequency(&frequency);
    EXPECT_EQ(frequency, 44100u);
    EXPECT_EQ(buffer->SetPan(10001), DSERR_INVALIDPARAM);
    buffer->Release();
}

TEST_F(DirectSoundBuffers, DuplicateSoundsAloneAndReleaseEndsTheSound)
{
    IDirectSoundBuffer* buffer = make(100, DSBCAPS_CTRLVOLUME, mono16());
    void* p1;
    DWORD n1;
    ASSERT_EQ(buffer->Lock(0, 0, &p1, &n1, nullptr, nullptr, DSBLOCK_ENTIREBUFFER), DS_OK);
    std::vector<int16_t> level(50, 500);
    std::memcpy(p1, level.data(), n1);
    buffer->Unlock(p1, n1, nullptr, 0);
    IDirectSoundBuffer* copy = nullptr;
    ASSERT_EQ(m_device->DuplicateSoundBuffer(buffer, &copy), DS_OK);
    buffer->Play(0, 0, DSBPLAY_LOOPING);
    copy->Play(0, 0, 0);
    EXPECT_EQ(firstLeft(), 1000);
    buffer->Release();
    EXPECT_EQ(firstLeft(), 500);
    copy->Release();
    EXPECT_EQ(firstLeft(), 0);
}

TEST_F(DirectSoundBuffers, InterfacesAnswerOnlyTheirOwnIds)
{
    void* object = nullptr;
    EXPECT_EQ(m_device->QueryInterface(IID_IDirectSoundBuffer, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    ASSERT_EQ(m_device->QueryInterface(IID_IUnknown, &object), S_OK);
    EXPECT_EQ(static_cast<IUnknown*>(object)->Release(), 1u);
}

TEST(DirectSoundModule, LoadsByNameAndCreatesADevice)
{
    HMODULE module = LoadLibraryA("DSOUND.DLL");
    ASSERT_NE(module, nullptr);
    FARPROC entry = GetProcAddress(module, "DirectSoundCreate");
    ASSERT_NE(entry, nullptr);
    IDirectSound* device = nullptr;
    EXPECT_EQ(reinterpret_cast<LPDIRECTSOUNDCREATE>(reinterpret_cast<void*>(entry))(nullptr, &device, nullptr), DS_OK);
    ASSERT_NE(device, nullptr);
    device->Release();
    FreeLibrary(module);
    setDirectSoundState(DirectSoundState::Absent);
    EXPECT_EQ(LoadLibraryA("dsound.dll"), nullptr);
    setDirectSoundState(DirectSoundState::Present);
}

TEST(DirectSoundModule, FailingStateRefusesToCreateADevice)
{
    setDirectSoundState(DirectSoundState::Failing);
    IDirectSound* device = reinterpret_cast<IDirectSound*>(1);
    EXPECT_EQ(directSoundCreate(nullptr, &device, nullptr), DSERR_NODRIVER);
    EXPECT_EQ(device, nullptr);
    setDirectSoundState(DirectSoundState::Present);
}

} // namespace
