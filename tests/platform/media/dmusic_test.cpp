// DirectMusic-style creation and playback: COM errors, download, repeats, stops and path volume.
#include "platform/media/dmusic.h"
#include "platform/media/mixer.h"
#include "tests/platform/media/media_files.h"

#include <gtest/gtest.h>

#include <cstring>
#include <thread>

using namespace testing_media;
using platform::media::Mixer;

namespace {

std::u16string wide(const char* text) { return std::u16string(text, text + std::strlen(text)); }

class DirectMusicObjects : public ::testing::Test {
protected:
    void SetUp() override
    {
        Mixer::instance().useManualClock();
        Mixer::instance().deactivateAll();
        m_folder.write("level.wav", flatWave(1000, 800));
        ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
        ASSERT_EQ(CoCreateInstance(CLSID_DirectMusicPerformance, nullptr, CLSCTX_INPROC, IID_IDirectMusicPerformance8,
                      reinterpret_cast<void**>(&m_performance)), S_OK);
        ASSERT_EQ(CoCreateInstance(CLSID_DirectMusicLoader, nullptr, CLSCTX_INPROC, IID_IDirectMusicLoader8,
                      reinterpret_cast<void**>(&m_loader)), S_OK);
    }
    void TearDown() override
    {
        if (m_loader)
            m_loader->Release();
        if (m_performance) {
            m_performance->CloseDown();
            m_performance->Release();
        }
        CoUninitialize();
        Mixer::instance().deactivateAll();
    }

    IDirectMusicSegment8* load(const char* name)
    {
        auto path = wide(name);
        IDirectMusicSegment8* segment = nullptr;
        EXPECT_EQ(m_loader->LoadObjectFromFile(CLSID_DirectMusicSegment, IID_IDirectMusicSegment8, path.data(),
                      reinterpret_cast<void**>(&segment)), S_OK);
        return segment;
    }
    int16_t heard(size_t frames = 1)
    {
        std::vector<int16_t> out(frames * 2);
        Mixer::instance().renderFrames(out.data(), frames);
        return out[(frames - 1) * 2];
    }

    MediaFolder m_folder;
    IDirectMusicPerformance8* m_performance = nullptr;
    IDirectMusicLoader8* m_loader = nullptr;
};

TEST_F(DirectMusicObjects, CreationFollowsTheComRules)
{
    void* object = reinterpret_cast<void*>(1);
    const CLSID unknown = {1, 2, 3, {4, 5, 6, 7, 8, 9, 10, 11}};
    EXPECT_EQ(CoCreateInstance(unknown, nullptr, CLSCTX_INPROC, IID_IUnknown, &object), REGDB_E_CLASSNOTREG);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(CoCreateInstance(CLSID_DirectMusicLoader, nullptr, CLSCTX_INPROC, IID_IDirectMusicSegment8, &object),
        E_NOINTERFACE);
    platform::com::setCreationFailure(CLSID_DirectMusicLoader, E_OUTOFMEMORY);
    EXPECT_EQ(CoCreateInstance(CLSID_DirectMusicLoader, nullptr, CLSCTX_INPROC, IID_IDirectMusicLoader8, &object),
        E_OUTOFMEMORY);
    platform::com::setCreationFailure(CLSID_DirectMusicLoader, S_OK);
    std::thread other([&] {
        void* elsewhere = nullptr;
        EXPECT_EQ(CoCreateInstance(CLSID_DirectMusicLoader, nullptr, CLSCTX_INPROC, IID_IDirectMusicLoader8, &elsewhere),
            CO_E_NOTINITIALIZED);
    });
    other.join();
}

TEST_F(DirectMusicObjects, SegmentMustBeDownloadedToAnInitialisedPerformance)
{
    IDirectMusicSegment8* segment = load("level.wav");
    ASSERT_NE(segment, nullptr);
    EXPECT_EQ(segment->Download(m_performance), E_INVALIDARG); // InitAudio not called yet
    ASSERT_EQ(m_performance->InitAudio(nullptr, nullptr, nullptr, DMUS_APATH_SHARED_STEREOPLUSREVERB, 64, DMUS_AUDIOF_ALL, nullptr), S_OK);
    EXPECT_EQ(m_performance->PlaySegmentEx(segment, nullptr, nullptr, DMUS_SEGF_SECONDARY, 0, nullptr, nullptr, nullptr), E_FAIL);
    ASSERT_EQ(segment->Download(m_performance), S_OK);
    EXPECT_EQ(m_performance->PlaySegmentEx(segment, nullptr, nullptr, DMUS_SEGF_SECONDARY, 0, nullptr, nullptr, nullptr), S_OK);
    EXPECT_EQ(heard(), 800); // on the default path
    EXPECT_EQ(segment->Unload(m_performance), S_OK);
    segment->Release();
}

TEST_F(DirectMusicObjects, RepeatsLoopUntilStoppedAndPathVolumeApplies)
{
    ASSERT_EQ(m_performance->InitAudio(nullptr, nullptr, nullptr, 0, 64, DMUS_AUDIOF_ALL, nullptr), S_OK);
    IDirectMusicAudioPath8* path = nullptr;
    ASSERT_EQ(m_performance->CreateStandardAudioPath(DMUS_APATH_DYNAMIC_STEREO, 64, TRUE, &path), S_OK);
    IDirectMusicSegment8* segment = load("level.wav");
    segment->Download(m_performance);
    segment->SetRepeats(2);
    m_performance->PlaySegmentEx(segment, nullptr, nullptr, DMUS_SEGF_SECONDARY, 0, nullptr, nullptr, path);
    heard(2990);
    EXPECT_EQ(m_performance->IsPlaying(segment, nullptr), S_OK);
    heard(20);
    EXPECT_EQ(m_performance->IsPlaying(segment, nullptr), S_FALSE);

    segment->SetRepeats(DMUS_SEG_REPEAT_INFINITE);
    m_performance->PlaySegmentEx(segment, nullptr, nullptr, DMUS_SEGF_SECONDARY, 0, nullptr, nullptr, path);
    EXPECT_EQ(path->SetVolume(-2000, 0), S_OK);
    EXPECT_EQ(heard(20000), 80);
    EXPECT_EQ(path->SetVolume(-9601, 0), E_INVALIDARG);
    EXPECT_EQ(m_performance->StopEx(segment, 0, 0), S_OK);
    EXPECT_EQ(m_performance->IsPlaying(segment, nullptr), S_FALSE);
    EXPECT_EQ(heard(), 0);

    m_performance->PlaySegmentEx(segment, nullptr, nullptr, DMUS_SEGF_SECONDARY, 0, nullptr, nullptr, path);
    path->Activate(FALSE);
    EXPECT_EQ(m_performance->IsPlaying(segment, nullptr), S_FALSE);
    EXPECT_EQ(m_performance->PlaySegmentEx(segment, nullptr, nullptr, DMUS_SEGF_SECONDARY, 0, nullptr, nullptr, path), E_FAIL);
    segment->Release();
    path->Release();
}

TEST_F(DirectMusicObjects, LoaderUsesTheSearchDirectoryAndRefusesOtherFiles)
{
    m_folder.write("notes.txt", {'h', 'e', 'l', 'l', 'o'});
    auto folder = wide(platform::programFolder().c_str());
    EXPECT_EQ(m_loader->SetSearchDirectory(GUID_DirectMusicAllTypes, folder.data(), FALSE), S_OK);
    IDirectMusicSegment8* segment = load("level.wav");
    ASSERT_NE(segment, nullptr);
    segment->Release();
    void* object = nullptr;
    auto text = wide("notes.txt");
    EXPECT_EQ(m_loader->LoadObjectFromFile(CLSID_DirectMusicSegment, IID_IDirectMusicSegment8, text.data(), &object), E_FAIL);
    auto missing = wide("none.wav");
    EXPECT_TRUE(FAILED(m_loader->LoadObjectFromFile(CLSID_DirectMusicSegment, IID_IDirectMusicSegment8, missing.data(), &object)));
    EXPECT_EQ(object, nullptr);
}

} // namespace
