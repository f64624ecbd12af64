// DirectMusic-style performance and audio paths: each play of a segment is one mixer source.
#include "platform/media/dmusic_classes.h"
#include "platform/media/midi_sequence.h"
#include "platform/media/pcm_voice.h"

#include <algorithm>

namespace platform::media {

struct AudioPathState {
    LONG volume = 0;
    bool active = true;
};

// One sounding play of a segment.
struct Instance {
    uint64_t segmentKey = 0;
    bool primary = false;
    std::shared_ptr<AudioPathState> path;
    std::shared_ptr<PcmVoice> wave;
    std::shared_ptr<MidiSequence> midi;

    bool isPlaying() const { return wave ? wave->isPlaying() : midi->isPlaying(); }
    void stop() const { wave ? wave->stop() : midi->stop(); }
    void setVolume(LONG volume) const { wave ? wave->setVolume(volume) : midi->setVolume(volume); }
};

struct PerformanceState {
    std::mutex mutex;
    bool initialised = false;
    std::shared_ptr<AudioPathState> defaultPath;
    std::vector<Instance> instances;

    // Drops finished plays; caller holds the mutex.
    void prune()
    {
        std::erase_if(instances, [](const Instance& i) { return !i.isPlaying(); });
    }
    template <class Match>
    void stopWhere(Match match)
    {
        std::vector<Instance> stopped;
        {
            std::lock_guard lock(mutex);
            auto split = std::stable_partition(instances.begin(), instances.end(), [&](const Instance& i) { return !match(i); });
            stopped.assign(split, instances.end());
            instances.erase(split, instances.end());
        }
        for (auto& instance : stopped)
            instance.stop();
    }
};

namespace {

class AudioPath final : public com::RefCounted<IDirectMusicAudioPath8> {
public:
    AudioPath(std::shared_ptr<AudioPathState> state, std::weak_ptr<PerformanceState> performance)
        : m_state(std::move(state))
        , m_performance(std::move(performance))
    {
    }
    const std::shared_ptr<AudioPathState>& state() const { return m_state; }

    HRESULT QueryInterface(REFIID riid, void** object) override { return answer(riid, IID_IDirectMusicAudioPath8, object); }

    HRESULT Activate(BOOL activate) override
    {
        auto performance = m_performance.lock();
        if (!performance)
            return E_FAIL;
        {
            std::lock_guard lock(performance->mutex);
            m_state->active = activate != FALSE;
        }
        if (!activate)
            performance->stopWhere([this](const Instance& i) { return i.path == m_state; });
        return S_OK;
    }

    HRESULT SetVolume(LONG volume, DWORD) override
    {
        if (volume < DMUS_VOLUME_MIN || volume > DMUS_VOLUME_MAX)
            return E_INVALIDARG;
        auto performance = m_performance.lock();
        if (!performance)
            return E_FAIL;
        std::lock_guard lock(performance->mutex);
        m_state->volume = volume;
        for (auto& instance : performance->instances)
            if (instance.path == m_state)
                instance.setVolume(volume);
        return S_OK;
    }

private:
    std::shared_ptr<AudioPathState> m_state;
    std::weak_ptr<PerformanceState> m_performance;
};

class Performance final : public com::RefCounted<IDirectMusicPerformance8> {
public:
    std::shared_ptr<PerformanceState> state() const { return m_state; }

    HRESULT QueryInterface(REFIID riid, void** object) override { return answer(riid, IID_IDirectMusicPerformance8, object); }

    HRESULT InitAudio(IDirectMusic** directMusic, IDirectSound** directSound, HWND, DWORD defaultPathType,
        DWORD, DWORD, DMUS_AUDIOPARAMS*) override
    {
        // Handing out the underlying objects is not supported; callers of this program pass none.
        if ((directMusic && *directMusic) || (directSound && *directSound))
            return E_NOTIMPL;
        std::lock_guard lock(m_state->mutex);
        if (m_state->initialised)
            return E_FAIL;
        if (defaultPathType && !isPathType(defaultPathType))
            return E_INVALIDARG;
        Mixer::instance();
        m_state->initialised = true;
        if (defaultPathType)
            m_state->defaultPath = std::make_shared<AudioPathState>();
        if (directMusic)
            *directMusic = nullptr;
        if (directSound)
            *directSound = nullptr;
        return S_OK;
    }

    HRESULT CreateStandardAudioPath(DWORD type, DWORD, BOOL activate, IDirectMusicAudioPath8** audioPath) override
    {
        if (!audioPath)
            return E_POINTER;
        *audioPath = nullptr;
        if (!isPathType(type))
            return E_INVALIDARG;
        std::lock_guard lock(m_state->mutex);
        if (!m_state->initialised)
            return E_FAIL;
        auto path = std::make_shared<AudioPathState>();
        path->active = activate != FALSE;
        *audioPath = new AudioPath(path, m_state);
        return S_OK;
    }

    HRESULT PlaySegmentEx(IUnknown* source, WCHAR*, IUnknown*, DWORD flags, LONGLONG,
        IDirectMusicSegmentState** segmentState, IUnknown*, IUnknown* audioPath) override
    {
        Segment* segment = segmentOf(source);
        if (!segment)
            return E_INVALIDARG;
        if (segmentState)
            return E_NOTIMPL;
        std::shared_ptr<AudioPathState> path;
        if (audioPath) {
            auto* chosen = dynamic_cast<AudioPath*>(audioPath);
            if (!chosen)
                return E_INVALIDARG;
            path = chosen->state();
        }
        bool primary = !(flags & DMUS_SEGF_SECONDARY);
        if (primary)
            m_state->stopWhere([](const Instance& i) { return i.primary; });

        std::lock_guard lock(m_state->mutex);
        if (!m_state->initialised)
            return E_FAIL;
        if (!path)
            path = m_state->defaultPath;
        if (!path || !path->active || !segment->isDownloadedTo(m_state.get()))
            return E_FAIL;
        m_state->prune();
        Instance instance;
        instance.segmentKey = segment->key();
        instance.primary = primary;
        instance.path = path;
        const auto& content = segment->content();
        DWORD repeats = segment->repeats();
        int passes = repeats == DMUS_SEG_REPEAT_INFINITE ? -1 : int(std::min<DWORD>(repeats, 0x7FFFFFFF));
        if (content.song) {
            instance.midi = MidiSequence::create(*content.song);
            instance.midi->setVolume(path->volume);
            instance.midi->play(content.song->lengthUs, passes);
        } else {
            instance.wave = PcmVoice::create(content.format, content.samples);
            instance.wave->setVolume(path->volume);
            instance.wave->playRepeating(passes);
        }
        m_state->instances.push_back(std::move(instance));
        return S_OK;
    }

    HRESULT Stop(IDirectMusicSegment8* segment, IDirectMusicSegmentState*, MUSIC_TIME, DWORD) override
    {
        return StopEx(segment, 0, 0);
    }

    HRESULT StopEx(IUnknown* object, LONGLONG, DWORD) override
    {
        if (!object) {
            m_state->stopWhere([](const Instance&) { return true; });
            return S_OK;
        }
        if (Segment* segment = segmentOf(object)) {
            uint64_t key = segment->key();
            m_state->stopWhere([key](const Instance& i) { return i.segmentKey == key; });
            return S_OK;
        }
        if (auto* path = dynamic_cast<AudioPath*>(object)) {
            auto state = path->state();
            m_state->stopWhere([&state](const Instance& i) { return i.path == state; });
            return S_OK;
        }
        return E_INVALIDARG;
    }

    HRESULT IsPlaying(IDirectMusicSegment8* segment, IDirectMusicSegmentState* state) override
    {
        Segment* ours = segmentOf(segment);
        if (!ours)
            return state ? E_NOTIMPL : E_POINTER;
        std::lock_guard lock(m_state->mutex);
        m_state->prune();
        for (auto& instance : m_state->instances)
            if (instance.segmentKey == ours->key())
                return S_OK;
        return S_FALSE;
    }

    HRESULT CloseDown() override
    {
        m_state->stopWhere([](const Instance&) { return true; });
        std::lock_guard lock(m_state->mutex);
        m_state->initialised = false;
        m_state->defaultPath.reset();
        return S_OK;
    }

private:
    ~Performance() override { CloseDown(); }

    static bool isPathType(DWORD type)
    {
        return type == DMUS_APATH_SHARED_STEREOPLUSREVERB || type == DMUS_APATH_DYNAMIC_3D
            || type == DMUS_APATH_DYNAMIC_MONO || type == DMUS_APATH_DYNAMIC_STEREO;
    }

    std::shared_ptr<PerformanceState> m_state = std::make_shared<PerformanceState>();
};

} // namespace

std::shared_ptr<PerformanceState> performanceStateOf(IUnknown* object)
{
    auto* performance = dynamic_cast<Performance*>(object);
    if (!performance)
        return nullptr;
    auto state = performance->state();
    std::lock_guard lock(state->mutex);
    return state->initialised ? state : nullptr;
}

HRESULT createPerformance(REFIID riid, void** object)
{
    auto* performance = new Performance;
    HRESULT result = performance->QueryInterface(riid, object);
    performance->Release();
    return result;
}

} // namespace platform::media
