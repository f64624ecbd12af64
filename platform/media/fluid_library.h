// The MIDI synthesiser library's entry points, loaded at the first song rather than with the
// program: the library brings some forty libraries of its own that a run without music never needs.
#pragma once

#include <fluidsynth.h>

namespace platform::media {

struct FluidLibrary {
    decltype(&::new_fluid_settings) newSettings = nullptr;
    decltype(&::delete_fluid_settings) deleteSettings = nullptr;
    decltype(&::fluid_settings_setnum) settingsSetNumber = nullptr;
    decltype(&::fluid_set_log_function) setLogFunction = nullptr;
    decltype(&::new_fluid_synth) newSynth = nullptr;
    decltype(&::delete_fluid_synth) deleteSynth = nullptr;
    decltype(&::fluid_synth_sfload) loadSoundFont = nullptr;
    decltype(&::fluid_synth_noteon) noteOn = nullptr;
    decltype(&::fluid_synth_noteoff) noteOff = nullptr;
    decltype(&::fluid_synth_key_pressure) keyPressure = nullptr;
    decltype(&::fluid_synth_cc) controlChange = nullptr;
    decltype(&::fluid_synth_program_change) programChange = nullptr;
    decltype(&::fluid_synth_channel_pressure) channelPressure = nullptr;
    decltype(&::fluid_synth_pitch_bend) pitchBend = nullptr;
    decltype(&::fluid_synth_system_reset) systemReset = nullptr;
    decltype(&::fluid_synth_all_notes_off) allNotesOff = nullptr;
    decltype(&::fluid_synth_all_sounds_off) allSoundsOff = nullptr;
    decltype(&::fluid_synth_write_float) writeFloat = nullptr;
};

// Loaded once; null when the library or one of its entry points is missing (songs then stay silent).
const FluidLibrary* fluidLibrary();

} // namespace platform::media
