// Loading the MIDI synthesiser library by name and binding its entry points.
#include "platform/media/fluid_library.h"

#include <dlfcn.h>

#include <initializer_list>
#include <type_traits>

namespace platform::media {

namespace {

const FluidLibrary* load()
{
    void* handle = nullptr;
    for (const char* name : { "libfluidsynth.so.3", "libfluidsynth.so" })
        if ((handle = dlopen(name, RTLD_NOW | RTLD_LOCAL)))
            break;
    if (!handle)
        return nullptr;
    static FluidLibrary library;
    bool complete = true;
    auto bind = [&](auto& entry, const char* symbol) {
        entry = reinterpret_cast<std::remove_reference_t<decltype(entry)>>(dlsym(handle, symbol));
        complete = complete && entry;
    };
    bind(library.newSettings, "new_fluid_settings");
    bind(library.deleteSettings, "delete_fluid_settings");
    bind(library.settingsSetNumber, "fluid_settings_setnum");
    bind(library.setLogFunction, "fluid_set_log_function");
    bind(library.newSynth, "new_fluid_synth");
    bind(library.deleteSynth, "delete_fluid_synth");
    bind(library.loadSoundFont, "fluid_synth_sfload");
    bind(library.noteOn, "fluid_synth_noteon");
    bind(library.noteOff, "fluid_synth_noteoff");
    bind(library.keyPressure, "fluid_synth_key_pressure");
    bind(library.controlChange, "fluid_synth_cc");
    bind(library.programChange, "fluid_synth_program_change");
    bind(library.channelPressure, "fluid_synth_channel_pressure");
    bind(library.pitchBend, "fluid_synth_pitch_bend");
    bind(library.systemReset, "fluid_synth_system_reset");
    bind(library.allNotesOff, "fluid_synth_all_notes_off");
    bind(library.allSoundsOff, "fluid_synth_all_sounds_off");
    bind(library.writeFloat, "fluid_synth_write_float");
    return complete ? &library : nullptr;
}

} // namespace

const FluidLibrary* fluidLibrary()
{
    static const FluidLibrary* const library = load();
    return library;
}

} // namespace platform::media
