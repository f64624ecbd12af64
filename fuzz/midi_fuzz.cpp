// Feeds any bytes to the Standard MIDI File reader: a song it returns has channel messages only,
// in time order, none after the song's end.
#include "platform/media/midi_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const auto song = platform::media::parseMidiFile({ data, size });
    if (!song)
        return 0;
    uint64_t last = 0;
    for (const platform::media::MidiEvent& event : song->events) {
        if (event.status < 0x80 || event.status > 0xEF || event.timeUs < last || event.timeUs > song->lengthUs)
            std::abort();
        last = event.timeUs;
    }
    return 0;
}
