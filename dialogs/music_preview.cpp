// MusicPreview: choosing the file and the player of a preview.
#include "dialogs/music_preview.h"

#include "lib/error.h"
#include "lib/media/mci_device.h"
#include "lib/media/music_player.h"
#include "lib/media/sound_player.h"
#include "state/data_path.h"
#include "state/game_state.h"
#include "state/sound_codes.h"
#include "state/state_accessors.h"
#include "ui/main_window_services.h"
#include "ui/tune_files.h"

MusicPreview::MusicPreview(MainWindowServices& main, HWND notify)
    : m_main(main)
    , m_notify(notify)
{
}

MusicPreview::~MusicPreview() { stop(); }

void MusicPreview::stop()
{
    m_main.unloadSound(sound_slot::kPreview);
    if (m_midi) {
        m_midi->mciCommand(MCI_STOP, nullptr);
        m_midi->mciClose();
        m_midi.reset();
    }
}

void MusicPreview::play(const GameState& state, int code)
{
    if (!m_stoppedGameMusic) {
        m_main.stopAllSounds();
        m_stoppedGameMusic = true;
    }
    stop();
    if (code < 0)
        return;
    const std::optional<std::string> file = anthemFileName(state, code);
    if (!file)
        return;
    const std::string& name = *file;
    const std::string path = dataPath(name.c_str(), kFolderProgram);
    if (MusicPlayer* music = m_main.musicPlayer()) {
        if (music->loadSegment(sound_slot::kPreview, path.c_str()))
            music->playLooped(kMusicAudioPath, sound_slot::kPreview);
        else
            m_main.tellUnplayableSound(path);
        return;
    }
    try {
        if (!isMidiFileName(name)) {
            if (SoundPlayer* sounds = m_main.soundPlayer()) {
                sounds->soundLoad(path.c_str(), sound_slot::kPreview);
                sounds->soundSetVolume(sound_slot::kPreview, state.settings().seVolume);
                sounds->soundPlay(sound_slot::kPreview, 2);
            }
            return;
        }
        m_midi = std::make_unique<swCMCIDevice>("sequencer", path.c_str());
        m_midi->mciSet(MCI_FORMAT_MILLISECONDS, nullptr);
        m_midi->mciPlay(m_notify);
    } catch (swCError* error) {
        // The person is told, as of the game's own sounds; the settings go on without the preview.
        delete error;
        m_main.tellUnplayableSound(path);
        m_midi.reset();
    }
}
