// Standard MIDI File reader.
#include "platform/media/midi_file.h"

#include <algorithm>
#include <cstring>
#include <map>

namespace platform::media {
namespace {

// Tempo changes and channel messages together; far beyond any song. The events are counted before
// anything is kept, so a file with more is refused without taking memory for them.
constexpr size_t kMaxEvents = 100'000;

struct Reader {
    std::span<const uint8_t> bytes;
    size_t at = 0;

    bool left(size_t n) const { return bytes.size() - at >= n; }
    bool varLength(uint32_t& value)
    {
        value = 0;
        for (int i = 0; i < 4; ++i) {
            if (!left(1))
                return false;
            uint8_t byte = bytes[at++];
            value = (value << 7) | (byte & 0x7F);
            if (!(byte & 0x80))
                return true;
        }
        return false;
    }
};

uint32_t be32(const uint8_t* p) { return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3]; }
uint16_t be16(const uint8_t* p) { return uint16_t(p[0] << 8 | p[1]); }

struct TickEvent {
    uint64_t tick;
    uint32_t order;
    MidiEvent event;
    uint32_t tempo; // 0 for a channel message; else a tempo change in microseconds per quarter
};

// Reads one track's events in ticks, keeping them when out is given and counting them in any case;
// false on a malformed track or past kMaxEvents.
bool readTrack(std::span<const uint8_t> body, std::vector<TickEvent>* out, size_t& count, uint64_t& endTick, uint32_t& order)
{
    auto keep = [&](const TickEvent& event) {
        if (++count > kMaxEvents)
            return false;
        if (out)
            out->push_back(event);
        return true;
    };
    Reader r {body};
    uint64_t tick = 0;
    uint8_t running = 0;
    while (r.left(1)) {
        uint32_t delta;
        if (!r.varLength(delta) || !r.left(1))
            return false;
        tick += delta;
        uint8_t status = r.bytes[r.at];
        if (status & 0x80)
            ++r.at;
        else if (running)
            status = running;
        else
            return false;
        if (status == 0xFF) {
            if (!r.left(1))
                return false;
            uint8_t type = r.bytes[r.at++];
            uint32_t length;
            if (!r.varLength(length) || !r.left(length))
                return false;
            if (type == 0x51 && length == 3) {
                const uint8_t* p = r.bytes.data() + r.at;
                uint32_t tempo = uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
                if (tempo > 0 && !keep({tick, order++, {}, tempo}))
                    return false;
            }
            r.at += length;
            if (type == 0x2F)
                break;
            continue;
        }
        if (status == 0xF0 || status == 0xF7) {
            uint32_t length;
            if (!r.varLength(length) || !r.left(length))
                return false;
            r.at += length;
            continue;
        }
        if (status >= 0xF0)
            return false;
        running = status;
        int dataBytes = (status & 0xF0) == 0xC0 || (status & 0xF0) == 0xD0 ? 1 : 2;
        if (!r.left(size_t(dataBytes)))
            return false;
        MidiEvent event {0, status, uint8_t(r.bytes[r.at] & 0x7F), 0};
        if (dataBytes == 2)
            event.data2 = r.bytes[r.at + 1] & 0x7F;
        r.at += size_t(dataBytes);
        if (!keep({tick, order++, event, 0}))
            return false;
    }
    endTick = std::max(endTick, tick);
    return true;
}

} // namespace

std::optional<MidiSong> parseMidiFile(std::span<const uint8_t> bytes)
{
    if (bytes.size() < 14 || std::memcmp(bytes.data(), "MThd", 4) != 0)
        return std::nullopt;
    uint32_t headerSize = be32(bytes.data() + 4);
    if (headerSize < 6 || headerSize > bytes.size() - 8)
        return std::nullopt;
    uint16_t format = be16(bytes.data() + 8);
    uint16_t tracks = be16(bytes.data() + 10);
    uint16_t division = be16(bytes.data() + 12);
    if (format > 1 || tracks == 0 || division == 0)
        return std::nullopt;

    // Once to count, once to keep: the events take exactly the memory they need.
    std::vector<TickEvent> events;
    uint64_t endTick = 0;
    auto readTracks = [&](std::vector<TickEvent>* out, size_t& count) {
        uint32_t order = 0;
        size_t at = 8 + size_t(headerSize);
        for (unsigned track = 0; track < tracks; ++track) {
            if (bytes.size() - at < 8)
                return false;
            uint32_t size = be32(bytes.data() + at + 4);
            if (size > bytes.size() - at - 8)
                return false;
            if (std::memcmp(bytes.data() + at, "MTrk", 4) == 0
                && !readTrack(bytes.subspan(at + 8, size), out, count, endTick, order))
                return false;
            at += 8 + size_t(size);
        }
        return true;
    };
    size_t counted = 0, kept = 0;
    if (!readTracks(nullptr, counted))
        return std::nullopt;
    events.reserve(counted);
    if (!readTracks(&events, kept))
        return std::nullopt;
    std::stable_sort(events.begin(), events.end(), [](auto& a, auto& b) { return a.tick < b.tick; });

    // Ticks to microseconds: SMPTE division has a fixed tick length; metrical follows the tempo map.
    MidiSong song;
    auto toUs = [&](uint64_t tick, uint64_t baseTick, uint64_t baseUs, uint32_t tempo) -> uint64_t {
        if (division & 0x8000) {
            int framesPerSecond = -int8_t(division >> 8);
            int ticksPerFrame = division & 0xFF;
            uint64_t ticksPerSecond = uint64_t(std::max(1, framesPerSecond * ticksPerFrame));
            return tick * 1000000 / ticksPerSecond;
        }
        return baseUs + (tick - baseTick) * tempo / division;
    };
    uint32_t tempo = 500000;
    uint64_t baseTick = 0, baseUs = 0;
    song.events.reserve(events.size());
    for (auto& e : events) {
        uint64_t us = toUs(e.tick, baseTick, baseUs, tempo);
        if (e.tempo) {
            baseUs = us;
            baseTick = e.tick;
            tempo = e.tempo;
            continue;
        }
        e.event.timeUs = us;
        song.events.push_back(e.event);
    }
    song.lengthUs = toUs(endTick, baseTick, baseUs, tempo);
    return song;
}

} // namespace platform::media
