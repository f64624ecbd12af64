// The media area's own entry points: start-up registration and the switches tests use.
#pragma once

namespace platform::media {

// Registers "dsound.dll" with the kernel's module registry and the DirectMusic classes with the
// COM registry. Idempotent; the media area calls it on first use, the program may call it early.
void registerModules();

// What LoadLibraryA("dsound.dll") finds: the module, no module, or a module whose
// DirectSoundCreate fails (a device that cannot start).
enum class DirectSoundState { Present, Absent, Failing };
void setDirectSoundState(DirectSoundState state);
DirectSoundState directSoundState();

} // namespace platform::media
