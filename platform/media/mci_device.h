// Opened MCI devices: a MIDI sequence ("sequencer") or a wave voice ("waveaudio") with its notices.
#pragma once

#include "platform/media/midi_sequence.h"
#include "platform/media/mmsystem.h"
#include "platform/media/pcm_voice.h"

#include <condition_variable>
#include <string>

namespace platform::media {

// One open device. Thread-safe; the notice of a play that ends is posted from the mixing thread.
class MciDevice : public std::enable_shared_from_this<MciDevice> {
public:
    enum class Kind { Sequencer, WaveAudio };

    // Reads the element; returns an MCIERR_ code on failure.
    static MCIERROR open(Kind kind, std::string_view element, std::shared_ptr<MciDevice>& out);

    void setId(MCIDEVICEID id) { m_id = id; }
    MCIDEVICEID id() const { return m_id; }
    Kind kind() const { return m_kind; }

    // Times in milliseconds. `to` of 0 means the end.
    MCIERROR play(bool hasFrom, DWORD from, bool hasTo, DWORD to, HWND notify, bool wait);
    MCIERROR stop();
    MCIERROR pause();
    MCIERROR resume();
    MCIERROR seek(DWORD to);
    void close();
    DWORD lengthMs() const;
    DWORD positionMs() const;
    DWORD mode() const;

    // A command with MCI_NOTIFY supersedes a pending play notice; one without aborts it.
    void settlePending(bool superseded);

private:
    MciDevice(Kind kind);
    void onEnded();

    Kind m_kind;
    MCIDEVICEID m_id = 0;
    std::shared_ptr<MidiSequence> m_midi;
    std::shared_ptr<PcmVoice> m_wave;
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    HWND m_notify = nullptr;
    bool m_pending = false;
    bool m_paused = false;
    uint64_t m_generation = 0;
};

} // namespace platform::media

namespace platform::media {

// The command dispatcher behind mciSendCommandA, and the alias table that command strings use.
MCIERROR sendCommand(MCIDEVICEID id, UINT message, DWORD_PTR flags, DWORD_PTR param);
MCIDEVICEID deviceIdOfAlias(std::string_view alias);

} // namespace platform::media
