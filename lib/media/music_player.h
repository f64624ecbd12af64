// MusicPlayer: effects and music through a DirectMusic-style performance, segments and audio
// paths addressed by caller-chosen ids.
#pragma once

#include "platform/media/dmusic.h"

#include <mutex>
#include <vector>

// Safe to use from the UI thread and the game thread at once.
class MusicPlayer {
public:
    MusicPlayer();
    virtual ~MusicPlayer();
    MusicPlayer(const MusicPlayer&) = delete;
    MusicPlayer& operator=(const MusicPlayer&) = delete;

    // Creates the performance and the loader. False when either cannot be made or started;
    // the caller then plays through SoundPlayer instead.
    bool init(HWND window);
    void addAudioPath(int id);
    // Hundredths of a decibel: 0 full, -9600 silent.
    void setPathVolume(int pathId, long volume);
    // Loads a wave or MIDI file and downloads it; false (keeping nothing) on failure.
    bool loadSegment(int id, const char* fileName);
    void playOnce(int pathId, int segmentId);
    void playLooped(int pathId, int segmentId);
    void stop(int segmentId);
    void unloadSegment(int segmentId);
    bool isPlaying(int segmentId);

private:
    struct SegmentRecord {
        IDirectMusicSegment8* segment;
        DWORD id;
        IDirectMusicPerformance8* performance;
    };
    struct PathRecord {
        IDirectMusicAudioPath8* path;
        DWORD id;
    };
    void play(int pathId, int segmentId, DWORD repeats);
    IDirectMusicSegment8* findSegment(int id) const;
    IDirectMusicAudioPath8* findPath(int id) const;
    void releaseAll();

    IDirectMusicPerformance8* m_performance = nullptr;
    IDirectMusicLoader8* m_loader = nullptr;
    std::vector<SegmentRecord> m_segments;
    std::vector<PathRecord> m_paths;
    mutable std::recursive_mutex m_mutex;
};

// True when the name has at least five characters and ends in ".mid" in any case.
bool isMidiName(const char* name);
