// The battle scene's own sound effects on DirectSound buffers: up to five slots per side.
#pragma once

#include "platform/windows.h"

#include <array>
#include <string>

constexpr int kSoundBuffers = 34;

// Whether a scene plays its sound effects, and at which volume (hundredths of a decibel, 0 full);
// handed to the scene as it starts, so the draw thread never reads the settings.
struct SceneSound {
    bool on = false;
    int volume = 0;
};

// The sound ids of a side's five slots, -1 for none.
using SoundChoice = std::array<int, 5>;
SoundChoice chooseBattleSounds(int scene_kind, int weapon_kind, int other_weapon_kind, int other_background);
// "%02d.wav" for sound 18, else "%02d%c.wav" with 'a' for the attacker and 'b' for the defender.
std::string battleSoundFileName(int sound_id, int side);
// How many buffers a slot plays in turn.
int soundSlotCopies(int slot);

// False when there is no sound device; the scene is then silent.
bool initBattleSound(HWND window);
void closeBattleSound();
bool isBattleSoundReady();
// Both sides' slots of the prepared scene, played at the volume; stops at the first failure.
bool loadBattleSounds(int volume);
int loadSoundSlot(int sound_id, int side, int slot);
// A buffer and up to copies - 1 duplicates of it; the first buffer's index, or -1.
int loadWave(const std::string& path, int copies);
void playSideSound(int side, int slot);
bool playBuffer(int index);
// Whether the buffer of that index is playing now.
bool isBattleBufferPlaying(int index);
void freeBattleSounds();
// The buffers a slot's first index really has (a failed duplicate leaves fewer).
int soundBufferCopies(int index);
int soundBuffersInUse();
