// Start-up of the media area: "dsound.dll" in the kernel's module registry, DirectMusic in the COM registry.
#include "platform/media/direct_sound_device.h"
#include "platform/media/ddraw.h"
#include "platform/media/dmusic_classes.h"
#include "platform/kernel/modules.h"

#include <atomic>
#include <mutex>

namespace platform::media {
namespace {

std::mutex g_mutex;
bool g_registered = false;
std::atomic<DirectSoundState> g_state { DirectSoundState::Present };

void applyDirectSoundState(DirectSoundState state)
{
    if (state == DirectSoundState::Absent)
        platform::unregisterModule("dsound.dll");
    else
        platform::registerModule("dsound.dll",
            {{"DirectSoundCreate", reinterpret_cast<FARPROC>(reinterpret_cast<void*>(&directSoundCreate))}});
}

} // namespace

void registerModules()
{
    std::lock_guard lock(g_mutex);
    if (g_registered)
        return;
    g_registered = true;
    applyDirectSoundState(g_state);
    registerDirectMusicClasses();
    registerDirectDrawClass();
}

void setDirectSoundState(DirectSoundState state)
{
    registerModules();
    std::lock_guard lock(g_mutex);
    g_state = state;
    applyDirectSoundState(state);
}

DirectSoundState directSoundState() { return g_state; }

namespace {
// Code that reaches "dsound.dll" by LoadLibraryA alone (the battle scene) finds it from the start.
const bool g_registeredAtStart = (registerModules(), true);
} // namespace

} // namespace platform::media
