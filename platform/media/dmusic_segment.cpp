// DirectMusic-style segments and the loader that reads them from wave and MIDI files.
#include "platform/media/dmusic_classes.h"
#include "platform/kernel/file_bytes.h"
#include "platform/media/wave_file.h"
#include "platform/kernel/host.h"

#include <atomic>
#include <cstring>

const CLSID CLSID_DirectMusicPerformance = {0x7c1e5d10, 0x93a4, 0x4f0b, {0x8e, 0x52, 0x61, 0x0d, 0x3a, 0xc4, 0x27, 0x10}};
const CLSID CLSID_DirectMusicLoader = {0x7c1e5d11, 0x93a4, 0x4f0b, {0x8e, 0x52, 0x61, 0x0d, 0x3a, 0xc4, 0x27, 0x10}};
const CLSID CLSID_DirectMusicSegment = {0x7c1e5d12, 0x93a4, 0x4f0b, {0x8e, 0x52, 0x61, 0x0d, 0x3a, 0xc4, 0x27, 0x10}};
const IID IID_IDirectMusicPerformance8 = {0x7c1e5d20, 0x93a4, 0x4f0b, {0x8e, 0x52, 0x61, 0x0d, 0x3a, 0xc4, 0x27, 0x10}};
const IID IID_IDirectMusicLoader8 = {0x7c1e5d21, 0x93a4, 0x4f0b, {0x8e, 0x52, 0x61, 0x0d, 0x3a, 0xc4, 0x27, 0x10}};
const IID IID_IDirectMusicSegment8 = {0x7c1e5d22, 0x93a4, 0x4f0b, {0x8e, 0x52, 0x61, 0x0d, 0x3a, 0xc4, 0x27, 0x10}};
const IID IID_IDirectMusicAudioPath8 = {0x7c1e5d23, 0x93a4, 0x4f0b, {0x8e, 0x52, 0x61, 0x0d, 0x3a, 0xc4, 0x27, 0x10}};
const GUID GUID_StandardMIDIFile = {0x7c1e5d30, 0x93a4, 0x4f0b, {0x8e, 0x52, 0x61, 0x0d, 0x3a, 0xc4, 0x27, 0x10}};
const GUID GUID_DirectMusicAllTypes = {0x7c1e5d31, 0x93a4, 0x4f0b, {0x8e, 0x52, 0x61, 0x0d, 0x3a, 0xc4, 0x27, 0x10}};

namespace platform::media {

HRESULT createPerformance(REFIID riid, void** object);

namespace {
std::atomic<uint64_t> g_nextSegmentKey {1};
}

Segment::Segment(SegmentContent content)
    : m_content(std::move(content))
    , m_key(g_nextSegmentKey++)
{
}

HRESULT Segment::SetRepeats(DWORD repeats)
{
    std::lock_guard lock(m_mutex);
    m_repeats = repeats;
    return S_OK;
}

HRESULT Segment::GetRepeats(DWORD* repeats)
{
    if (!repeats)
        return E_POINTER;
    *repeats = this->repeats();
    return S_OK;
}

DWORD Segment::repeats() const
{
    std::lock_guard lock(m_mutex);
    return m_repeats;
}

// The standard-MIDI-file switch only matters to a MIDI segment; nothing else is settable.
HRESULT Segment::SetParam(REFGUID type, DWORD, DWORD, MUSIC_TIME, void*)
{
    return type == GUID_StandardMIDIFile && m_content.song ? S_OK : E_NOTIMPL;
}

HRESULT Segment::Download(IUnknown* target)
{
    auto performance = performanceStateOf(target);
    if (!performance)
        return E_INVALIDARG;
    std::lock_guard lock(m_mutex);
    std::erase_if(m_downloads, [&](auto& weak) { return weak.expired() || weak.lock() == performance; });
    m_downloads.push_back(performance);
    return S_OK;
}

HRESULT Segment::Unload(IUnknown* target)
{
    auto performance = performanceStateOf(target);
    std::lock_guard lock(m_mutex);
    auto before = m_downloads.size();
    std::erase_if(m_downloads, [&](auto& weak) {
        auto alive = weak.lock();
        return !alive || alive == performance;
    });
    return performance && m_downloads.size() < before ? S_OK : E_INVALIDARG;
}

bool Segment::isDownloadedTo(const PerformanceState* performance) const
{
    std::lock_guard lock(m_mutex);
    for (auto& weak : m_downloads)
        if (weak.lock().get() == performance)
            return true;
    return false;
}

Segment* segmentOf(IUnknown* object) { return object ? dynamic_cast<Segment*>(object) : nullptr; }

namespace {

std::string toCp932(const WCHAR* text)
{
    std::u32string wide;
    for (; *text; ++text) {
        char32_t c = *text;
        if (c >= 0xD800 && c < 0xDC00 && text[1] >= 0xDC00 && text[1] < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (char32_t(text[1]) - 0xDC00);
            ++text;
        }
        wide.push_back(c);
    }
    return platform::utf32ToCp932(wide);
}

bool isAbsolute(const std::string& path)
{
    return (!path.empty() && (path[0] == '\\' || path[0] == '/')) || (path.size() > 1 && path[1] == ':');
}

class Loader final : public com::RefCounted<IDirectMusicLoader8> {
public:
    HRESULT QueryInterface(REFIID riid, void** object) override { return answer(riid, IID_IDirectMusicLoader8, object); }

    HRESULT SetSearchDirectory(REFGUID, WCHAR* path, BOOL) override
    {
        if (!path)
            return E_POINTER;
        std::lock_guard lock(m_mutex);
        m_directory = toCp932(path);
        return S_OK;
    }

    HRESULT LoadObjectFromFile(REFGUID classId, REFIID iid, WCHAR* filePath, void** object) override
    {
        if (!object || !filePath)
            return E_POINTER;
        *object = nullptr;
        if (!(classId == CLSID_DirectMusicSegment))
            return REGDB_E_CLASSNOTREG;
        std::string name = toCp932(filePath);
        {
            std::lock_guard lock(m_mutex);
            if (!m_directory.empty() && !isAbsolute(name))
                name = m_directory + "\\" + name;
        }
        auto bytes = readGameFile(name, kMaxMediaFileBytes);
        if (!bytes)
            return HRESULT_FROM_WIN32(2); // the file was not found
        SegmentContent content;
        if (bytes->size() >= 4 && std::memcmp(bytes->data(), "MThd", 4) == 0) {
            auto song = parseMidiFile(*bytes);
            if (!song)
                return E_FAIL;
            content.song = std::make_shared<MidiSong>(std::move(*song));
        } else {
            auto wave = parseWave(*bytes);
            if (!wave)
                return E_FAIL;
            content.format = wave.image.format;
            content.samples = std::make_shared<std::vector<uint8_t>>(wave.image.samples.begin(), wave.image.samples.end());
        }
        auto* segment = new Segment(std::move(content));
        HRESULT result = segment->QueryInterface(iid, object);
        segment->Release();
        return result;
    }

private:
    std::mutex m_mutex;
    std::string m_directory;
};

} // namespace

void registerDirectMusicClasses()
{
    com::registerClass(CLSID_DirectMusicPerformance, createPerformance);
    com::registerClass(CLSID_DirectMusicLoader, [](REFIID riid, void** object) {
        auto* loader = new Loader;
        HRESULT result = loader->QueryInterface(riid, object);
        loader->Release();
        return result;
    });
}

} // namespace platform::media
