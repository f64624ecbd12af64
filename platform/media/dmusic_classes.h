// The layer's DirectMusic objects, shared by the performance, loader and segment files.
#pragma once

#include "platform/media/com_object.h"
#include "platform/media/dmusic.h"
#include "platform/media/midi_file.h"
#include "platform/media/mmsystem.h"

#include <memory>
#include <mutex>
#include <vector>

namespace platform::media {

class Source;
struct PerformanceState;

// What a loaded file holds: PCM samples or a MIDI song. Immutable once loaded.
struct SegmentContent {
    WAVEFORMATEX format {};
    std::shared_ptr<std::vector<uint8_t>> samples; // wave segments
    std::shared_ptr<MidiSong> song;                // MIDI segments
};

class Segment final : public com::RefCounted<IDirectMusicSegment8> {
public:
    explicit Segment(SegmentContent content);

    HRESULT QueryInterface(REFIID riid, void** object) override { return answer(riid, IID_IDirectMusicSegment8, object); }
    HRESULT SetRepeats(DWORD repeats) override;
    HRESULT GetRepeats(DWORD* repeats) override;
    HRESULT SetParam(REFGUID type, DWORD groupBits, DWORD index, MUSIC_TIME time, void* param) override;
    HRESULT Download(IUnknown* target) override;
    HRESULT Unload(IUnknown* target) override;

    uint64_t key() const { return m_key; }
    const SegmentContent& content() const { return m_content; }
    DWORD repeats() const;
    bool isDownloadedTo(const PerformanceState* performance) const;

private:
    SegmentContent m_content;
    uint64_t m_key;
    mutable std::mutex m_mutex;
    DWORD m_repeats = 0;
    std::vector<std::weak_ptr<PerformanceState>> m_downloads;
};

// Finds the layer's object behind an interface pointer the caller hands back.
Segment* segmentOf(IUnknown* object);
std::shared_ptr<PerformanceState> performanceStateOf(IUnknown* object);

void registerDirectMusicClasses();

} // namespace platform::media
