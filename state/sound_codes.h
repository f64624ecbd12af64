// The numbers that name an effect sound or a tune, one name each for every layer that asks for one.
#pragma once

// Effect slots of the bank "tkwave\dsse%02d.wav".
namespace sound_slot {
// Also the slot of the sounds and music that windows preview.
constexpr int kPreview = 1;
// A unit's move sound is kMoveBase + its type's move-sound number.
constexpr int kMoveBase = 2;
constexpr int kPageButton = 10;
constexpr int kStartButton = 11;
constexpr int kExplosion = 13;
constexpr int kAreaBlast = 14;
constexpr int kChime = 16;
constexpr int kMoneyAlarm = 18;
constexpr int kLevelUp = 19;
constexpr int kLevelDown = 20;
constexpr int kBankSize = 25;
// The music's segment in the music player and its slot in the sound player, past the bank: the
// segments of the bank's numbers are the previews of windows that play sounds of their own.
constexpr int kMusic = 40;
} // namespace sound_slot

// Tunes of the music requests: 1..8 the anthem of a country, then the fixed tunes.
namespace tune {
constexpr int countryAnthem(int country) { return 1 + country; }
constexpr int kVictory = 9;
constexpr int kDefeat = 10;
constexpr int kOpening = 11;
constexpr int kEnding = 12;
// A country's anthem code below this names a wave of the anthem list, from it on the music list's
// entry code - kMusicListBase.
constexpr int kMusicListBase = 50;
} // namespace tune
