// Standard MIDI Files: every track merged into one timeline in microseconds through the tempo map.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace platform::media {

struct MidiEvent {
    uint64_t timeUs = 0;
    uint8_t status = 0; // channel message status byte (0x80-0xEF)
    uint8_t data1 = 0;
    uint8_t data2 = 0;
};

struct MidiSong {
    std::vector<MidiEvent> events; // in time order; ties keep track order
    uint64_t lengthUs = 0;         // the latest end of track
};

// Formats 0 and 1 with metrical or SMPTE division. Running status, meta and system exclusive
// events are handled; every length is checked against the bytes present. Returns nothing for a
// file that is not a readable SMF.
std::optional<MidiSong> parseMidiFile(std::span<const uint8_t> bytes);

} // namespace platform::media
