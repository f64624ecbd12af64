// DirectMusic-style performance, loader, segments (wave and MIDI) and audio paths over the mixer.
#pragma once

#include "platform/media/objbase.h"

typedef LONG MUSIC_TIME;
typedef LONGLONG REFERENCE_TIME;

#define DMUS_APATH_SHARED_STEREOPLUSREVERB 1
#define DMUS_APATH_DYNAMIC_3D 6
#define DMUS_APATH_DYNAMIC_MONO 7
#define DMUS_APATH_DYNAMIC_STEREO 8

#define DMUS_AUDIOF_3D 0x1
#define DMUS_AUDIOF_ENVIRON 0x2
#define DMUS_AUDIOF_EAX 0x4
#define DMUS_AUDIOF_DMOS 0x8
#define DMUS_AUDIOF_STREAMING 0x10
#define DMUS_AUDIOF_BUFFERS 0x20
#define DMUS_AUDIOF_ALL 0x3F

#define DMUS_SEGF_REFTIME 0x40
#define DMUS_SEGF_SECONDARY 0x80
#define DMUS_SEG_REPEAT_INFINITE 0xFFFFFFFF
#define DMUS_SEG_ALLTRACKS 0x80000000

#define DMUS_VOLUME_MIN -9600
#define DMUS_VOLUME_MAX 0

struct DMUS_AUDIOPARAMS;
struct IDirectMusic;
struct IDirectSound;
struct IDirectMusicSegmentState;

struct IDirectMusicSegment8 : IUnknown {
    virtual HRESULT SetRepeats(DWORD repeats) = 0;
    virtual HRESULT GetRepeats(DWORD* repeats) = 0;
    virtual HRESULT SetParam(REFGUID type, DWORD groupBits, DWORD index, MUSIC_TIME time, void* param) = 0;
    // Prepares the segment's sounds for a performance or an audio path.
    virtual HRESULT Download(IUnknown* target) = 0;
    virtual HRESULT Unload(IUnknown* target) = 0;

protected:
    ~IDirectMusicSegment8() = default;
};

struct IDirectMusicAudioPath8 : IUnknown {
    virtual HRESULT Activate(BOOL activate) = 0;
    // Hundredths of a decibel, DMUS_VOLUME_MIN to 0; duration in milliseconds (changes are immediate).
    virtual HRESULT SetVolume(LONG volume, DWORD duration) = 0;

protected:
    ~IDirectMusicAudioPath8() = default;
};

struct IDirectMusicPerformance8 : IUnknown {
    virtual HRESULT InitAudio(IDirectMusic** directMusic, IDirectSound** directSound, HWND window,
        DWORD defaultPathType, DWORD performanceChannels, DWORD flags, DMUS_AUDIOPARAMS* params) = 0;
    virtual HRESULT PlaySegmentEx(IUnknown* source, WCHAR* segmentName, IUnknown* transition, DWORD flags,
        LONGLONG startTime, IDirectMusicSegmentState** segmentState, IUnknown* from, IUnknown* audioPath) = 0;
    // A null segment stops everything.
    virtual HRESULT Stop(IDirectMusicSegment8* segment, IDirectMusicSegmentState* state, MUSIC_TIME time, DWORD flags) = 0;
    // Stops a segment, everything on an audio path, or everything when `object` is null.
    virtual HRESULT StopEx(IUnknown* object, LONGLONG stopTime, DWORD flags) = 0;
    // S_OK while the segment sounds, S_FALSE otherwise.
    virtual HRESULT IsPlaying(IDirectMusicSegment8* segment, IDirectMusicSegmentState* state) = 0;
    virtual HRESULT CloseDown() = 0;
    virtual HRESULT CreateStandardAudioPath(DWORD type, DWORD performanceChannels, BOOL activate,
        IDirectMusicAudioPath8** audioPath) = 0;

protected:
    ~IDirectMusicPerformance8() = default;
};

struct IDirectMusicLoader8 : IUnknown {
    virtual HRESULT LoadObjectFromFile(REFGUID classId, REFIID iid, WCHAR* filePath, void** object) = 0;
    // Relative file names are looked up here; `clear` is accepted (nothing is cached).
    virtual HRESULT SetSearchDirectory(REFGUID classId, WCHAR* path, BOOL clear) = 0;

protected:
    ~IDirectMusicLoader8() = default;
};

extern const CLSID CLSID_DirectMusicPerformance;
extern const CLSID CLSID_DirectMusicLoader;
extern const CLSID CLSID_DirectMusicSegment;
extern const IID IID_IDirectMusicPerformance8;
extern const IID IID_IDirectMusicLoader8;
extern const IID IID_IDirectMusicSegment8;
extern const IID IID_IDirectMusicAudioPath8;
extern const GUID GUID_StandardMIDIFile;
extern const GUID GUID_DirectMusicAllTypes;
