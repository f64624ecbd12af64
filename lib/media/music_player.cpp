// MusicPlayer: performance start-up, segment loading and secondary-segment playback.
#include "lib/media/music_player.h"
#include "lib/error.h"
#include "platform/kernel/host.h"
#include "platform/kernel/winbase.h"

#include <cctype>
#include <cstdio>
#include <cstring>

bool isMidiName(const char* name)
{
    size_t length = name ? std::strlen(name) : 0;
    if (length < 5)
        return false;
    const char* tail = name + length - 4;
    return tail[0] == '.' && std::tolower((unsigned char)tail[1]) == 'm' && std::tolower((unsigned char)tail[2]) == 'i'
        && std::tolower((unsigned char)tail[3]) == 'd';
}

MusicPlayer::MusicPlayer() { CoInitialize(nullptr); }

MusicPlayer::~MusicPlayer()
{
    releaseAll();
    CoUninitialize();
}

void MusicPlayer::releaseAll()
{
    std::lock_guard lock(m_mutex);
    if (m_performance)
        m_performance->Stop(nullptr, nullptr, 0, 0);
    for (auto& record : m_paths)
        record.path->Release();
    m_paths.clear();
    for (auto& record : m_segments) {
        record.segment->Unload(record.performance);
        record.segment->Release();
    }
    m_segments.clear();
    if (m_loader) {
        m_loader->Release();
        m_loader = nullptr;
    }
    if (m_performance) {
        m_performance->CloseDown();
        m_performance->Release();
        m_performance = nullptr;
    }
}

bool MusicPlayer::init(HWND window)
{
    std::lock_guard lock(m_mutex);
    releaseAll();
    bool ready = SUCCEEDED(CoCreateInstance(CLSID_DirectMusicPerformance, nullptr, CLSCTX_INPROC,
                     IID_IDirectMusicPerformance8, reinterpret_cast<void**>(&m_performance)))
        && m_performance
        && SUCCEEDED(m_performance->InitAudio(nullptr, nullptr, window, 0, 64, DMUS_AUDIOF_ALL, nullptr))
        && SUCCEEDED(CoCreateInstance(CLSID_DirectMusicLoader, nullptr, CLSCTX_INPROC, IID_IDirectMusicLoader8,
            reinterpret_cast<void**>(&m_loader)))
        && m_loader;
    if (!ready) {
        // A performance that never started must not be closed down as if it had.
        if (m_loader) {
            m_loader->Release();
            m_loader = nullptr;
        }
        if (m_performance) {
            m_performance->Release();
            m_performance = nullptr;
        }
    }
    return ready;
}

void MusicPlayer::addAudioPath(int id)
{
    std::lock_guard lock(m_mutex);
    if (!m_performance)
        return;
    IDirectMusicAudioPath8* path = nullptr;
    if (SUCCEEDED(m_performance->CreateStandardAudioPath(DMUS_APATH_DYNAMIC_STEREO, 64, TRUE, &path)) && path)
        m_paths.push_back({path, DWORD(id)});
}

void MusicPlayer::setPathVolume(int pathId, long volume)
{
    std::lock_guard lock(m_mutex);
    if (auto* path = findPath(pathId))
        path->SetVolume(LONG(volume), 0);
}

bool MusicPlayer::loadSegment(int id, const char* fileName)
{
    std::lock_guard lock(m_mutex);
    if (!m_performance || !m_loader || !fileName)
        return false;
    WCHAR wide[MAX_PATH];
    if (MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, fileName, -1, wide, MAX_PATH) == 0)
        return false;
    IDirectMusicSegment8* segment = nullptr;
    if (FAILED(m_loader->LoadObjectFromFile(CLSID_DirectMusicSegment, IID_IDirectMusicSegment8, wide,
            reinterpret_cast<void**>(&segment)))
        || !segment)
        return false;
    if (isMidiName(fileName))
        segment->SetParam(GUID_StandardMIDIFile, 0xFFFFFFFF, 0, 0, nullptr);
    HRESULT result = segment->Download(m_performance);
    if (FAILED(result)) {
        segment->Release();
        char text[256];
        std::snprintf(text, sizeof text, "%s%x",
            platform::utf8ToCp932("DirectMusicのDownloadに失敗しました。\n").c_str(), unsigned(result));
        showErrorBox(nullptr, text, fileName);
        return false;
    }
    m_segments.push_back({segment, DWORD(id), m_performance});
    return true;
}

void MusicPlayer::play(int pathId, int segmentId, DWORD repeats)
{
    std::lock_guard lock(m_mutex);
    auto* segment = findSegment(segmentId);
    auto* path = findPath(pathId);
    if (!segment || !path)
        return;
    segment->SetRepeats(repeats);
    m_performance->PlaySegmentEx(segment, nullptr, nullptr, DMUS_SEGF_SECONDARY, 0, nullptr, nullptr, path);
}

void MusicPlayer::playOnce(int pathId, int segmentId) { play(pathId, segmentId, 0); }

void MusicPlayer::playLooped(int pathId, int segmentId) { play(pathId, segmentId, DMUS_SEG_REPEAT_INFINITE); }

void MusicPlayer::stop(int segmentId)
{
    std::lock_guard lock(m_mutex);
    if (auto* segment = findSegment(segmentId))
        m_performance->StopEx(segment, 0, 0);
}

void MusicPlayer::unloadSegment(int segmentId)
{
    std::lock_guard lock(m_mutex);
    for (auto it = m_segments.begin(); it != m_segments.end(); ++it) {
        if (it->id != DWORD(segmentId))
            continue;
        m_performance->StopEx(it->segment, 0, 0);
        it->segment->Unload(it->performance);
        it->segment->Release();
        m_segments.erase(it);
        return;
    }
}

bool MusicPlayer::isPlaying(int segmentId)
{
    std::lock_guard lock(m_mutex);
    auto* segment = findSegment(segmentId);
    return segment && m_performance->IsPlaying(segment, nullptr) == S_OK;
}

IDirectMusicSegment8* MusicPlayer::findSegment(int id) const
{
    for (auto& record : m_segments)
        if (record.id == DWORD(id))
            return record.segment;
    return nullptr;
}

IDirectMusicAudioPath8* MusicPlayer::findPath(int id) const
{
    for (auto& record : m_paths)
        if (record.id == DWORD(id))
            return record.path;
    return nullptr;
}
